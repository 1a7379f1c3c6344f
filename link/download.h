#pragma once
// Downloads to the terminal: the handshake, the program image in 200 checked blocks, and
// lookup files line by line; the shared send-with-retry and the retry question.
#include <cstddef>
#include <cstdint>

#include "definition/settings_records.h"
#include "link/serial_link.h"

namespace torvik {

enum class DownloadMode { Application = 0, Lookup = 1 };

constexpr std::size_t kImageSize = 20000;
constexpr int kImageBlockCount = 200;
constexpr std::size_t kBlockBytes = 100;
constexpr std::size_t kBlockPacketSize = 103;
constexpr int kSendAttempts = 7;
constexpr int kHandshakeAttempts = 3;
constexpr std::size_t kLookupChunk = 128;
// The largest lookup file a download reads, far beyond what a terminal holds.
constexpr std::size_t kMaxLookupFileSize = (std::size_t{1} << 30) - 1;

// Block n of the image: 100 data bytes, the sum's high and low byte, and n.
void makeBlockPacket(const std::uint8_t* image, int n, std::uint8_t (&packet)[kBlockPacketSize]);
// A check byte of the lookup and receive formats: 0x0D would end the line, so it goes
// out as 0x0E.
inline std::uint8_t lineCheckByte(unsigned value) {
  const auto b = static_cast<std::uint8_t>(value & 0xFF);
  return b == 0x0D ? 0x0E : b;
}
// Appends the check bytes (high first) and CR to `line` of `length` bytes; returns the
// packet's length. `line` must have room for length + 3 bytes.
std::size_t finishLookupPacket(std::uint8_t* line, std::size_t length);

// The 1-based number of the first line longer than 253 bytes, or 0 when all fit.
long findOverlongLookupLine(const std::uint8_t* data, std::size_t size);
// The 1-based number (lines counted by their CRs, as the download sends them) of the first
// line that holds a line feed alone between two lines of the file: the download drops line
// feeds, so those lines would reach the terminal as one record. 0 when there is none.
long findLineFeedEndedLine(const std::uint8_t* data, std::size_t size);
// What a lookup file must pass before the port opens: shows the refusal and returns false.
bool lookupFileSendable(LinkUi& ui, const std::uint8_t* data, std::size_t size);

// "QUELLO\r" and the terminal's answer; shows its own messages. True when accepted.
bool handshake(SerialLink& link, LinkUi& ui, DownloadMode mode, const char* versionTag);
// Sends a packet until "ACK", at most 7 times; "FULL" stops at once. On failure the
// progress window is closed and the message shown.
bool sendWithRetry(SerialLink& link, LinkUi& ui, const std::uint8_t* data, std::size_t count);
bool sendImageBlocks(SerialLink& link, LinkUi& ui, const std::uint8_t* image);
bool sendLookupFile(SerialLink& link, LinkUi& ui, const std::uint8_t* data, std::size_t size);

// What one download needs from the program around it.
class DownloadHost {
 public:
  virtual ~DownloadHost() = default;
  // The system name of the chosen port, after refreshing the port list; "" when none.
  virtual const char* portName() = 0;
  // Lookup mode: lets the user choose the file and reads it. False ends the download
  // (cancelled, or the failure has been shown).
  virtual bool loadLookupFile(const std::uint8_t** data, std::size_t* size) = 0;
  // Application mode: normalises the design and builds the 20,000-byte image.
  virtual const std::uint8_t* buildImage() = 0;
};

struct DownloadSettings {
  DownloadMode mode = DownloadMode::Application;
  int baudRateIndex = 0;
  bool cradle = false;
  const char* versionTag = "T900RU004";
};

// The whole download with its retry loop. True when the terminal took everything.
bool runDownload(SerialLink& link, LinkUi& ui, DownloadHost& host, const DownloadSettings& settings);

}  // namespace torvik
