#pragma once
#include <windows.h>

namespace torvik {

class Simulator;

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

// Sets the simulator's record counter to zero (New and Open).
void resetRecordCounter();

}  // namespace torvik
