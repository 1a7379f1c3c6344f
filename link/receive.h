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
};

struct ReceiveResult {
  enum class End { Over, NoConnection, TimedOut, WriteFailed };
  End end = End::NoConnection;
  int count = 0;  // records written and acknowledged
};

// Builds the line a terminal sends for `data` with sequence number `seq` (for tests and
// the terminal peer): seq, data, check low, check high, CR. Returns its length.
std::size_t makeRecordLine(std::uint8_t seq, const std::uint8_t* data, std::size_t size, std::uint8_t* out);

// Handshake and record loop on an open port. Shows "Time out!" and "Failed to establish
// connection!" itself; the closing messages are finishReceive's.
ReceiveResult receiveRecords(SerialLink& link, LinkUi& ui, RecordSink& sink);

// The closing messages; returns whether the file is kept. A receive that ends early keeps
// the records already acknowledged: the terminal may have dropped its copies.
bool finishReceive(const ReceiveResult& result, LinkUi& ui, bool* viewFile);

}  // namespace torvik
