#pragma once
#include <windows.h>

#include "base/ui_strings.h"
#include "definition/application_definition.h"
#include "definition/default_messages.h"
#include "editor/editor_pages.h"

namespace torvik {

// What the editor is handed by the window that opens it.
struct EditorContext {
  HINSTANCE instance;
  HWND owner;
  ApplicationDefinition& definition;
  UiStrings& strings;
  const char* currentFile;  // the project's full path; "" or "Unknow" when it has none
  // Set when a dialog of the sheet stored into the design on its own OK (the Barcode page's
  // dialogs do), which holds even when the sheet is then cancelled.
  bool* dialogsStored = nullptr;
  // The Default message table of the current language: the Startup page shows it, and its
  // Calculator entry follows the lookups on OK (may be null).
  DefaultMessages* defaults = nullptr;
  // Where the sheet opens: its page, the form, menu or lookup that page shows (-1 its
  // first) and the control that takes the focus (0 the page's own choice).
  EditorPage startPage = EditorPage::Form;
  int startRecord = -1;
  int focusControl = 0;
};

// Runs the property sheet over the design. Returns true when it was closed with OK: every page
// the user displayed has stored its working copy, and the forms are normalised. The caller
// marks the design modified and returns the simulator to its main menu.
bool runDefinitionEditor(const EditorContext& context);

}  // namespace torvik
