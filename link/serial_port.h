#pragma once
// The serial port as the link sees it. The program's port is a Win32 COM port with
// overlapped I/O; tests use a scripted port on a virtual clock.
#include <cstddef>
#include <cstdint>

namespace torvik {

// The fields of the device-control record that the link writes. It is kept by the link
// for the whole run and never read back from the port, so what the cradle negotiation
// leaves in it (DTR and RTS enabled) holds for every later transfer.
struct CommState {
  std::uint32_t baudRate = 0;
  std::uint8_t byteSize = 0;
  std::uint8_t parity = 0;    // 0: none
  std::uint8_t stopBits = 0;  // 0: one stop bit
  bool dtrEnable = false;
  bool rtsEnable = false;
  bool outxCtsFlow = false;
  bool outX = false;
};

struct CommTimeouts {
  std::uint32_t readInterval = 0;
  std::uint32_t readMultiplier = 0;
  std::uint32_t readConstant = 0;
  std::uint32_t writeMultiplier = 0;
  std::uint32_t writeConstant = 0;
};

constexpr std::uint32_t kMaxDword = 0xFFFFFFFFu;

// "Return at once" reads, as every transfer sets them.
constexpr CommTimeouts kImmediateReadTimeouts{kMaxDword, 0, 0, 5, 50};

enum class ReadResult { Byte, Nothing, Failed };

class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Opens the system port `name` (e.g. "COM3") for overlapped reading and writing.
  virtual bool open(const char* name) = 0;
  virtual void close() = 0;
  virtual bool setupQueues(std::uint32_t inputBytes, std::uint32_t outputBytes) = 0;
  virtual bool setState(const CommState& state) = 0;
  virtual bool getTimeouts(CommTimeouts& timeouts) = 0;
  virtual bool setTimeouts(const CommTimeouts& timeouts) = 0;
  virtual bool purge(bool transmit, bool receive) = 0;
  // Writes all `count` bytes within `limitMs`; false on failure or when the time ran out.
  virtual bool write(const std::uint8_t* data, std::size_t count, std::uint32_t limitMs) = 0;
  // Waits at most `waitMs` for bytes without keeping a processor busy, and takes up to
  // `capacity` of those that have arrived. Returns the count (0: none came), -1 on failure.
  virtual long read(std::uint8_t* buffer, std::size_t capacity, std::uint32_t waitMs) = 0;

  // True once the transfer must end at once: the user has asked for it (Ctrl+C in
  // torvik-cli), or the line has hung up (see hungUp). From then on reads fail at once and
  // the protocols leave through their failure paths without waiting out their time limits
  // or showing a message; the caller tells which it was.
  virtual bool stopped() { return false; }
  // True once the line has gone since the port was opened: the device was unplugged or the
  // other side of a pseudo-terminal closed. Nothing more can come, so waiting and retrying
  // would only end in a time-out. Ports that cannot tell say false.
  virtual bool hungUp() { return false; }

  ReadResult readByte(std::uint8_t& byte, std::uint32_t waitMs) {
    const long n = read(&byte, 1, waitMs);
    return n < 0 ? ReadResult::Failed : n == 0 ? ReadResult::Nothing : ReadResult::Byte;
  }
};

}  // namespace torvik
