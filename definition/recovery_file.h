#pragma once
// The recovery file: what the program writes after every change so that a crash, a killed
// process or a restart of Windows loses no unsaved work. It is a file of its own (the project
// file and the INI file stay as they are): a tag, a version, the Modified flag, the design's
// file path, when it was written, the whole design, and a check sum over all of it. A file that
// is not exactly that is refused whole, never half-loaded.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "definition/application_definition.h"

namespace torvik {

constexpr std::size_t kRecoveryPathSize = 256;
constexpr std::size_t kRecoveryTimeSize = 32;

struct RecoveryState {
  bool modified = false;
  char path[kRecoveryPathSize] = {};  // "" for a design without a file
  char written[kRecoveryTimeSize] = {};  // local time of writing, as people read it
  ApplicationDefinition design{};
};

// The file's bytes.
std::vector<std::uint8_t> encodeRecovery(const RecoveryState& state);
std::size_t recoveryFileSize();

enum class RecoveryRead {
  Read,
  WrongSize,     // truncated, or more than a recovery file holds
  WrongTag,      // not a recovery file
  OtherVersion,  // one of another version of the program
  Damaged,       // the check sum or a field does not hold
};
// Reads a recovery file; `state` is changed only when the whole file is good.
RecoveryRead decodeRecovery(const std::uint8_t* bytes, std::size_t size, RecoveryState& state);

}  // namespace torvik
