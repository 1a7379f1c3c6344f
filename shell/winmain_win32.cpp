// Process entry: a second start hands its file to the first; otherwise the window classes,
// the main window, the design named on the command line, and the message loop with the
// accelerator table.
#include <windows.h>

#include "shell/app_win32.h"
#include "shell/history_win32.h"
#include "shell/main_window_win32.h"
#include "shell/open_requests_win32.h"
#include "simulator/face_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  using namespace torvik;
  const StartArguments start = parseStartArguments(commandLine);
  if (handOverToRunningProgram(start)) return 0;
  app().designNamedAtStart = start.request != StartRequest::NewDesign;
  if (!registerMainWindowClass(instance) || !registerFaceClass(instance)) return 0;
  app().instance = instance;
  HWND window = createMainWindow(instance);
  if (window == nullptr) return 0;
  app().mainWindow = window;
  UpdateWindow(window);
  // What a run that did not close properly left unsaved comes back before anything is opened.
  offerRecovery(window);
  openStartupDesign(window, start);
  HACCEL accelerators = LoadAcceleratorsA(instance, "Torvik");

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorA(window, accelerators, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
