// Language files come from anyone: whatever their bytes, loading one stays inside the
// override table and every lookup afterwards stays inside its buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>

#include "base/string_ids.h"
#include "base/ui_strings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto strings = std::make_unique<torvik::UiStrings>();
  const char* text = reinterpret_cast<const char*>(data);
  char name[41];
  torvik::languageNameOf(text, size, name);
  strings->setLanguageActive(strings->applyLanguageFile(text, size));
  const int ids[] = {0, 1, 51, torvik::kStrMsgMainMenu, 1101, torvik::kStrSaveCurrentProgram, 1799, 1800, -1};
  for (int id : ids) {
    for (auto kind : {torvik::TextKind::Caption, torvik::TextKind::Terminal}) {
      const char* out = strings->lookup(id, kind);
      if (std::strlen(out) > 127) __builtin_trap();
    }
    if (std::strlen(strings->directEntry(id)) > 80) __builtin_trap();
  }
  return 0;
}
