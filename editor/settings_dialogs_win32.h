#pragma once
// The Settings page's dialogs. Each works on its own copy; OK stores it into the page's
// working copies (the wedge dialog also into the design), Cancel changes nothing.
#include <windows.h>

#include "editor/editor_session.h"

namespace torvik {

bool runSecurityDialog(HWND owner, HINSTANCE instance, EditorSession& session);
bool runWedgeDialog(HWND owner, HINSTANCE instance, EditorSession& session);
bool runFunctionKeyDialog(HWND owner, HINSTANCE instance, EditorSession& session);

}  // namespace torvik
