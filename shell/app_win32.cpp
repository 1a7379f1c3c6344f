#include "shell/app_win32.h"

namespace torvik {

App& app() {
  // Built on first use, after WinMain has stored the instance handle; too large for a stack.
  static App* theApp = new App();
  return *theApp;
}

int messageBoxById(HWND owner, int captionId, int textId, UINT flags) {
  return messageBoxById(owner, app().strings, captionId, textId, flags);
}

}  // namespace torvik
