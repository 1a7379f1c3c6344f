#pragma once
#include <windows.h>

namespace torvik {

// Runs the property sheet over the application definition. Returns true when it was closed
// with OK (the pages stored their working copies and the design is marked modified).
bool runDefinitionEditor(HWND owner);

}  // namespace torvik
