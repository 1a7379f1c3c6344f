// The Form page: ten forms of eight lines, edited in a working copy.
#include "editor/page_win32.h"

namespace torvik {

INT_PTR CALLBACK formPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return pendingPageProc(page, message, wParam, lParam);
}

}  // namespace torvik
