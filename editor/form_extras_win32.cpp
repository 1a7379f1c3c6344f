// Stand-in until the form-level dialogs land.
#include "editor/form_extras_win32.h"

namespace torvik {

bool runDateTimeStamp(HWND, HINSTANCE, EditorSession&) { return false; }
bool runFormBranch(HWND, HINSTANCE, EditorSession&) { return false; }

}  // namespace torvik
