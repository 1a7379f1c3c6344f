#pragma once
#include <windows.h>

namespace torvik {

// The About box: program icon, title, picture, and two links (web page, support mail).
void runAboutBox(HWND owner);

}  // namespace torvik
