#pragma once
#include <windows.h>

namespace torvik {

constexpr char kMainClassName[] = "Torvik";
constexpr char kMainWindowTitle[] = "Torvik";
constexpr int kMainLeft = 300;
constexpr int kMainTop = 50;
constexpr int kMainWidth = 200;   // at 100%: the face's size times the screen's scale and the zoom
constexpr int kMainHeight = 459;

bool registerMainWindowClass(HINSTANCE instance);
HWND createMainWindow(HINSTANCE instance);

// Shows the window with its topmost state from the preferences; at (300, 50) when
// `home`, else where it is.
void placeMainWindow(HWND window, bool home);

// Open's steps for the file `path` (nullptr: the Open dialog chooses): the Save prompt when
// modified, the reset to a new design, the load, then the editor once a file was loaded.
void openDesign(HWND window, const char* path);

}  // namespace torvik
