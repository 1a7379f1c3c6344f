// Stand-in until the field properties dialogs land.
#include "editor/field_properties_win32.h"

namespace torvik {

bool runFieldProperties(HWND, HINSTANCE, EditorSession&) { return false; }

}  // namespace torvik
