#include "link/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

namespace torvik {

namespace {

std::uint64_t nowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<std::uint64_t>(t.tv_sec) * 1000u + static_cast<std::uint64_t>(t.tv_nsec) / 1000000u;
}

bool speedOf(std::uint32_t rate, speed_t* speed) {
  switch (rate) {
    case 115200: *speed = B115200; return true;
    case 57600: *speed = B57600; return true;
    case 38400: *speed = B38400; return true;
    case 19200: *speed = B19200; return true;
    case 9600: *speed = B9600; return true;
    default: return false;
  }
}

bool characterSize(std::uint8_t bits, tcflag_t* size) {
  switch (bits) {
    case 5: *size = CS5; return true;
    case 6: *size = CS6; return true;
    case 7: *size = CS7; return true;
    case 8: *size = CS8; return true;
    default: return false;
  }
}

// A modem line up or down; devices without them (pseudo-terminals) refuse, which is no
// failure of the line itself.
void setModemLine(int fd, int line, bool on) {
  ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

}  // namespace

PosixSerialPort::~PosixSerialPort() { close(); }

bool PosixSerialPort::open(const char* name) {
  close();
  const int fd = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    openError_ = errno;
    return false;
  }
  // Another program on the same line would take the terminal's replies: the lock keeps out
  // every cooperating program, TIOCEXCL any later open (but root's).
  termios saved{};
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 || tcgetattr(fd, &saved) != 0 || ioctl(fd, TIOCEXCL) != 0) {
    openError_ = errno;
    ::close(fd);
    return false;
  }
  openError_ = 0;
  hungUp_ = false;
  fd_ = fd;
  saved_ = saved;
  timeouts_ = CommTimeouts{};
  return true;
}

void PosixSerialPort::close() {
  if (fd_ < 0) return;
  // What is still going out would be garbled by a change of rate: give it a moment.
  const std::uint64_t until = nowMs() + 200;
  int queued = 0;
  while (ioctl(fd_, TIOCOUTQ, &queued) == 0 && queued > 0 && nowMs() < until) {
    const timespec pause{0, 5 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
  tcsetattr(fd_, TCSANOW, &saved_);
  ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
}

bool PosixSerialPort::setupQueues(std::uint32_t, std::uint32_t) { return fd_ >= 0; }

bool PosixSerialPort::setState(const CommState& s) {
  if (fd_ < 0) return false;
  speed_t speed{};
  tcflag_t size{};
  if (!speedOf(s.baudRate, &speed) || !characterSize(s.byteSize, &size)) return false;
  termios t{};
  if (tcgetattr(fd_, &t) != 0) return false;
  cfmakeraw(&t);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  t.c_cflag |= size | CLOCAL | CREAD;
  switch (s.parity) {
    case 0: break;
    case 1: t.c_cflag |= PARENB | PARODD; break;
    case 2: t.c_cflag |= PARENB; break;
    default: return false;  // mark and space parity have no termios flag
  }
  if (s.stopBits != 0) t.c_cflag |= CSTOPB;  // 1.5 stop bits exist only with 5 data bits
  if (s.outxCtsFlow) t.c_cflag |= CRTSCTS;
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  if (s.outX) t.c_iflag |= IXON;
  // With the descriptor non-blocking a read then returns at once: EAGAIN when nothing has
  // arrived, 0 only when the line has hung up. poll() does the waiting.
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  if (cfsetispeed(&t, speed) != 0 || cfsetospeed(&t, speed) != 0) return false;
  if (tcsetattr(fd_, TCSANOW, &t) != 0) return false;
  // tcsetattr succeeds when any part took; the rate is what matters.
  termios applied{};
  if (tcgetattr(fd_, &applied) != 0 || cfgetospeed(&applied) != speed) return false;
  setModemLine(fd_, TIOCM_DTR, s.dtrEnable);
  setModemLine(fd_, TIOCM_RTS, s.rtsEnable);
  return true;
}

bool PosixSerialPort::getTimeouts(CommTimeouts& timeouts) {
  if (fd_ < 0) return false;
  timeouts = timeouts_;
  return true;
}

bool PosixSerialPort::setTimeouts(const CommTimeouts& timeouts) {
  if (fd_ < 0) return false;
  timeouts_ = timeouts;
  return true;
}

bool PosixSerialPort::purge(bool transmit, bool receive) {
  if (fd_ < 0) return false;
  if (!transmit && !receive) return true;
  const int which = transmit && receive ? TCIOFLUSH : transmit ? TCOFLUSH : TCIFLUSH;
  return tcflush(fd_, which) == 0;
}

bool PosixSerialPort::stopped() {
  if (hungUp_) return true;
  if (stopFd_ < 0) return false;
  pollfd p{stopFd_, POLLIN, 0};
  return poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

int PosixSerialPort::waitFor(short events, std::uint32_t waitMs) {
  const std::uint64_t until = nowMs() + waitMs;
  for (;;) {
    pollfd p[2] = {{fd_, events, 0}, {stopFd_, POLLIN, 0}};
    const std::uint64_t now = nowMs();
    const int left = now >= until ? 0 : static_cast<int>(until - now);
    const int n = poll(p, 2, left);
    if (n < 0) {
      if (errno == EINTR && !stopped()) continue;
      return -1;
    }
    if (n == 0) return 0;
    if (p[1].revents & POLLIN) return -1;
    // What arrived before a hang-up is still read; a hang-up with nothing to read ends here.
    if ((p[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0 && (p[0].revents & POLLIN) == 0) {
      hungUp_ = true;
      return -1;
    }
    return 1;
  }
}

bool PosixSerialPort::write(const std::uint8_t* data, std::size_t count, std::uint32_t limitMs) {
  if (fd_ < 0) return false;
  const std::uint64_t until = nowMs() + limitMs;
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(fd_, data + done, count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EIO) hungUp_ = true;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
    const std::uint64_t now = nowMs();
    if (now >= until) return false;
    if (waitFor(POLLOUT, static_cast<std::uint32_t>(until - now)) <= 0) return false;
  }
  return true;
}

long PosixSerialPort::read(std::uint8_t* buffer, std::size_t capacity, std::uint32_t waitMs) {
  if (fd_ < 0 || stopped()) return -1;
  const std::uint64_t until = nowMs() + waitMs;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, capacity);
    if (n > 0) return static_cast<long>(n);
    // End of file, or EIO on Linux: the other side has gone (a pseudo-terminal's master
    // closed, a USB adapter pulled).
    if (n == 0 || errno == EIO) {
      hungUp_ = true;
      return -1;
    }
    if (errno == EINTR) {
      if (stopped()) return -1;
      continue;
    }
    if (errno != EAGAIN && errno != EWOULDBLOCK) return -1;
    const std::uint64_t now = nowMs();
    if (now >= until) return 0;
    const int ready = waitFor(POLLIN, static_cast<std::uint32_t>(until - now));
    if (ready <= 0) return ready;
  }
}

}  // namespace torvik
