#pragma once
// Project files of the older terminal family ("Rxx-4.00", "Rxx-3.10"): read only, converted
// into the current definition.
#include <cstddef>
#include <cstdint>

#include "definition/application_definition.h"

namespace torvik {

constexpr std::size_t kLegacyProjectSize = 10510;

// True when the bytes start with one of the two legacy signatures.
bool hasLegacySignature(const std::uint8_t* bytes, std::size_t size);

// Converts a legacy file (its whole bytes, signature included) into `def`. Only the fields the
// legacy layout has are written; all others keep their values, and the weight code takes its
// New values. A file shorter than the layout is converted as far as it goes: a field is taken
// only when all its bytes are there, and nothing beyond `size` is read. Returns true when the
// whole layout was present (false tells the loader to warn about a short file). The signature
// is not checked here: see hasLegacySignature.
bool convertLegacyProject(const std::uint8_t* bytes, std::size_t size, ApplicationDefinition& def);

// One move of the terminal's texts: `count` entries from entry `fromEntry` of a legacy text
// block into message group `group` (file order, 0 is MsgReserved) from entry `toEntry`; entries
// are numbered from 1, as the terminal lists them.
struct LegacyTextMove {
  std::size_t block;  // the legacy block's file offset
  int blockEntries;
  int width;          // bytes per entry, in the block and in the group alike
  int fromEntry;
  int group;
  int toEntry;
  int count;
};

// Makes the moves from a legacy file's bytes (as convertLegacyProject reads them) into `def`.
// An entry that lies outside its block, its group or the file is skipped, and so is a move
// whose widths differ or whose group does not exist; the others are made.
void moveLegacyTexts(const std::uint8_t* bytes, std::size_t size, const LegacyTextMove* moves, std::size_t count,
                     ApplicationDefinition& def);

}  // namespace torvik
