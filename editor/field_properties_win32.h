#pragma once
// The field properties dialogs of a form line, opened by its "more..." button on the Form page.
#include <windows.h>

#include "editor/editor_session.h"

namespace torvik {

// Opens ADVANCEDLG, or LOOKUPADVANCEDLG for a lookup line, over line session.currentLine of
// form session.currentForm of the session's working copy (session.forms), with its show-input-mark
// flag session.showInputMark[form][line]. Returns true on OK; Cancel restores the whole form record.
bool runFieldProperties(HWND owner, HINSTANCE instance, EditorSession& session);

}  // namespace torvik
