#pragma once
#include <windows.h>

#include <string>

#include "definition/default_messages.h"
#include "shell/preferences.h"

namespace torvik {

// Save under the current name (Save As for an unnamed design). True when the file was
// written; a failed write leaves the old file as it was and tells the user.
bool saveProject(HWND owner);
// Asks for a name and saves. True when the file was written.
bool saveProjectAs(HWND owner);
// Runs the Open dialog and loads the chosen file. True when a file was loaded.
bool openProject(HWND owner);
// Loads the project file `path`; on success it becomes the current project file. A file
// that cannot be opened is skipped silently when `quietIfMissing`; a file of the wrong
// format always gets the loader's message. On failure the current name is not changed.
bool loadProject(HWND owner, const char* path, bool quietIfMissing);

// Writes `size` bytes to `path` through a new file in the same folder that replaces the old
// one in one step once every byte is on the disk: a failure leaves the old file as it was.
bool replaceFileContents(const char* path, const void* data, DWORD size);

// %APPDATA%\Fernwick, where the INI file and the program's other state live, created when
// missing; false when there is no such folder.
bool iniFolder(std::string& folder);

// The INI file in the user's application-data folder.
void readPreferences(Preferences& preferences);
void writePreferences(const Preferences& preferences);

// The Default message table of the current language: built at start after the language
// file, and to be rebuilt after every change of language.
void rebuildDefaultMessages();
const DefaultMessages& defaultMessages();
// The same table for the editor, which renumbers its Calculator entry with the lookups.
DefaultMessages& defaultMessagesForEditor();

// Reset to a new application: the barcode reset, then the application reset from the
// Default message table.
void resetToNewApplication();

}  // namespace torvik

namespace torvik {

// Inserts the recent-files items (ids 3300 + n) into the popup menu before `position`.
void insertRecentFileItems(HMENU popup, int position);

}  // namespace torvik
