#pragma once
// The program's serial port: a COM port opened for overlapped I/O. Waits block on the
// operation's event with a time-out instead of polling, so a transfer keeps no processor busy.
#include <windows.h>

#include "link/serial_port.h"

namespace torvik {

class Win32SerialPort : public SerialPort {
 public:
  Win32SerialPort();
  ~Win32SerialPort() override;
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

  bool open(const char* name) override;
  void close() override;
  bool setupQueues(std::uint32_t inputBytes, std::uint32_t outputBytes) override;
  bool setState(const CommState& state) override;
  bool getTimeouts(CommTimeouts& timeouts) override;
  bool setTimeouts(const CommTimeouts& timeouts) override;
  bool purge(bool transmit, bool receive) override;
  bool write(const std::uint8_t* data, std::size_t count, std::uint32_t limitMs) override;
  long read(std::uint8_t* buffer, std::size_t capacity, std::uint32_t waitMs) override;
  bool stopped() override;

  // A manual-reset event that is set when the transfer must end (Ctrl+C in the console
  // program); reads then fail at once. The desktop program has none.
  void setStopEvent(HANDLE stop) { stop_ = stop; }

 private:
  // Waits for a pending operation; one still pending after `waitMs` is cancelled, and
  // whatever it moved before the cancel still counts. A `stoppable` wait (a read) also ends
  // at the stop, and fails; a write is let finish within its limit, so that an
  // acknowledgement for a record already on disk still goes out.
  bool finish(OVERLAPPED& ov, DWORD waitMs, DWORD* moved, bool stoppable);

  HANDLE handle_ = INVALID_HANDLE_VALUE;
  HANDLE event_ = nullptr;
  HANDLE stop_ = nullptr;
};

}  // namespace torvik
