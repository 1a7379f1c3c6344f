#pragma once
// The Grid control (GRIDDLG), where key codes are picked from a 16 x 16 table, and the Code
// edits that open it: an edit that shows a code string as text and opens the grid when clicked.
#include <windows.h>

#include <cstdint>

#include "base/ui_strings.h"

namespace torvik {

// Makes `edit` a Code edit over `buffer` (`capacity` bytes: 10 for prefixes and suffixes, 2 for
// code identifiers), which the owning dialog keeps for as long as the edit lives. A click
// opens the grid; its OK writes the new code into the buffer and its text into the edit, its
// Cancel changes neither. What is typed into the edit stores nothing. Space or Enter on the
// focused edit opens the grid too. Calling it again on the same edit rebinds it.
void makeCodeEdit(HWND edit, std::uint8_t* buffer, int capacity, UiStrings& strings);

// Shows the display text of the buffer's code in the edit.
void showCodeText(HWND edit, const std::uint8_t* buffer, int capacity, UiStrings& strings);

// Runs the grid over `buffer` for the Code edit `edit`; true on OK. While it runs a Code edit
// shows itself as a blue box. False without a dialog when the buffer is null or the capacity
// outside 1..10.
bool runGrid(HWND edit, std::uint8_t* buffer, int capacity, UiStrings& strings);

// The table area of the grid (control 501), a window class of its own. Its selection is a
// value 0..255; a click on a value that can be picked, or Space or Enter on such a selection,
// selects it and tells the parent with WM_COMMAND, notification kGridTablePicked.
constexpr UINT kGridTableGetSelection = WM_USER + 1;  // returns the selected value
constexpr UINT kGridTableSetSelection = WM_USER + 2;  // wParam: the value to select
constexpr WORD kGridTablePicked = 1;
// Registers the table's window class for `instance` (once; later calls do nothing).
bool registerGridTableClass(HINSTANCE instance);

}  // namespace torvik
