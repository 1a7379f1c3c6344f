#include "shell/preferences_dialog_win32.h"

namespace torvik {

// The dialog arrives with the terminal link (ports, cradle); until then it shows nothing.
void runPreferencesDialog(HWND) {}

}  // namespace torvik
