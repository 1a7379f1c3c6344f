#pragma once
// What the design check's GUI tests do: read its list of findings across processes, make a
// design with an error, find where the focus is.
#include <windows.h>

#include <string>

#include "resources/resource_ids.h"
#include "tests/gui/driver.h"

namespace gui {

int listRowCount(HWND dialog);
// A cell of the findings' list, read through memory in the program (a list view's text does
// not cross processes on its own).
std::string listCellText(HWND dialog, int row, int column);
// The window with the keyboard focus in the program.
HWND focusOf(const TorvikProcess& torvik);
// On the Menu page: menu `menu` (1-based) gets three items, the third leading to form
// menu + 2, which has no input lines: the check's error "menuN.item3.next".
bool makeMenuLeadToEmptyForm(HWND menuPage, int menu);
// Opens the editor, does that to menu 2 and closes it with OK: errors menu2.item3.next and
// system.startFrom (form 1, where the program starts, has no input lines).
bool makeDesignWithErrors(const TorvikProcess& torvik);

}  // namespace gui
