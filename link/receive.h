#pragma once
// Receiving the terminal's records: "READ", then each numbered, checked record line is
// written and acknowledged until "OVER".
#include <cstddef>
#include <cstdint>

#include "link/serial_link.h"

namespace torvik {

constexpr std::uint32_t kRecordWaitMs = 500;
constexpr int kSilentWaitsAllowed = 10;
constexpr std::size_t kMaxRecordLine = 255;

// Where accepted records go (the output file in the program).
class RecordSink {
 public:
  virtual ~RecordSink() = default;
  // Writes one record's data and its CR LF; false when the write failed.
  virtual bool writeRecord(const std::uint8_t* data, std::size_t size) = 0;
  // Removes whatever a failed writeRecord left behind, so the sink ends with the last
  // complete record; false when that failed too.
  virtual bool dropUnfinishedRecord() = 0;
};

// The output file as the receive side needs it.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Appends `size` bytes; false when not all of them were written (a part may have been).
  // The record is acknowledged once this returns: a file that must survive a crash puts the
  // bytes on disk before it returns.
  virtual bool write(const std::uint8_t* data, std::size_t size) = 0;
  // Cuts the file back to its first `size` bytes; false when that failed.
  virtual bool truncate(std::uint64_t size) = 0;
};

// Records as CR LF lines appended to an output file of `startSize` bytes. A record the disk
// took only in part is cut off again on request, never more: the terminal was not told it
// arrived and sends it again next time, so a piece of it would stay as a damaged duplicate,
// while what the file held before is no business of this receive.
class FileRecordSink : public RecordSink {
 public:
  explicit FileRecordSink(OutputFile& file, std::uint64_t startSize = 0) : file_(file), complete_(startSize) {}
  bool writeRecord(const std::uint8_t* data, std::size_t size) override;
  bool dropUnfinishedRecord() override;
  std::uint64_t completeBytes() const { return complete_; }

 private:
  OutputFile& file_;
  std::uint64_t complete_;  // where the last complete record ends
};

struct ReceiveResult {
  // Stopped: the user ended the transfer (SerialPort::stopped); nothing was shown for it.
  enum class End { Over, NoConnection, TimedOut, WriteFailed, Stopped };
  End end = End::NoConnection;
  int count = 0;  // records written and acknowledged
  bool pieceLeft = false;  // a failed write's piece could not be removed from the file
};

// Builds the line a terminal sends for `data` with sequence number `seq` (for tests and
// the terminal peer): seq, data, check low, check high, CR. Returns its length.
std::size_t makeRecordLine(std::uint8_t seq, const std::uint8_t* data, std::size_t size, std::uint8_t* out);

// Handshake and record loop on an open port. Shows "Time out!", "Failed to establish
// connection!" and a failed write (with a piece of a record it could not remove) itself;
// the closing messages are finishReceive's.
ReceiveResult receiveRecords(SerialLink& link, LinkUi& ui, RecordSink& sink);

// The closing messages; returns whether the file is kept. A receive that ends early keeps
// the records already acknowledged: the terminal may have dropped its copies.
bool finishReceive(const ReceiveResult& result, LinkUi& ui, bool* viewFile);

}  // namespace torvik
