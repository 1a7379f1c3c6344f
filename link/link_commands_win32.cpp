#include "link/link_commands_win32.h"

namespace torvik {

// The serial link is not built yet: the transfer commands do nothing.
void downloadApplication(HWND, bool) {}
void downloadLookupFile(HWND, bool) {}
void receiveData(HWND, bool) {}

}  // namespace torvik
