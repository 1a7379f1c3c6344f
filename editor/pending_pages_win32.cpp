// Pages whose editing comes later: they show their note and store nothing.
#include "editor/page_win32.h"

namespace torvik {

INT_PTR CALLBACK pendingPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    bindPageSession(page, lParam);
    return TRUE;
  }
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY) return pageApplied(page);
  return FALSE;
}

}  // namespace torvik
