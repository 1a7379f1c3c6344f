#include "shell/app_win32.h"

namespace torvik {

App& app() {
  // Built on first use, after WinMain has stored the instance handle; too large for a stack.
  static App* theApp = new App();
  return *theApp;
}

int loadResourceString(int id, char* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  const int n = LoadStringA(app().instance, static_cast<UINT>(id), buffer, size);
  if (n <= 0) buffer[0] = '\0';
  return n > 0 ? n : 0;
}

int messageBoxById(HWND owner, int captionId, int textId, UINT flags) {
  UiStrings& strings = app().strings;
  const char* caption = strings.lookup(captionId, TextKind::Caption);
  const char* text = strings.lookup(textId, TextKind::Message);
  return MessageBoxA(owner, text, caption, flags);
}

}  // namespace torvik
