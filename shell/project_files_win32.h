#pragma once
#include <windows.h>

#include "shell/preferences.h"

namespace torvik {

// Save under the current name (Save As for an unnamed design). True when the file was written.
bool saveProject(HWND owner);
// Asks for a name and saves. True when the file was written.
bool saveProjectAs(HWND owner);
// Runs the Open dialog and loads the chosen file. True when a file was loaded.
bool openProject(HWND owner);
// Loads the project file `path`. A file that cannot be opened is skipped silently when
// `quietIfMissing`; a file of the wrong format always gets the loader's message.
bool loadProject(HWND owner, const char* path, bool quietIfMissing);

// The INI file in the user's application-data folder.
void readPreferences(Preferences& preferences);
void writePreferences(const Preferences& preferences);

}  // namespace torvik

namespace torvik {

// Inserts the recent-files items (ids 3300 + n) into the popup menu before `position`.
void insertRecentFileItems(HMENU popup, int position);

}  // namespace torvik
