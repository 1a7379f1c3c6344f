#pragma once
// The running program's state. Exactly one App lives for the whole run; window and dialog
// code reaches it through app(), core code gets the parts it needs by reference.
#include <windows.h>

#include "definition/application_definition.h"
#include "definition/design_history.h"
#include "shell/preferences.h"
#include "shell/session.h"
#include "base/ui_strings.h"
#include "win/resource_strings_win32.h"

namespace torvik {

struct App {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  HWND client = nullptr;
  char programFolder[257] = {};  // ends with a backslash
  Preferences preferences;
  UiStrings strings{loadResourceString};
  ApplicationDefinition definition{};
  Session session;
  bool designNamedAtStart = false;  // the command line named one or more files
  DesignHistory history;
  // The recovery file is this program's: it started first, and has offered what an earlier
  // run left. A second program that runs beside it never reads, writes or removes it.
  bool recoveryActive = false;
  int zoom = 100;                   // the face's zoom in percent (100, 150 or 200)
};

App& app();

// A message box whose caption and text are UI strings of the program's table.
int messageBoxById(HWND owner, int captionId, int textId, UINT flags);

}  // namespace torvik
