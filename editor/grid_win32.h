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
// Cancel changes neither. What is typed into the edit stores nothing.
void makeCodeEdit(HWND edit, std::uint8_t* buffer, int capacity, UiStrings& strings);

// Shows the display text of the buffer's code in the edit.
void showCodeText(HWND edit, const std::uint8_t* buffer, int capacity, UiStrings& strings);

// Runs the grid over `buffer` for the Code edit `edit`; true on OK.
bool runGrid(HWND edit, std::uint8_t* buffer, int capacity, UiStrings& strings);

}  // namespace torvik
