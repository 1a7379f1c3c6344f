#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/system_port.h"
#include "link/posix_serial_port.h"

namespace torvik {

namespace {

// The handler may only write to a descriptor: a pipe whose read end the port polls beside
// the device, so that a stop ends a wait that has already begun.
int stopPipe[2] = {-1, -1};
volatile sig_atomic_t stopSeen = 0;

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previous[3];

void onStopSignal(int) {
  const int savedErrno = errno;
  stopSeen = 1;
  const char byte = 1;
  // A full pipe is readable already.
  if (write(stopPipe[1], &byte, 1) < 0) {
  }
  errno = savedErrno;
}

bool makeStopPipe() {
  if (stopPipe[0] >= 0) return true;
  if (pipe(stopPipe) != 0) return false;
  for (int fd : stopPipe) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  return true;
}

}  // namespace

TransferStop::TransferStop() {
  if (makeStopPipe()) {
    char drain[64];
    while (read(stopPipe[0], drain, sizeof drain) > 0) {
    }
  }
  stopSeen = 0;
  struct sigaction action{};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a blocking read (the answer to a question) ends at the signal too.
  action.sa_flags = 0;
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &previous[i]);
}

TransferStop::~TransferStop() {
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous[i], nullptr);
}

bool TransferStop::requested() const { return stopSeen != 0; }

std::unique_ptr<SerialPort> TransferStop::makePort() const { return std::make_unique<PosixSerialPort>(stopPipe[0]); }

std::string portOpenFailure(SerialPort& port) {
  const int error = static_cast<PosixSerialPort&>(port).openError();
  if (error == 0) return std::string();
  // The lock refuses with "would block": say what it means.
  if (error == EWOULDBLOCK) return "in use by another program";
  if (error == ENOTTY) return "not a serial device";
  return std::strerror(error);
}

}  // namespace torvik
