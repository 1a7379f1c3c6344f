#include "link/serial_link.h"

#include <cstring>

#include "base/string_ids.h"

namespace torvik {

namespace {
constexpr std::uint32_t kRates[kBaudRateIndexCount] = {115200, 57600, 38400, 19200, 9600};
constexpr std::uint8_t kProbeByte = 0x0F;
}  // namespace

std::uint32_t baudRateOfIndex(int index) { return index >= 0 && index < kBaudRateIndexCount ? kRates[index] : 0; }

std::uint8_t cradleRateCode(int index) {
  return index >= 0 && index < kBaudRateIndexCount ? static_cast<std::uint8_t>('6' - index) : 0;
}

void SerialLink::setLineFormat(int baudRateIndex) {
  // An index outside the table keeps whatever rate the record holds.
  if (const std::uint32_t rate = baudRateOfIndex(baudRateIndex)) state_.baudRate = rate;
  state_.byteSize = 8;
  state_.parity = 0;
  state_.stopBits = 0;
}

bool SerialLink::open(OpenFor use, const char* portName, int baudRateIndex, bool cradle, LinkUi& ui) {
  const bool download = use == OpenFor::Download;
  inputLength_ = inputNext_ = 0;
  if (portName == nullptr || portName[0] == '\0' || !port_.open(portName)) {
    ui.show(kStrError, kStrCannotOpenPort, download ? BoxIcon::Exclamation : BoxIcon::None);
    return false;
  }
  if (download) {
    port_.setupQueues(256, 1200);
    setLineFormat(baudRateIndex);
    if (cradle && !negotiateCradle(baudRateIndex)) {
      if (!port_.stopped()) ui.show(kStrError, kStrFailedConfigureIr, BoxIcon::Exclamation);
      port_.close();
      return false;
    }
    if (!apply()) {
      ui.show(kStrError, kStrErrorCommState, BoxIcon::Exclamation);
      port_.close();
      return false;
    }
    return true;
  }
  port_.setupQueues(256, 256);
  if (cradle && !negotiateCradle(baudRateIndex)) {
    const bool stopped = port_.stopped();
    port_.close();
    if (!stopped) ui.show(kStrError, kStrCannotConfigureIr, BoxIcon::Exclamation);
    return false;
  }
  setLineFormat(baudRateIndex);
  if (!apply() || !port_.setTimeouts(kImmediateReadTimeouts)) {
    port_.close();
    return false;
  }
  return true;
}

void SerialLink::close(OpenFor use) {
  if (use == OpenFor::Download) port_.purge(false, true);
  port_.close();
  inputLength_ = inputNext_ = 0;
}

bool SerialLink::writeBytes(const std::uint8_t* data, std::size_t count) {
  return port_.write(data, count, kReadWriteLimitMs);
}

bool SerialLink::writeText(const char* text) {
  return writeBytes(reinterpret_cast<const std::uint8_t*>(text), std::strlen(text));
}

ReadResult SerialLink::readByte(std::uint8_t& byte, std::uint32_t waitMs) {
  if (inputNext_ < inputLength_) {
    byte = input_[inputNext_++];
    return ReadResult::Byte;
  }
  const long n = port_.read(input_, sizeof input_, waitMs);
  if (n < 0) return ReadResult::Failed;
  if (n == 0) return ReadResult::Nothing;
  inputLength_ = static_cast<std::size_t>(n);
  inputNext_ = 1;
  byte = input_[0];
  return ReadResult::Byte;
}

void SerialLink::purge(bool transmit, bool receive) {
  port_.purge(transmit, receive);
  if (receive) inputLength_ = inputNext_ = 0;
}

const char* SerialLink::readReplyLine() {
  std::memset(reply_, 0, sizeof reply_);
  replyLength_ = 0;
  const std::uint32_t start = clock_.tickCount();
  for (;;) {
    const std::uint32_t elapsed = elapsedSince(clock_, start);
    if (elapsed > kReplyLimitMs) break;
    std::uint8_t byte = 0;
    const ReadResult r = readByte(byte, kReplyLimitMs + 1 - elapsed);
    if (r == ReadResult::Failed) {
      if (port_.stopped()) break;
      clock_.sleep(kFailedReadPauseMs);
      continue;
    }
    if (r == ReadResult::Nothing) continue;
    reply_[replyLength_++] = static_cast<char>(byte);
    if (byte == '\r' || replyLength_ >= static_cast<std::size_t>(kReplyMaxBytes)) break;
  }
  replyEndedWithReturn_ = replyLength_ > 0 && reply_[replyLength_ - 1] == '\r';
  if (replyEndedWithReturn_) reply_[--replyLength_] = '\0';
  return reply_;
}

const char* SerialLink::sendAndReadReply(const std::uint8_t* data, std::size_t count) {
  writeBytes(data, count);
  return readReplyLine();
}

bool SerialLink::probe(std::uint32_t rate) {
  state_.baudRate = rate;
  state_.rtsEnable = false;
  apply();
  clock_.sleep(settleDelayMs_);
  purge(true, true);
  clock_.sleep(settleDelayMs_);
  const std::uint8_t probeByte = kProbeByte;
  writeBytes(&probeByte, 1);
  clock_.sleep(settleDelayMs_);
  bool answered = false;
  const std::uint32_t start = clock_.tickCount();
  for (;;) {
    const std::uint32_t elapsed = elapsedSince(clock_, start);
    if (elapsed >= kProbeAnswerMs) break;
    std::uint8_t byte = 0;
    const ReadResult r = readByte(byte, kProbeAnswerMs - elapsed);
    if (r == ReadResult::Byte) {
      answered = byte == kProbeByte;
      break;
    }
    if (r == ReadResult::Failed) break;
  }
  state_.rtsEnable = true;
  apply();
  clock_.sleep(settleDelayMs_);
  settleDelayMs_ = 100;
  return answered;
}

bool SerialLink::negotiateCradle(int baudRateIndex) {
  state_.baudRate = 38400;
  state_.byteSize = 8;
  state_.parity = 0;
  state_.stopBits = 0;
  CommTimeouts timeouts;
  if (port_.getTimeouts(timeouts)) {
    timeouts.readInterval = kMaxDword;
    port_.setTimeouts(timeouts);
  }
  state_.rtsEnable = true;
  state_.dtrEnable = true;
  apply();
  settleDelayMs_ = 200;
  clock_.sleep(settleDelayMs_);

  static constexpr std::uint32_t kProbeOrder[] = {9600, 115200, 57600, 38400, 19200};
  bool found = false;
  for (std::uint32_t rate : kProbeOrder) {
    if (port_.stopped()) return false;
    if (probe(rate)) {
      if (rate == 9600) settleDelayMs_ = 200;
      found = true;
      break;
    }
  }
  if (!found) return false;

  state_.rtsEnable = false;
  apply();
  clock_.sleep(settleDelayMs_);
  // The three command bytes go out at the rate that answered; the chosen rate is put in
  // the record now but applied only with RTS on below.
  const std::uint8_t bell = 0x07;
  writeBytes(&bell, 1);
  clock_.sleep(settleDelayMs_);
  setLineFormat(baudRateIndex);
  const std::uint8_t code = cradleRateCode(baudRateIndex);
  writeBytes(&code, 1);
  clock_.sleep(settleDelayMs_);
  const std::uint8_t quit = 'Q';
  writeBytes(&quit, 1);
  clock_.sleep(settleDelayMs_);
  state_.rtsEnable = true;
  apply();
  clock_.sleep(settleDelayMs_);
  state_.parity = 0;
  state_.byteSize = 8;
  state_.outxCtsFlow = false;
  state_.outX = false;
  return true;
}

}  // namespace torvik
