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

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit, std::string& error) {
  bytes.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    error = path + ": " + systemError();
    return false;
  }
  std::uint8_t chunk[65536];
  bool ok = true;
  for (;;) {
    const std::size_t n = std::fread(chunk, 1, sizeof chunk, file);
    if (bytes.size() + n > limit) {
      error = path + ": larger than " + std::to_string(limit) + " bytes";
      ok = false;
      break;
    }
    bytes.insert(bytes.end(), chunk, chunk + n);
    if (n < sizeof chunk) {
      if (std::ferror(file)) {
        error = path + ": " + systemError();
        ok = false;
      }
      break;
    }
  }
  std::fclose(file);
  return ok;
}

bool loadDesign(const std::string& path, ApplicationDefinition& def, CliIo& io, IncompleteDesign incomplete) {
  makeNewDesign(def);
  std::vector<std::uint8_t> bytes;
  // Anything past a project file's size is not read by the desktop program either.
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    io.err << path << ": " << systemError() << "\n";
    return false;
  }
  bytes.resize(kProjectFileSize);
  const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    io.err << path << ": " << systemError() << "\n";
    return false;
  }
  bytes.resize(got);
  auto strings = std::make_unique<UiStrings>();
  const LoadResult result = loadProjectFile(bytes.data(), bytes.size(), def, *strings);
  if (!result.loaded()) {
    io.err << path << ": " << strings->text(kStrFormatMismatch).c_str() << " (not a Torvik design)\n";
    return false;
  }
  if (result.status == LoadStatus::Legacy) io.err << path << ": note: converted from an older terminal family's design\n";
  if (result.upgraded) io.err << path << ": note: converted from an older revision of the format\n";
  if (result.incomplete) {
    const std::size_t whole = result.status == LoadStatus::Legacy ? kLegacyProjectSize : kDefinitionSize;
    const std::string what = "the file is incomplete (" + std::to_string(got) + " bytes, a design takes " +
                             std::to_string(whole) + "): the settings it lacks are those of a new design";
    if (incomplete == IncompleteDesign::Refuse) {
      io.err << path << ": " << what << "; refused (--allow-incomplete takes it as it is)\n";
      return false;
    }
    io.err << path << ": warning: " << what << "\n";
  }
  return true;
}

bool replaceFile(const std::string& path, const std::uint8_t* data, std::size_t size, std::string& error) {
  return writeOutput(path, data, size, error);
}

}  // namespace torvik
