#pragma once
// The files torvik-cli reads and writes: designs (current or legacy), whole text files, and
// outputs that replace a file only once they are complete.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "definition/application_definition.h"

namespace torvik {

// A design as the desktop program's New makes it, with its built-in English texts.
void makeNewDesign(ApplicationDefinition& def);

// What to do with a file that ends before the design does: what it lacks is then a new
// design's. Fine to look at (Warn), not to build an image from or send (Refuse).
enum class IncompleteDesign { Warn, Refuse };

// Reads `path` into `def` as the desktop program's Open does: a new design first, then the
// file (current, older schema or legacy). Notes on an upgraded, legacy or short file go to
// io.err; a file that cannot be read or is no design (or is incomplete and `incomplete` is
// Refuse) gives a message and false.
bool loadDesign(const std::string& path, ApplicationDefinition& def, CliIo& io,
                IncompleteDesign incomplete = IncompleteDesign::Warn);

// Reads a whole file of at most `limit` bytes; false with a message in `error`.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit, std::string& error);

// Writes `path` as writeOutput does: a file through a temporary file beside it that replaces
// it only when complete; false with a message in `error` (the old file is then untouched).
bool replaceFile(const std::string& path, const std::uint8_t* data, std::size_t size, std::string& error);

}  // namespace torvik
