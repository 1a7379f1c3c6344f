#include "link/download.h"

#include <cstring>

#include "base/string_ids.h"

namespace torvik {

void makeBlockPacket(const std::uint8_t* image, int n, std::uint8_t (&packet)[kBlockPacketSize]) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < kBlockBytes; ++i) {
    packet[i] = image[static_cast<std::size_t>(n) * kBlockBytes + i];
    sum += packet[i];
  }
  packet[100] = static_cast<std::uint8_t>(sum / 256);
  packet[101] = static_cast<std::uint8_t>(sum % 256);
  packet[102] = static_cast<std::uint8_t>(n);
}

std::size_t finishLookupPacket(std::uint8_t* line, std::size_t length) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < length; ++i) sum += line[i];
  line[length] = lineCheckByte(sum >> 8);
  line[length + 1] = lineCheckByte(sum);
  line[length + 2] = '\r';
  return length + 3;
}

long findOverlongLookupLine(const std::uint8_t* data, std::size_t size) {
  long lineNumber = 1;
  std::size_t length = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\r') {
      ++lineNumber;
      length = 0;
    } else if (data[i] != '\n') {
      if (++length > kMaxLookupLine) return lineNumber;
    }
  }
  return 0;
}

long findLineFeedEndedLine(const std::uint8_t* data, std::size_t size) {
  long lineNumber = 1;
  bool textBefore = false;  // the line so far holds something other than line feeds
  bool afterLineFeed = false;
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t b = data[i];
    if (b == '\r') {
      ++lineNumber;
      textBefore = afterLineFeed = false;
    } else if (b == '\n') {
      afterLineFeed = textBefore;
    } else {
      if (afterLineFeed) return lineNumber;
      textBefore = true;
    }
  }
  return 0;
}

bool lookupFileSendable(LinkUi& ui, const std::uint8_t* data, std::size_t size) {
  if (const long tooLong = findOverlongLookupLine(data, size)) {
    ui.showNumber(kStrError, kStrLookupLineTooLong, BoxIcon::Exclamation, tooLong);
    return false;
  }
  if (const long joined = findLineFeedEndedLine(data, size)) {
    ui.showNumber(kStrError, kStrLookupLineFeeds, BoxIcon::Exclamation, joined);
    return false;
  }
  return true;
}

namespace {
const std::uint8_t* bytes(const char* text) { return reinterpret_cast<const std::uint8_t*>(text); }
}  // namespace

bool handshake(SerialLink& link, LinkUi& ui, DownloadMode mode, const char* versionTag) {
  static const char kHello[] = "QUELLO\r";
  for (int attempt = 0; attempt < kHandshakeAttempts; ++attempt) {
    const char* reply = link.sendAndReadReply(bytes(kHello), 7);
    if (link.stopped()) return false;  // the user ended it: nothing to tell them
    if (mode == DownloadMode::Application) {
      if (std::strstr(reply, "NAK") != nullptr) continue;
      if (std::strstr(reply, versionTag) != nullptr) return true;
    } else if (std::strstr(reply, "ACK") != nullptr) {
      return true;
    }
    if (std::strlen(reply) > 1) {
      link.writeText("NAK\r");
      ui.show(kStrWarning, mode == DownloadMode::Application ? kStrVersionIncompatible : kStrRetryQuestion,
              BoxIcon::Exclamation);
      return false;
    }
  }
  ui.show(kStrError, kStrTerminalNotReady, BoxIcon::Exclamation);
  return false;
}

bool sendWithRetry(SerialLink& link, LinkUi& ui, const std::uint8_t* data, std::size_t count) {
  for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
    const char* reply = link.sendAndReadReply(data, count);
    if (link.stopped()) {
      ui.progressClose();
      return false;
    }
    if (std::strcmp(reply, "FULL") == 0) {
      ui.progressClose();
      ui.show(kStrError, kStrMemoryFull, BoxIcon::Exclamation);
      return false;
    }
    if (std::strcmp(reply, "ACK") == 0) return true;
  }
  ui.progressClose();
  ui.show(kStrError, kStrErrorDownloading, BoxIcon::Exclamation);
  return false;
}

bool sendImageBlocks(SerialLink& link, LinkUi& ui, const std::uint8_t* image) {
  int progress = 5;
  std::uint8_t packet[kBlockPacketSize];
  for (int n = 0; n < kImageBlockCount; ++n) {
    makeBlockPacket(image, n, packet);
    if (!sendWithRetry(link, ui, packet, sizeof packet)) return false;
    if (n % 2 == 1) ++progress;
    ui.progressSet(progress > 100 ? 100 : progress);
  }
  ui.progressSet(100);
  return true;
}

bool sendLookupFile(SerialLink& link, LinkUi& ui, const std::uint8_t* data, std::size_t size) {
  // Refused before anything goes out: a longer line would not fit the send buffer.
  if (const long tooLong = findOverlongLookupLine(data, size)) {
    ui.progressClose();
    ui.showNumber(kStrError, kStrLookupLineTooLong, BoxIcon::Exclamation, tooLong);
    return false;
  }
  std::uint8_t line[256];
  std::size_t length = 0;
  std::size_t count = 0;
  while (count < size) {
    const std::size_t chunk = size - count < kLookupChunk ? size - count : kLookupChunk;
    for (std::size_t i = count; i < count + chunk; ++i) {
      const std::uint8_t b = data[i];
      if (b == '\r') {
        if (!sendWithRetry(link, ui, line, finishLookupPacket(line, length))) return false;
        length = 0;
      } else if (b != '\n') {
        line[length++] = b;
      }
    }
    count += chunk;
    ui.progressSet(static_cast<int>(count * 100 / size));
  }
  if (length > 0 && !sendWithRetry(link, ui, line, finishLookupPacket(line, length))) return false;
  ui.progressSet(100);
  return sendWithRetry(link, ui, bytes("OVER\r"), 5);
}

bool runDownload(SerialLink& link, LinkUi& ui, DownloadHost& host, const DownloadSettings& settings) {
  const bool lookup = settings.mode == DownloadMode::Lookup;
  for (;;) {
    const char* name = host.portName();
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    if (lookup) {
      if (!host.loadLookupFile(&data, &size)) return false;
      // Checked before the port opens, so a file the terminal cannot take sends nothing.
      if (!lookupFileSendable(ui, data, size)) return false;
    }
    if (!link.open(SerialLink::OpenFor::Download, name, settings.baudRateIndex, settings.cradle, ui)) return false;
    link.port().setTimeouts(kImmediateReadTimeouts);
    bool ok = handshake(link, ui, settings.mode, settings.versionTag);
    if (ok) {
      ui.progressOpen();
      ui.progressSet(0);
      ok = lookup ? sendLookupFile(link, ui, data, size) : sendImageBlocks(link, ui, host.buildImage());
      if (ok) {
        ui.progressClose();
        ui.show(kStrDownload, kStrDownloadedCompletely, BoxIcon::Information);
      }
    }
    if (ok) {
      link.close(SerialLink::OpenFor::Download);
      return true;
    }
    const bool again = !link.stopped() && ui.ask(kStrError, kStrRetryQuestion, BoxIcon::Question);
    link.close(SerialLink::OpenFor::Download);
    if (!again) return false;
  }
}

}  // namespace torvik
