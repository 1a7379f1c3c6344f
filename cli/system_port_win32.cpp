#include <windows.h>

#include "cli/system_port.h"
#include "link/win32_serial_port_win32.h"

namespace torvik {

namespace {

// Set by the console's control handler, which runs on a thread of its own; the port waits
// on it beside its own event.
HANDLE stopEvent = nullptr;

BOOL WINAPI onConsoleControl(DWORD type) {
  switch (type) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      SetEvent(stopEvent);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

TransferStop::TransferStop() {
  if (stopEvent == nullptr) stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (stopEvent != nullptr) ResetEvent(stopEvent);
  SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

TransferStop::~TransferStop() { SetConsoleCtrlHandler(onConsoleControl, FALSE); }

bool TransferStop::requested() const { return stopEvent != nullptr && WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0; }

std::unique_ptr<SerialPort> TransferStop::makePort() const {
  auto port = std::make_unique<Win32SerialPort>();
  port->setStopEvent(stopEvent);
  return port;
}

std::string portOpenFailure(SerialPort&) { return std::string(); }

}  // namespace torvik
