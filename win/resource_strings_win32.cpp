#include "win/resource_strings_win32.h"

namespace torvik {

int loadResourceString(int id, char* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  // The resources are the executable's own, whichever window asks.
  const int n = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), buffer, size);
  if (n <= 0) buffer[0] = '\0';
  return n > 0 ? n : 0;
}

int messageBoxById(HWND owner, UiStrings& strings, int captionId, int textId, UINT flags) {
  const char* caption = strings.lookup(captionId, TextKind::Caption);
  const char* text = strings.lookup(textId, TextKind::Message);
  return MessageBoxA(owner, text, caption, flags);
}

}  // namespace torvik
