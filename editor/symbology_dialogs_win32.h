#pragma once
// The dialogs of the Barcode page's buttons: the seventeen symbology dialogs, the code IDs and
// the weighed-article code, all run by one generic dialog over their descriptions
// (editor/barcode_forms.h). Each stores straight into the design on its own OK, so a later
// Cancel of the property sheet keeps what it stored.
#include <windows.h>

#include "editor/barcode_forms.h"
#include "editor/editor_session.h"

namespace torvik {

// Runs the dialog of `form` over the design; true when it was closed with OK (and stored).
bool runSymbologyDialog(HINSTANCE instance, HWND owner, EditorSession& session, const SymbologyForm& form);

}  // namespace torvik
