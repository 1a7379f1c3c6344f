#pragma once
// The design's history in the running program: the steps that Undo and Redo take, the popup
// items that name them, and the recovery file that keeps unsaved work through a crash.
#include <windows.h>

#include "definition/application_definition.h"

namespace torvik {

// New and Open: a fresh history whose start is the saved design.
void startFreshHistory();
// A change that reached the design on the user's behalf (an editor OK, a dialog's own OK):
// one step from `before` to the design as it is now, when any byte changed.
void recordDesignStep(const ApplicationDefinition& before);
// Undo and Redo: the design as it was before (after) the step, the Modified flag by the saved
// point, and the simulator back at its main menu. False when there was no step to take.
bool undoDesignStep();
bool redoDesignStep();
// A save wrote the design: the saved point moves here, and with nothing left unsaved the
// recovery file goes.
void designSaved();
// Gives the popup's Undo and Redo items the names of their steps, enabled only with one.
void refreshHistoryItems(HMENU popup);

// At start, once the main window is up and only in the first program: offers what the
// recovery file of a run that did not close properly holds, then keeps the file from then on.
void offerRecovery(HWND owner);
// Writes the design, its path and its Modified flag to the recovery file (when it is ours).
void writeRecoveryFile();
// A clean exit: the recovery file goes.
void removeRecoveryFile();

}  // namespace torvik
