#pragma once
// The port for one transfer: opening for download or receive, the infrared cradle's rate
// negotiation, and the timed primitives every protocol step is built from.
#include <cstddef>
#include <cstdint>

#include "link/link_ui.h"
#include "link/serial_port.h"
#include "base/clock.h"

namespace torvik {

constexpr int kBaudRateIndexCount = 5;
// Rate of a baud-rate index (115200, 57600, 38400, 19200, 9600); 0 outside 0..4.
std::uint32_t baudRateOfIndex(int index);
// The code byte that tells the cradle a rate ('6' for 115200 ... '2' for 9600).
std::uint8_t cradleRateCode(int index);

constexpr std::uint32_t kReadWriteLimitMs = 1000;
constexpr std::uint32_t kReplyLimitMs = 3000;
// After a read that failed, the next one is tried this much later: a failure ends no wait
// early (the bytes after it still count) and keeps no processor busy.
constexpr std::uint32_t kFailedReadPauseMs = 10;
constexpr int kReplyMaxBytes = 10;
constexpr std::uint32_t kProbeAnswerMs = 100;

class SerialLink {
 public:
  SerialLink(SerialPort& port, Clock& clock) : port_(port), clock_(clock) {}

  enum class OpenFor { Download, Receive };
  // Opens and configures `portName`; on failure shows the message of the situation (they
  // differ between download and receive), closes the port and returns false.
  bool open(OpenFor use, const char* portName, int baudRateIndex, bool cradle, LinkUi& ui);
  // After a download the receive queue is purged first; after a receive it is not.
  void close(OpenFor use);

  bool writeBytes(const std::uint8_t* data, std::size_t count);
  bool writeText(const char* text);
  ReadResult readByte(std::uint8_t& byte, std::uint32_t waitMs);
  // A reply of at most 10 bytes, ending at a carriage return (which is dropped), read
  // within 3000 ms. Silence reads as "".
  const char* readReplyLine();
  // Sends and reads the reply; a failed write only shows as silence.
  const char* sendAndReadReply(const std::uint8_t* data, std::size_t count);
  const char* reply() const { return reply_; }
  // Bytes of the last reply line, the carriage return dropped.
  std::size_t replyLength() const { return replyLength_; }
  // How the last reply line ended: at its carriage return, or at its tenth byte (both
  // "complete"), rather than at the time limit.
  bool replyEndedWithReturn() const { return replyEndedWithReturn_; }
  bool replyComplete() const { return replyEndedWithReturn_ || replyLength_ >= static_cast<std::size_t>(kReplyMaxBytes); }

  // The user has asked for the transfer to end (see SerialPort::stopped).
  bool stopped() { return port_.stopped(); }

  // Clears what has arrived, in the port and in the link's read buffer.
  void purge(bool transmit, bool receive);

  SerialPort& port() { return port_; }
  Clock& clock() { return clock_; }
  const CommState& state() const { return state_; }
  std::uint32_t settleDelay() const { return settleDelayMs_; }

  // Finds the rate at which the cradle answers and switches it to the chosen one.
  bool negotiateCradle(int baudRateIndex);

 private:
  bool probe(std::uint32_t rate);
  bool apply() { return port_.setState(state_); }
  void setLineFormat(int baudRateIndex);

  SerialPort& port_;
  Clock& clock_;
  CommState state_{};
  std::uint32_t settleDelayMs_ = 200;
  char reply_[256] = {};
  std::size_t replyLength_ = 0;
  bool replyEndedWithReturn_ = false;
  // Bytes taken from the port but not yet read: one port read takes all that has arrived,
  // which costs far less than a read per byte.
  std::uint8_t input_[256] = {};
  std::size_t inputLength_ = 0;
  std::size_t inputNext_ = 0;
};

}  // namespace torvik
