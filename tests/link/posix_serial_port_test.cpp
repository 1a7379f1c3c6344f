// The POSIX serial port on a pseudo-terminal: the line's settings as the other side sees
// them, bytes both ways, waits that idle, and the ends (a stop, the other side gone).
#include "link/posix_serial_port.h"

#include <fcntl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "base/clock.h"
#include "link/serial_link.h"

namespace torvik {
namespace {

// A pseudo-terminal: the master plays the terminal; `watch` is a second descriptor on the
// slave, opened before the port, through which the test reads the line's settings.
struct Pty : ::testing::Test {
  int master = -1;
  int watch = -1;
  std::string slave;

  void SetUp() override {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    slave = ptsname(master);
    watch = ::open(slave.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(watch, 0);
  }
  void TearDown() override {
    if (watch >= 0) ::close(watch);
    if (master >= 0) ::close(master);
  }
  termios line() const {
    termios t{};
    tcgetattr(watch, &t);
    return t;
  }
  // Up to `want` bytes that reach the terminal's side within a second.
  std::string fromMaster(std::size_t want) {
    char buffer[256];
    std::string got;
    for (int i = 0; i < 200 && got.size() < want; ++i) {
      const ssize_t n = ::read(master, buffer, sizeof buffer);
      if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
      if (n <= 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return got;
  }
};

double threadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

CommState lineState(std::uint32_t rate) {
  CommState s;
  s.baudRate = rate;
  s.byteSize = 8;
  return s;
}

TEST_F(Pty, EveryRateRawEightBitsAndTheLineAsItWasAfterClose) {
  const termios before = line();
  PosixSerialPort port;
  ASSERT_TRUE(port.open(slave.c_str()));
  struct Case {
    std::uint32_t rate;
    speed_t speed;
  };
  for (const Case c : {Case{115200, B115200}, Case{57600, B57600}, Case{38400, B38400}, Case{19200, B19200}, Case{9600, B9600}}) {
    SCOPED_TRACE(c.rate);
    CommState s = lineState(c.rate);
    // A pseudo-terminal has no modem lines: asking for them is no failure.
    s.dtrEnable = s.rtsEnable = true;
    ASSERT_TRUE(port.setState(s));
    const termios t = line();
    EXPECT_EQ(cfgetispeed(&t), c.speed);
    EXPECT_EQ(cfgetospeed(&t), c.speed);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | ICRNL), 0u);
  }
  CommState flow = lineState(9600);
  flow.outxCtsFlow = flow.outX = true;
  ASSERT_TRUE(port.setState(flow));
  EXPECT_NE(line().c_cflag & CRTSCTS, 0u);
  EXPECT_NE(line().c_iflag & IXON, 0u);
  EXPECT_FALSE(port.setState(lineState(4800)));  // not one of the link's rates
  EXPECT_FALSE(port.setState(lineState(0)));

  port.close();
  const termios after = line();
  EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
  EXPECT_EQ(after.c_cflag, before.c_cflag);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(after.c_iflag, before.c_iflag);
}

TEST_F(Pty, BytesBothWaysThroughTheLinkAndASecondUserIsRefused) {
  PosixSerialPort port;
  ASSERT_TRUE(port.open(slave.c_str()));
  ASSERT_TRUE(port.setState(lineState(115200)));
  PosixSerialPort other;
  EXPECT_FALSE(other.open(slave.c_str()));
  EXPECT_EQ(other.openError(), EWOULDBLOCK);
  PosixSerialPort missing;
  EXPECT_FALSE(missing.open("/nonexistent/tty"));
  EXPECT_EQ(missing.openError(), ENOENT);

  SerialLink link(port, systemClock());
  ASSERT_TRUE(link.writeText("QUELLO\r"));
  EXPECT_EQ(fromMaster(7), "QUELLO\r");
  // Bytes that are not line ends or control characters to a cooked line pass unchanged.
  ASSERT_EQ(::write(master, "T900RU004\r\x03\x0A", 12), 12);
  EXPECT_STREQ(link.readReplyLine(), "T900RU004");
  std::uint8_t byte = 0;
  ASSERT_EQ(link.readByte(byte, 100), ReadResult::Byte);
  EXPECT_EQ(byte, 0x03);
  ASSERT_EQ(link.readByte(byte, 100), ReadResult::Byte);
  EXPECT_EQ(byte, 0x0A);
  EXPECT_EQ(link.readByte(byte, 20), ReadResult::Nothing);
}

TEST_F(Pty, AReadThatHearsNothingWaitsItsTimeWithTheProcessorIdle) {
  PosixSerialPort port;
  ASSERT_TRUE(port.open(slave.c_str()));
  ASSERT_TRUE(port.setState(lineState(115200)));
  std::uint8_t byte = 0;
  const auto start = std::chrono::steady_clock::now();
  const double cpuStart = threadCpuMs();
  EXPECT_EQ(port.read(&byte, 1, 300), 0);
  const double wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const double cpuMs = threadCpuMs() - cpuStart;
  EXPECT_GE(wallMs, 299.0);
  // A busy wait would burn about the whole 300 ms.
  EXPECT_LT(cpuMs, 100.0) << "the wait kept the processor busy";
}

TEST_F(Pty, AStopEndsAWaitAndTheOtherSideGoneIsAFailureNotAHang) {
  int stop[2];
  ASSERT_EQ(pipe(stop), 0);
  PosixSerialPort port(stop[0]);
  ASSERT_TRUE(port.open(slave.c_str()));
  ASSERT_TRUE(port.setState(lineState(115200)));
  EXPECT_FALSE(port.stopped());
  std::thread ctrlC([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(::write(stop[1], "x", 1), 1);
  });
  std::uint8_t byte = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(port.read(&byte, 1, 10000), -1);
  ctrlC.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(port.stopped());
  EXPECT_FALSE(port.hungUp());
  // What the line takes at once still goes: an acknowledgement is not lost to the stop.
  EXPECT_TRUE(port.write(reinterpret_cast<const std::uint8_t*>("ACK\r"), 4, 1000));
  EXPECT_EQ(fromMaster(4), "ACK\r");
  port.close();
  ::close(stop[0]);
  ::close(stop[1]);

  PosixSerialPort again;
  ASSERT_TRUE(again.open(slave.c_str()));
  ASSERT_TRUE(again.setState(lineState(115200)));
  ::close(master);
  master = -1;
  EXPECT_EQ(again.read(&byte, 1, 10000), -1);
  EXPECT_FALSE(again.write(&byte, 1, 10000));
}


TEST_F(Pty, AHangUpEndsAWaitAtOnceAfterWhatCameBeforeIt) {
  PosixSerialPort port;
  ASSERT_TRUE(port.open(slave.c_str()));
  ASSERT_TRUE(port.setState(lineState(115200)));
  SerialLink link(port, systemClock());
  ASSERT_EQ(::write(master, "AC", 2), 2);
  std::thread unplug([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ::close(master);
    master = -1;
  });
  // A reply wait is 3000 ms, and a failed read would be retried until it ends.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_STREQ(link.readReplyLine(), "AC");
  unplug.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  EXPECT_TRUE(port.hungUp());
  EXPECT_TRUE(port.stopped());
  std::uint8_t byte = 0;
  EXPECT_EQ(port.read(&byte, 1, 10000), -1);
}

}  // namespace
}  // namespace torvik
