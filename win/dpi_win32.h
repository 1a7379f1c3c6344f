#pragma once
// The DPI a window is shown at, on every Windows that Torvik runs on.
#include <windows.h>

namespace torvik {

// The window's DPI (GetDpiForWindow where the system has it, for per-monitor scaling),
// else the screen's LOGPIXELSY; 96 when neither answers.
int windowDpi(HWND window);

}  // namespace torvik
