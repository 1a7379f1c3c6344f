#pragma once
// What the link's GUI tests do to the program: set the preferences through their dialog,
// answer message boxes and file dialogs.
#include <windows.h>

#include <string>

#include "resources/resource_ids.h"
#include "tests/gui/driver.h"

namespace gui {

// A combo's row texts, read in UTF-16 (cross-process ANSI is not converted back under Wine).
std::string comboRowText(HWND combo, int row);
int comboRowCount(HWND combo);
// Selects a row as the user would: the selection and the CBN_SELCHANGE notification.
void selectComboRow(HWND dialog, int comboId, int row);
// The first row that begins with `prefix`, or -1.
int findComboRow(HWND combo, const std::string& prefix);

struct LinkPreferences {
  int downloadVia = 0;  // 0 RS-232, 1 Cradle-IR, 2 IrDA
  int receiveVia = 0;
  int baudRow = 0;      // 0 115200 ... 4 9600
  const char* port = "COM7";
};
// Opens the Preferences, sets the link's choices and presses OK.
bool setLinkPreferences(const TorvikProcess& torvik, const LinkPreferences& p);

// Waits for a message box with this caption; "" when none came. `box` gets its window.
std::string waitForMessageBox(const TorvikProcess& torvik, const char* caption, HWND* box, DWORD timeoutMs = 60000);
// Waits for the box, checks nothing, presses `button`; returns its text.
std::string answerMessageBox(const TorvikProcess& torvik, const char* caption, int button, DWORD timeoutMs = 60000);

// Fills the file name of an open or save dialog and presses its OK button.
bool answerFileDialog(const TorvikProcess& torvik, const std::string& path, DWORD timeoutMs = 15000);

// The INI text that preloads `project` and sends over RS-232 to COM `comNumber` (found by
// its number: port index -1) at the baud-rate row `baudRow`.
std::string preloadingIni(const std::string& project, int comNumber, int baudRow);

// The folder the terminal peer writes to, as a Windows path ("" outside a peer test).
std::string peerFolder();

}  // namespace gui
