#include "shell/project_files_win32.h"

namespace torvik {

// Project files and the INI file are not built yet: nothing is read or written.
bool saveProject(HWND) { return false; }
bool saveProjectAs(HWND) { return false; }
bool openProject(HWND) { return false; }
bool loadProject(HWND, const char*, bool) { return false; }
void readPreferences(Preferences&) {}
void writePreferences(const Preferences&) {}

}  // namespace torvik

namespace torvik {

void insertRecentFileItems(HMENU, int) {}

}  // namespace torvik
