#pragma once
// The generic half of controls-as-data: fills a dialog's controls from a record by its control
// table, stores each change the user makes, enables the controls that ticked boxes enable and
// relabels them from a language file. A dialog calls these and writes by hand only what its
// table cannot say.
#include <windows.h>

#include "base/control_table.h"
#include "base/ui_strings.h"

namespace torvik {

// What a dialog's table edits: the record, the line its per-line fields are read at (row r of
// a repeated binding edits line + r), and the guard that keeps the change notifications a fill
// causes from storing anything: showing is not editing.
struct BoundRecord {
  void* record = nullptr;
  int line = 0;
  bool updating = false;
  int textLimit = 0;  // when set, Text edits take at most this many characters (a font's limit)
};

// Fills the item lists of the table's combos whose items are UI strings (once, at start).
void fillComboItems(HWND dialog, const ControlTable& table, UiStrings& strings);

// Puts every bound value of the record into its control.
void fillControls(HWND dialog, const ControlTable& table, BoundRecord& bound);
// The same for one binding (all its rows).
void fillControl(HWND dialog, const ControlBinding& binding, BoundRecord& bound);

// Stores the change that a WM_COMMAND reports, when it is one the table binds: a ticked box,
// a selected item, an edit's corrected text. Returns the binding it stored for (the caller may
// follow up: enabling, a rule of its own), or nullptr when the message was none of these.
const ControlBinding* storeControlChange(HWND dialog, const ControlTable& table, WPARAM wParam, BoundRecord& bound,
                                         int* row = nullptr);

// Enables or disables the controls each check box of the table enables, by its state.
void applyEnables(HWND dialog, const ControlTable& table, const BoundRecord& bound);

// Gives the table's controls and the dialog's caption their language-file texts while a
// language is active; OK and Cancel take the common entries.
void relabelControls(HWND dialog, const ControlTable& table, const UiStrings& strings);

// Writes a corrected text back into an edit without storing it again, caret at the end.
void putBackText(HWND edit, const char* text, BoundRecord& bound);

// Enables or disables a control by id.
void enableControl(HWND dialog, int id, bool on);

constexpr int kEntryOk = 1218;
constexpr int kEntryCancel = 1219;

}  // namespace torvik
