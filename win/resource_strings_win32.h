#pragma once
// The program's own string table and message boxes whose caption and text are UI strings.
#include <windows.h>

#include "base/ui_strings.h"

namespace torvik {

// LoadStringA on the string table of the running program.
int loadResourceString(int id, char* buffer, int size);

// A message box whose caption and text are the UI strings `captionId` and `textId`.
int messageBoxById(HWND owner, UiStrings& strings, int captionId, int textId, UINT flags);

}  // namespace torvik
