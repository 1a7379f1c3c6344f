// Legacy project files come from other people's disks: whatever their bytes and length, the
// conversion reads only what it was given and leaves every text terminated inside its field.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "definition/legacy_project.h"

namespace {

bool terminated(const char* field, std::size_t width) { return std::memchr(field, 0, width) != nullptr; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvik;
  static auto def = std::make_unique<ApplicationDefinition>();
  std::memset(def.get(), 0, sizeof *def);  // every text starts empty, so each must stay terminated
  (void)hasLegacySignature(data, size);
  const bool whole = convertLegacyProject(data, size, *def);
  if (whole != (size >= kLegacyProjectSize)) __builtin_trap();

  for (int g = 0; g < kMessageGroupCount; ++g) {
    const MessageGroupView v = messageGroup(*def, g);
    for (int e = 0; e < v.entries; ++e)
      if (!terminated(v.entry(e), static_cast<std::size_t>(v.width))) __builtin_trap();
  }
  for (const MenuRecord& m : def->menu) {
    if (!terminated(m.caption, sizeof m.caption)) __builtin_trap();
    for (int k = 0; k < kMenuItems; ++k)
      if (!terminated(m.item(k).name, sizeof m.itemName[k])) __builtin_trap();
  }
  for (const FormRecord& f : def->form) {
    for (int j = 0; j < kFormLines; ++j) {
      if (!terminated(f.line(j).prompt, sizeof f.prompt[j])) __builtin_trap();
      if (!terminated(f.line(j).initialText, sizeof f.initialText[j])) __builtin_trap();
    }
    if (f.stampMode > kStampBottom || f.stampDateStyle > kDateDayMonthYear) __builtin_trap();
  }
  if (!terminated(def->systemSettings.password, sizeof def->systemSettings.password)) __builtin_trap();
  return 0;
}
