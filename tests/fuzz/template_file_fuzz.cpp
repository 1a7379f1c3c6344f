// Templates for the Startup page's Import come from anywhere: whatever their bytes and length,
// the import reads only what it was given, keeps every line of the page terminated within its
// row, changes nothing for a file it refuses, and what it took reaches the design on OK with
// every text still inside its entry.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "base/ui_strings.h"
#include "definition/default_messages.h"
#include "definition/new_defaults.h"
#include "editor/startup_rules.h"

namespace {

bool terminated(const char* field, std::size_t width) { return std::memchr(field, 0, width) != nullptr; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvik;
  static auto defaults = [] {
    auto strings = std::make_unique<UiStrings>();
    auto messages = std::make_unique<DefaultMessages>();
    buildDefaultMessages(*strings, *messages);
    return messages;
  }();
  static auto fresh = [] {
    auto def = std::make_unique<ApplicationDefinition>();
    applyNewApplicationDefaults(*def, *defaults);
    return def;
  }();
  static auto opened = [] {
    auto state = std::make_unique<StartupState>();
    openStartup(*state, *fresh);
    state->group = 3;
    return state;
  }();

  // An exact copy of the input, so that the sanitizer sees a read past its end.
  std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[size > 0 ? size : 1]);
  if (size > 0) std::memcpy(bytes.get(), data, size);
  auto state = std::make_unique<StartupState>(*opened);
  const TemplateImport result = importTemplate(bytes.get(), size, fresh->versionTag, *defaults, *fresh, *state);

  if (result == TemplateImport::Mismatch) {
    if (std::memcmp(state.get(), opened.get(), sizeof *state) != 0) __builtin_trap();
    return 0;
  }
  if (result == TemplateImport::Imported && size < kDefinitionSize - sizeof(WeightCode)) __builtin_trap();
  if (state->group != 0 || state->largeFont > 1) __builtin_trap();
  for (const auto& group : state->text)
    for (const auto& row : group)
      if (!terminated(row, sizeof row)) __builtin_trap();

  auto def = std::make_unique<ApplicationDefinition>(*fresh);
  applyStartup(*state, *def);
  if (std::memcmp(def->versionTag, fresh->versionTag, sizeof def->versionTag) != 0) __builtin_trap();
  for (int g = 0; g < kMessageGroupCount; ++g) {
    const MessageGroupView v = messageGroup(*def, g);
    for (int e = 0; e < v.entries; ++e)
      if (!terminated(v.entry(e), static_cast<std::size_t>(v.width))) __builtin_trap();
  }
  for (const auto& text : def->systemSettings.settingsText)
    if (!terminated(text, sizeof text)) __builtin_trap();
  return 0;
}
