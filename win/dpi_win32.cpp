#include "win/dpi_win32.h"

namespace torvik {

int windowDpi(HWND window) {
  // Windows 10 1607 and later; older systems and MinGW's headers lack it, so it is looked up.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = [] {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 != nullptr
               ? reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetDpiForWindow")))
               : nullptr;
  }();
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace torvik
