#pragma once
// Project files (*.TVX): the 36 blocks byte for byte and 100 zero bytes. The core works on
// bytes; the shell reads and writes the files.
#include <cstddef>
#include <cstdint>

#include "definition/application_definition.h"

namespace torvik {

class TextSource;

constexpr std::size_t kProjectTrailerSize = 100;
constexpr std::size_t kProjectFileSize = kDefinitionSize + kProjectTrailerSize;  // 18,954
constexpr char kOlderVersionTag[] = "T900-1.00";
constexpr int kVersionTagCompared = 6;  // "T900RU": the rest of the tag may differ

// The file image of `def`: its blocks in order, then the zero trailer.
void writeProjectFile(const ApplicationDefinition& def, std::uint8_t (&out)[kProjectFileSize]);

enum class LoadStatus {
  Loaded,    // a current-format file
  Legacy,    // an older family's file, converted
  Mismatch,  // refused: the definition is unchanged
};

struct LoadResult {
  LoadStatus status = LoadStatus::Mismatch;
  bool upgraded = false;    // an older schema revision was brought up to date
  bool incomplete = false;  // the file ended before the blocks did; the rest kept its values
  bool loaded() const { return status != LoadStatus::Mismatch; }
  // Only current-format files go on the recent-files list.
  bool updatesRecentFiles() const { return status == LoadStatus::Loaded; }
};

// What the format tag of a file's first bytes says it is, by the loader's rules; nothing is
// read into `def` (its VersionTag is what a current file's tag is compared with).
LoadStatus projectFileKind(const std::uint8_t* bytes, std::size_t size, const ApplicationDefinition& def);

// Reads a project file's bytes into `def`, with the format tag's rules, the move of the
// vibrator byte and the schema upgrades. The in-memory VersionTag is kept. `strings` gives
// the settings texts that a revision-1 file lacks. A refused file changes nothing.
LoadResult loadProjectFile(const std::uint8_t* bytes, std::size_t size, ApplicationDefinition& def,
                           TextSource& strings);

// The steps that follow reading the blocks, exposed for tests: the byte 256/257 move and the
// upgrades. Returns whether an upgrade ran.
void moveVibratorDuration(SystemSettings& settings);
bool upgradeSchema(ApplicationDefinition& def, TextSource& strings);

// The name a Save As writes: `chosen`, with ".TVX" appended unless it already ends in
// ".TVX" in any case. False when the result would not fit `size` bytes.
bool projectFileName(const char* chosen, char* out, std::size_t size);

}  // namespace torvik
