#pragma once
#include <windows.h>

namespace torvik {

// The three transfers with the terminal. `cradle` is set for the infrared cradle transport.
void downloadApplication(HWND owner, bool cradle);
void downloadLookupFile(HWND owner, bool cradle);
void receiveData(HWND owner, bool cradle);

}  // namespace torvik
