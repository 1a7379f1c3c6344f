#pragma once
#include <windows.h>

namespace torvik {

// Runs PreferencesDlg; on OK stores and writes the preferences and reloads the language.
void runPreferencesDialog(HWND owner);

}  // namespace torvik
