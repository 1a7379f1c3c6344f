#pragma once
// The running program's state. Exactly one App lives for the whole run; window and dialog
// code reaches it through app(), core code gets the parts it needs by reference.
#include <windows.h>

#include "definition/application_definition.h"
#include "shell/preferences.h"
#include "shell/session.h"
#include "shell/ui_strings.h"

namespace torvik {

// LoadStringA on the program's own string table.
int loadResourceString(int id, char* buffer, int size);

struct App {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  HWND client = nullptr;
  char programFolder[257] = {};  // ends with a backslash
  Preferences preferences;
  UiStrings strings{loadResourceString};
  ApplicationDefinition definition{};
  Session session;
};

App& app();

// A message box whose caption and text are UI strings.
int messageBoxById(HWND owner, int captionId, int textId, UINT flags);

}  // namespace torvik
