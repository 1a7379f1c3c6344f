#pragma once
// The Form page's form-level dialogs: the date and time stamp, and the function-key branches
// with their Remains and Summation settings. Each works on form session.currentForm of the
// working copy and keeps a backup that its Cancel restores.
#include <windows.h>

#include "editor/editor_session.h"

namespace torvik {

bool runDateTimeStamp(HWND owner, HINSTANCE instance, EditorSession& session);
bool runFormBranch(HWND owner, HINSTANCE instance, EditorSession& session);

}  // namespace torvik
