#pragma once
// The files torvik-cli reads: designs (current or legacy) and text files, standard input
// among them. What it writes goes through durable_files.h.
#include <cstddef>
#include <cstdint>
#include <functional>
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

// The name an input goes by in messages: "-" is standard input.
std::string inputName(const std::string& path);

// Reads a file ("-": standard input) of at most `limit` bytes piece by piece, handing each
// piece to `take`. A file known to be larger is refused before anything is read. False with
// a message in `error`; `opened` tells whether the file could be opened at all. `sized` hears
// a regular file's size before the first piece.
bool readInPieces(const std::string& path, std::size_t limit,
                  const std::function<void(const std::uint8_t* data, std::size_t size)>& take, std::string& error,
                  bool* opened = nullptr, const std::function<void(std::uint64_t size)>& sized = {});

// Reads a whole file ("-": standard input) of at most `limit` bytes, as readInPieces.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit, std::string& error,
                   bool* opened = nullptr);

}  // namespace torvik
