#pragma once
// Designs handed to the running program from outside: its own command line, a file dropped
// on the terminal, and a second start of Torvik that passes its file over to this one.
#include <windows.h>
#include <shellapi.h>

#include "shell/command_line.h"
#include "shell/session.h"

namespace torvik {

// Called first thing at start. When Torvik already runs, passes it the file to open (or just
// brings its window to the front) and returns true: this process then ends, so that two
// programs never work on the same INI file.
bool handOverToRunningProgram(const StartArguments& start);
// Whether this process was the first Torvik to start (and so the one later starts hand over
// to); known once handOverToRunningProgram has run.
bool firstRunningProgram();

// After the main window is up: opens the design the command line names, as a recent file
// opens; a path that cannot be read gets a message and the new design stays.
void openStartupDesign(HWND window, const StartArguments& start);

// The main window's drop and hand-over messages. Both queue the file and open it once the
// window takes commands again (not inside a dialog), with Open's steps and Save prompt.
void onDropFiles(HWND window, HDROP drop);
bool onOpenRequest(HWND window, const COPYDATASTRUCT* data);
void openQueuedDesign(HWND window);
// Posted to the main window when a queued design may be opened.
constexpr UINT kMsgOpenQueued = WM_APP + 1;

// What a second start sends: the tag, and the full path with its NUL.
constexpr ULONG_PTR kOpenRequestTag = 0x54565830;  // "TVX0"
constexpr DWORD kOpenPathSize = sizeof(Session::currentFile);

// Takes the path out of a hand-over message; false for anything malformed (another tag, no
// data, too long, no NUL at its end or one before it).
bool readOpenRequest(const COPYDATASTRUCT* data, char (&path)[kOpenPathSize]);

}  // namespace torvik
