#include "link/receive.h"

#include <cstring>

#include "base/string_ids.h"
#include "link/download.h"

namespace torvik {

std::size_t makeRecordLine(std::uint8_t seq, const std::uint8_t* data, std::size_t size, std::uint8_t* out) {
  unsigned sum = seq;
  out[0] = seq;
  for (std::size_t i = 0; i < size; ++i) {
    out[1 + i] = data[i];
    sum += data[i];
  }
  sum &= 0xFFFF;
  out[1 + size] = lineCheckByte(sum);
  out[2 + size] = lineCheckByte(sum >> 8);
  out[3 + size] = '\r';
  return size + 4;
}

bool FileRecordSink::writeRecord(const std::uint8_t* data, std::size_t size) {
  std::uint8_t line[kMaxRecordLine + 2];
  if (size > kMaxRecordLine) return false;
  std::memcpy(line, data, size);
  line[size] = '\r';
  line[size + 1] = '\n';
  if (!file_.write(line, size + 2)) return false;
  complete_ += size + 2;
  return true;
}

bool FileRecordSink::dropUnfinishedRecord() { return file_.truncate(complete_); }

namespace {

bool sendWord(SerialLink& link, const char* word) { return link.writeText(word); }

// True when "ACK\r" came back within the handshake's rules; shows the failure otherwise.
bool receiveHandshake(SerialLink& link, LinkUi& ui) {
  for (int attempts = 0;;) {
    sendWord(link, "READ\r");
    const char* reply = link.readReplyLine();
    if (link.stopped()) return false;  // the user ended it: nothing to tell them
    const bool timedOut = !link.replyComplete();
    if (timedOut && attempts >= 3) {
      ui.show(kStrError, kStrTimeOut, BoxIcon::None);
      return false;
    }
    if (link.replyEndedWithReturn() && std::strcmp(reply, "ACK") == 0) return true;
    if (attempts++ >= 5) {
      ui.show(kStrError, kStrNoConnection, BoxIcon::None);
      return false;
    }
  }
}

enum class LineWait { Line, Silence, Stopped };  // Stopped: the user ended the transfer

// Collects one line within 500 ms; at most 255 bytes are kept.
LineWait waitForLine(SerialLink& link, std::uint8_t* line, std::size_t* length, bool* overlong) {
  *length = 0;
  *overlong = false;
  const std::uint32_t start = link.clock().tickCount();
  for (;;) {
    const std::uint32_t elapsed = elapsedSince(link.clock(), start);
    if (elapsed > kRecordWaitMs) return LineWait::Silence;
    std::uint8_t byte = 0;
    const ReadResult r = link.readByte(byte, kRecordWaitMs + 1 - elapsed);
    if (r == ReadResult::Failed) {
      if (link.stopped()) return LineWait::Stopped;
      link.clock().sleep(kFailedReadPauseMs);
      continue;
    }
    if (r == ReadResult::Nothing) continue;
    if (byte == '\r') return LineWait::Line;
    if (*length < kMaxRecordLine)
      line[(*length)++] = byte;
    else
      *overlong = true;
  }
}

}  // namespace

ReceiveResult receiveRecords(SerialLink& link, LinkUi& ui, RecordSink& sink) {
  ReceiveResult result;
  if (!receiveHandshake(link, ui)) {
    result.end = link.stopped() ? ReceiveResult::End::Stopped : ReceiveResult::End::NoConnection;
    return result;
  }
  ui.counterBegin();
  std::uint8_t expected = 0;
  int silentWaits = 0;
  std::uint8_t line[kMaxRecordLine + 1];
  for (;;) {
    std::size_t length = 0;
    bool overlong = false;
    const LineWait wait = waitForLine(link, line, &length, &overlong);
    if (wait == LineWait::Stopped) {
      ui.counterEnd();
      result.end = ReceiveResult::End::Stopped;
      return result;
    }
    if (wait != LineWait::Line) {
      if (silentWaits++ < kSilentWaitsAllowed) {
        sendWord(link, "NAK\r");
        continue;
      }
      ui.counterEnd();
      ui.show(kStrError, kStrTimeOut, BoxIcon::None);
      result.end = ReceiveResult::End::TimedOut;
      return result;
    }
    silentWaits = 0;
    if (!overlong && length == 4 && std::memcmp(line, "OVER", 4) == 0) {
      ui.counterEnd();
      result.end = ReceiveResult::End::Over;
      return result;
    }
    // Too short to hold a sequence number and two check bytes, or cut: it cannot pass.
    if (length < 3 || overlong) {
      sendWord(link, "NAK\r");
      continue;
    }
    if (line[0] != expected) {
      // The previous record again: its acknowledgement was lost.
      sendWord(link, line[0] == (expected + 9) % 10 ? "ACK\r" : "NAK\r");
      continue;
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i + 2 < length; ++i) sum += line[i];
    sum &= 0xFFFF;
    if (line[length - 2] != lineCheckByte(sum) || line[length - 1] != lineCheckByte(sum >> 8)) {
      sendWord(link, "NAK\r");
      continue;
    }
    if (!sink.writeRecord(line + 1, length - 3)) {
      // Not acknowledged, so the terminal keeps the record and sends it again next time.
      result.pieceLeft = !sink.dropUnfinishedRecord();
      ui.counterEnd();
      ui.show(kStrError, kStrFileCreateFailed, BoxIcon::None);
      if (result.pieceLeft) ui.show(kStrError, kStrRecordPieceLeft, BoxIcon::Exclamation);
      result.end = ReceiveResult::End::WriteFailed;
      return result;
    }
    ++result.count;
    expected = static_cast<std::uint8_t>((expected + 1) % 10);
    ui.counterUpdate(result.count);
    sendWord(link, "ACK\r");
  }
}

bool finishReceive(const ReceiveResult& result, LinkUi& ui, bool* viewFile) {
  *viewFile = false;
  if (result.count > 0 && result.end == ReceiveResult::End::Over) {
    *viewFile = ui.askViewReceived(result.count);
    return true;
  }
  if (result.count > 0) {
    ui.showNumber(kStrUploadData, kStrReceiveIncomplete, BoxIcon::Exclamation, result.count);
    return true;
  }
  if (result.end == ReceiveResult::End::Over || result.end == ReceiveResult::End::NoConnection)
    ui.show(kStrUploadData, kStrNoDataReceived, BoxIcon::None);
  return false;
}

}  // namespace torvik
