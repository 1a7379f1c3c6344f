// Process entry: window classes, the main window, and the message loop with the
// accelerator table.
#include <windows.h>

#include "shell/app_win32.h"
#include "shell/main_window_win32.h"
#include "simulator/face_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace torvik;
  if (!registerMainWindowClass(instance) || !registerFaceClass(instance)) return 0;
  app().instance = instance;
  HWND window = createMainWindow(instance);
  if (window == nullptr) return 0;
  app().mainWindow = window;
  UpdateWindow(window);
  HACCEL accelerators = LoadAcceleratorsA(instance, "Torvik");

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorA(window, accelerators, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
