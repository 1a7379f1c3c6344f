#pragma once
#include <windows.h>

#include "base/clock.h"
#include "base/ui_strings.h"
#include "definition/application_definition.h"

namespace torvik {

class Simulator;

// What the face works with, handed to it as the creation data of its window (lpParam).
struct FaceContext {
  HINSTANCE instance = nullptr;
  HWND commandWindow = nullptr;  // receives the popup menu's commands and is dragged
  ApplicationDefinition* definition = nullptr;
  UiStrings* strings = nullptr;
  Clock* clock = nullptr;
  // Adds the recent-file items to the popup menu before `position`.
  void (*insertRecentFiles)(HMENU popup, int position) = nullptr;
};

constexpr char kFaceClassName[] = "Client";

// Registers the window class of the terminal face.
bool registerFaceClass(HINSTANCE instance);

// Rebuilds the popup menu (language texts, recent files) and returns the simulator to
// its main menu. Also called after a language change.
void reloadPopupMenu(HWND face);

// Brings the simulated terminal back to its main menu and repaints the LCD.
void simulatorReturnToMainMenu(HWND face);

// Passes a key code to the simulator as the face would; 51 after the design was applied.
void simulatorKey(int code);

// The engine behind the face (nullptr before the face exists), for tests that read its model.
const Simulator* faceSimulator();

// The popup menu as last loaded, for tests of its items.
HMENU facePopupMenu();

// Paints the face at `percent` of its 200 x 459 pixels (the screen's scale times the
// zoom); the popup menu checks `zoom`. The caller sizes the window.
void setFaceScale(HWND face, int percent, int zoom);
int faceScale();

// Sets the simulator's record counter to zero (New and Open).
void resetRecordCounter();

}  // namespace torvik
