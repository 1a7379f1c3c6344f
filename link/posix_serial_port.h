#pragma once
// A serial device on a POSIX system (/dev/ttyUSB0, /dev/ttyS0, a pseudo-terminal) behind the
// link's port interface. The device is held for exclusive use, its settings are put back as
// they were when it is closed, and every wait is a poll() with a time limit: no processor
// is kept busy.
#include <termios.h>

#include "link/serial_port.h"

namespace torvik {

class PosixSerialPort : public SerialPort {
 public:
  // `stopFd` turns readable when the transfer must end (the read end of a pipe that the
  // Ctrl+C handler writes to); -1 for none. From then on every wait fails at once.
  explicit PosixSerialPort(int stopFd = -1) : stopFd_(stopFd) {}
  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  bool open(const char* name) override;
  // Puts the device's settings back as they were at open and lets it go.
  void close() override;
  // The driver's queues are its own business on POSIX; nothing to size.
  bool setupQueues(std::uint32_t inputBytes, std::uint32_t outputBytes) override;
  // Raw 8-bit line at the state's rate; DTR and RTS where the device has them (a
  // pseudo-terminal has none, which is no failure).
  bool setState(const CommState& state) override;
  // Kept only to be read back: every read is given its own wait by the link.
  bool getTimeouts(CommTimeouts& timeouts) override;
  bool setTimeouts(const CommTimeouts& timeouts) override;
  bool purge(bool transmit, bool receive) override;
  // What the device takes at once goes out even after a stop (an acknowledgement for a
  // record already on disk is not lost that way); a wait for room ends at the stop.
  bool write(const std::uint8_t* data, std::size_t count, std::uint32_t limitMs) override;
  long read(std::uint8_t* buffer, std::size_t capacity, std::uint32_t waitMs) override;
  // Also true once the line has hung up.
  bool stopped() override;
  // A read found the end of the line's file or an I/O error, or poll() reported a hang-up.
  bool hungUp() override { return hungUp_; }

  bool isOpen() const { return fd_ >= 0; }
  // The errno of the last open that failed (EWOULDBLOCK: another program holds the
  // device); 0 after one that succeeded.
  int openError() const { return openError_; }

 private:
  // Waits up to `waitMs` for `events` on the device; 1 ready, 0 time out, -1 stop or failure.
  int waitFor(short events, std::uint32_t waitMs);

  int fd_ = -1;
  int stopFd_ = -1;
  int openError_ = 0;
  bool hungUp_ = false;
  termios saved_{};
  CommTimeouts timeouts_{};
};

}  // namespace torvik
