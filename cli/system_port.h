#pragma once
// The platform's side of a transfer: its serial port and Ctrl+C. One file per platform
// implements it (_posix, _win32).
#include <memory>
#include <string>

#include "link/serial_port.h"

namespace torvik {

// For the length of one transfer, Ctrl+C (on POSIX also SIGTERM and SIGHUP; on Windows
// Ctrl+Break and closing the console) ends the transfer instead of the program: the port's
// waits fail at once, the protocol leaves through its failure path, and the port is put back
// as it was and closed. The previous handling returns when this goes. One at a time.
class TransferStop {
 public:
  TransferStop();
  ~TransferStop();
  TransferStop(const TransferStop&) = delete;
  TransferStop& operator=(const TransferStop&) = delete;

  bool requested() const;
  // The system's serial port (a device path such as /dev/ttyUSB0 on POSIX, COM3 on
  // Windows), whose waits end at this stop.
  std::unique_ptr<SerialPort> makePort() const;
};

// Why the last open of a port from makePort failed, in words; "" when unknown.
std::string portOpenFailure(SerialPort& port);

}  // namespace torvik
