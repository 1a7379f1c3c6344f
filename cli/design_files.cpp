#include "cli/design_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/string_ids.h"
#include "base/ui_strings.h"
#include "cli/durable_files.h"
#include "definition/default_messages.h"
#include "definition/legacy_project.h"
#include "definition/new_defaults.h"
#include "definition/project_file.h"
#include "editor/lookup_rules.h"

namespace torvik {

namespace {

std::string systemError() { return std::strerror(errno); }

}  // namespace

void makeNewDesign(ApplicationDefinition& def) {
  auto strings = std::make_unique<UiStrings>();  // large, so not on the stack
  auto messages = std::make_unique<DefaultMessages>();
  buildDefaultMessages(*strings, *messages);
  applyNewApplicationDefaults(def, *messages);
  renumberCalculatorEntry(def, messages.get());
}

std::string inputName(const std::string& path) { return path == "-" ? "(standard input)" : path; }

namespace {

std::FILE* openInput(const std::string& path) {
  if (path != "-") return std::fopen(path.c_str(), "rb");
  makeStandardInputBinary();
  return stdin;
}

void closeInput(std::FILE* file) {
  if (file != stdin) std::fclose(file);
}

std::string tooLarge(const std::string& path, std::size_t limit) {
  return inputName(path) + ": larger than " + std::to_string(limit) + " bytes";
}

}  // namespace

bool readInPieces(const std::string& path, std::size_t limit,
                  const std::function<void(const std::uint8_t* data, std::size_t size)>& take, std::string& error,
                  bool* opened, const std::function<void(std::uint64_t size)>& sized) {
  std::FILE* file = openInput(path);
  if (opened != nullptr) *opened = file != nullptr;
  if (file == nullptr) {
    error = inputName(path) + ": " + systemError();
    return false;
  }
  std::uint64_t size = 0;
  if (regularFileSize(file, size)) {
    if (size > limit) {
      closeInput(file);
      error = tooLarge(path, limit);
      return false;
    }
    if (sized) sized(size);
  }
  std::vector<std::uint8_t> chunk(std::size_t{1} << 20);
  std::uint64_t total = 0;
  bool ok = true;
  for (;;) {
    const std::size_t n = std::fread(chunk.data(), 1, chunk.size(), file);
    total += n;
    if (total > limit) {  // a pipe, or a file that grew
      error = tooLarge(path, limit);
      ok = false;
      break;
    }
    if (n > 0) take(chunk.data(), n);
    if (n < chunk.size()) {
      if (std::ferror(file)) {
        error = inputName(path) + ": " + systemError();
        ok = false;
      }
      break;
    }
  }
  closeInput(file);
  return ok;
}

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit, std::string& error,
                   bool* opened) {
  bytes.clear();
  // Room for the whole file at once: growing by doubling would take up to three times it.
  const bool ok = readInPieces(
      path, limit, [&](const std::uint8_t* data, std::size_t size) { bytes.insert(bytes.end(), data, data + size); }, error,
      opened, [&](std::uint64_t size) { bytes.reserve(static_cast<std::size_t>(size)); });
  if (!ok) bytes.clear();
  return ok;
}

bool loadDesign(const std::string& path, ApplicationDefinition& def, CliIo& io, IncompleteDesign incomplete) {
  makeNewDesign(def);
  std::vector<std::uint8_t> bytes;
  // Anything past a project file's size is not read by the desktop program either.
  const std::string name = inputName(path);
  std::FILE* file = openInput(path);
  if (file == nullptr) {
    io.err << name << ": " << systemError() << "\n";
    return false;
  }
  bytes.resize(kProjectFileSize);
  const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
  const bool failed = std::ferror(file) != 0;
  closeInput(file);
  if (failed) {
    io.err << name << ": " << systemError() << "\n";
    return false;
  }
  bytes.resize(got);
  auto strings = std::make_unique<UiStrings>();
  const LoadResult result = loadProjectFile(bytes.data(), bytes.size(), def, *strings);
  if (!result.loaded()) {
    io.err << name << ": " << strings->text(kStrFormatMismatch).c_str() << " (not a Torvik design)\n";
    return false;
  }
  if (result.status == LoadStatus::Legacy) io.err << name << ": note: converted from an older terminal family's design\n";
  if (result.upgraded) io.err << name << ": note: converted from an older revision of the format\n";
  if (result.incomplete) {
    const std::size_t whole = result.status == LoadStatus::Legacy ? kLegacyProjectSize : kDefinitionSize;
    const std::string what = "the file is incomplete (" + std::to_string(got) + " bytes, a design takes " +
                             std::to_string(whole) + "): the settings it lacks are those of a new design";
    if (incomplete == IncompleteDesign::Refuse) {
      io.err << name << ": " << what << "; refused (--allow-incomplete takes it as it is)\n";
      return false;
    }
    io.err << name << ": warning: " << what << "\n";
  }
  return true;
}

}  // namespace torvik
