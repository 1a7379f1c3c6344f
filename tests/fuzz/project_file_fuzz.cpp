// Project files come from anywhere: whatever their bytes, loading one stays inside the
// definition, keeps the in-memory tag and leaves a refused file's definition untouched.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "definition/new_defaults.h"
#include "definition/project_file.h"
#include "base/ui_strings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvik;
  static auto strings = std::make_unique<UiStrings>();
  static auto fresh = [] {
    auto def = std::make_unique<ApplicationDefinition>();
    applyNewApplicationDefaults(*def);
    return def;
  }();
  auto def = std::make_unique<ApplicationDefinition>();
  std::memcpy(def.get(), fresh.get(), sizeof *def);
  const LoadResult result = loadProjectFile(data, size, *def, *strings);
  if (std::memcmp(def->versionTag, kVersionTagText, sizeof def->versionTag) != 0) __builtin_trap();
  if (!result.loaded() && std::memcmp(def.get(), fresh.get(), sizeof *def) != 0) __builtin_trap();
  if (result.status == LoadStatus::Loaded && def->systemSettings.schemaRevision < kSchemaRevision) __builtin_trap();
  // Whatever was loaded saves again.
  static std::uint8_t image[kProjectFileSize];
  writeProjectFile(*def, image);
  return 0;
}
