// The download protocol: packets, handshake, send with retry, progress and the retry loop.
#include "link/download.h"

#include <gtest/gtest.h>

#include <numeric>

#include "base/string_ids.h"
#include "tests/link/fake_link.h"

namespace torvik {
namespace {

using test::FakePort;
using test::RecordingUi;
using test::Shown;
using test::Written;

TEST(BlockPacket, CarriesHundredBytesTheSumHighThenLowAndTheBlockNumber) {
  std::vector<std::uint8_t> image(kImageSize, 0);
  for (std::size_t i = 0; i < 100; ++i) image[19900 + i] = 0xFF;
  std::uint8_t packet[kBlockPacketSize];
  makeBlockPacket(image.data(), 199, packet);
  EXPECT_EQ(packet[100], 25500 / 256);
  EXPECT_EQ(packet[101], 25500 % 256);
  EXPECT_EQ(packet[102], 199);
  image[100] = 0x0D;
  image[101] = 0x0D * 256 / 256;
  makeBlockPacket(image.data(), 1, packet);
  EXPECT_EQ(packet[0], 0x0D);
  EXPECT_EQ(packet[101], 0x1A);  // block check bytes are never altered
  image[100] = 0x0D;
  image[101] = 0;
  makeBlockPacket(image.data(), 1, packet);
  EXPECT_EQ(packet[101], 0x0D);
}

TEST(LineCheck, CarriageReturnBecomesShiftOut) {
  EXPECT_EQ(lineCheckByte(0x0D), 0x0E);
  EXPECT_EQ(lineCheckByte(0x0E), 0x0E);
  EXPECT_EQ(lineCheckByte(0x0C), 0x0C);
  EXPECT_EQ(lineCheckByte(0x10D), 0x0E);
  std::uint8_t line[8] = {0x86, 0x87};  // sum 0x10D: high 0x01, low 0x0D
  EXPECT_EQ(finishLookupPacket(line, 2), 5u);
  EXPECT_EQ(line[2], 0x01);
  EXPECT_EQ(line[3], 0x0E);
  EXPECT_EQ(line[4], 0x0D);
}

TEST(LineCheck, SumOf0x0D0DSendsTwoShiftOuts) {
  std::vector<std::uint8_t> line(20, 0xFF);  // 20 x 255 = 5100 = 0x13EC
  line.resize(13);                           // 13 x 255 = 3315 = 0x0CF3
  line.push_back(0x1A);                      // 3341 = 0x0D0D
  line.resize(line.size() + 3);
  ASSERT_EQ(std::accumulate(line.begin(), line.end() - 3, 0u), 0x0D0Du);
  finishLookupPacket(line.data(), 14);
  EXPECT_EQ(line[14], 0x0E);
  EXPECT_EQ(line[15], 0x0E);
}

TEST(LookupLines, OverlongLineIsFoundByItsNumber) {
  const std::string ok253 = std::string(253, 'a');
  auto find = [](const std::string& s) {
    return findOverlongLookupLine(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
  };
  EXPECT_EQ(find(ok253 + "\r\n" + ok253), 0);
  EXPECT_EQ(find("x\r\ny\r\n" + ok253 + "b\r\n"), 3);
  EXPECT_EQ(find("x\ry\n" + ok253 + "b"), 2);  // a line feed alone ends nothing
  EXPECT_EQ(find(""), 0);
}

// Lines counted by their CRs, as the download sends them: a line feed alone between two
// lines is refused; line feeds next to a CR, at the end or on their own are harmless.
TEST(LookupLines, LineFeedEndedLinesAreFoundByTheirNumber) {
  const struct {
    const char* text;
    long line;
  } rows[] = {
      {"a\nb\n", 1},          {"a\r\nb\r\nc\nd\r\n", 3}, {"a\r\nb\n", 0},   {"a\n", 0},
      {"a\r\n\nb\r\n", 0},     {"\n\na\r\n", 0},         {"a\rb\rc\n\rd", 0}, {"a\n\n\nb", 1},
      {"", 0},                 {"a\n\r\nb\n", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(std::string(row.text)));
    const std::string s = row.text;
    EXPECT_EQ(findLineFeedEndedLine(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()), row.line);
  }
}

struct DownloadFixture : ::testing::Test {
  VirtualClock clock;
  FakePort port{clock};
  SerialLink link{port, clock};
  RecordingUi ui;

  // A terminal: the handshake answer, then `blockReply(index of the packet)` for each packet.
  std::string hello = "T900RU004\r";
  std::function<std::string(int)> packetReply = [](int) { return std::string("ACK\r"); };
  std::vector<std::vector<std::uint8_t>> packets;

  void SetUp() override {
    port.terminal = [this](FakePort& p, const Written& w) {
      const std::string t = w.text();
      if (t == "QUELLO\r") {
        p.arrive(hello);
      } else if (t != "NAK\r") {
        packets.push_back(w.bytes);
        p.arrive(packetReply(static_cast<int>(packets.size()) - 1));
      }
    };
  }
};

TEST_F(DownloadFixture, HandshakeAcceptsAReplyHoldingTheVersionTag) {
  EXPECT_TRUE(handshake(link, ui, DownloadMode::Application, "T900RU004"));
  hello = "xT900RU004";
  EXPECT_TRUE(handshake(link, ui, DownloadMode::Application, "T900RU004"));
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(DownloadFixture, ThreeNaksToTheHandshakeMeanNotReadyNotIncompatible) {
  hello = "NAK\r";
  EXPECT_FALSE(handshake(link, ui, DownloadMode::Application, "T900RU004"));
  EXPECT_EQ(port.countWrites("QUELLO\r"), 3);
  EXPECT_EQ(port.countWrites("NAK\r"), 0);
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrError, kStrTerminalNotReady, BoxIcon::Exclamation, -1}}));
}

TEST_F(DownloadFixture, OlderVersionIsRefusedWithNakAndTheWarning) {
  hello = "T900RU003\r";
  EXPECT_FALSE(handshake(link, ui, DownloadMode::Application, "T900RU004"));
  EXPECT_EQ(port.countWrites("QUELLO\r"), 1);
  EXPECT_EQ(port.writes.back().text(), "NAK\r");
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrWarning, kStrVersionIncompatible, BoxIcon::Exclamation, -1}}));
}

TEST_F(DownloadFixture, SilenceOrALoneByteCostsThreeAttemptsOfThreeSeconds) {
  hello = "";
  const std::uint32_t start = clock.now;
  EXPECT_FALSE(handshake(link, ui, DownloadMode::Application, "T900RU004"));
  EXPECT_GE(clock.now - start, 9000u);
  EXPECT_LE(clock.now - start, 9010u);
  hello = "X\r";
  ui.shown.clear();
  EXPECT_FALSE(handshake(link, ui, DownloadMode::Lookup, "T900RU004"));
  EXPECT_EQ(port.countWrites("QUELLO\r"), 6);
  EXPECT_EQ(ui.texts(), std::vector<int>{kStrTerminalNotReady});
}

TEST_F(DownloadFixture, LookupHandshakeWantsAckAndRefusesAnythingElse) {
  hello = "ACK\r";
  EXPECT_TRUE(handshake(link, ui, DownloadMode::Lookup, "T900RU004"));
  hello = "T900RU004\r";
  EXPECT_FALSE(handshake(link, ui, DownloadMode::Lookup, "T900RU004"));
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrWarning, kStrRetryQuestion, BoxIcon::Exclamation, -1}}));
}

TEST_F(DownloadFixture, SixGarbageRepliesThenAckGoThrough) {
  packetReply = [](int i) { return std::string(i < 6 ? "ACKX\r" : "ACK\r"); };
  const std::uint8_t data[3] = {1, 2, 3};
  EXPECT_TRUE(sendWithRetry(link, ui, data, 3));
  EXPECT_EQ(packets.size(), 7u);
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(DownloadFixture, SeventhFailureEndsTheTransfer) {
  packetReply = [](int i) { return std::string(i < 7 ? "" : "ACK\r"); };
  ui.progressOpen();
  const std::uint8_t data[3] = {1, 2, 3};
  EXPECT_FALSE(sendWithRetry(link, ui, data, 3));
  EXPECT_EQ(packets.size(), 7u);
  EXPECT_FALSE(ui.progressShowing);
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrError, kStrErrorDownloading, BoxIcon::Exclamation, -1}}));
}

TEST_F(DownloadFixture, FullAtBlock57StopsAtOnceWithoutResending) {
  packetReply = [](int i) { return std::string(i == 57 ? "FULL\r" : "ACK\r"); };
  std::vector<std::uint8_t> image(kImageSize, 7);
  ui.progressOpen();
  EXPECT_FALSE(sendImageBlocks(link, ui, image.data()));
  EXPECT_EQ(packets.size(), 58u);
  EXPECT_EQ(packets.back()[102], 57);
  EXPECT_FALSE(ui.progressShowing);
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrError, kStrMemoryFull, BoxIcon::Exclamation, -1}}));
}

TEST_F(DownloadFixture, BarShowsFiveThenSixAndEndsAtHundred) {
  std::vector<std::uint8_t> image(kImageSize);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + i / 100);
  ASSERT_TRUE(sendImageBlocks(link, ui, image.data()));
  ASSERT_EQ(packets.size(), 200u);
  ASSERT_EQ(ui.progress.size(), 201u);
  EXPECT_EQ(ui.progress[0], 5);
  EXPECT_EQ(ui.progress[1], 6);
  EXPECT_EQ(ui.progress[2], 6);
  EXPECT_EQ(ui.progress[3], 7);
  EXPECT_EQ(ui.progress[198], 100);
  EXPECT_EQ(ui.progress[199], 100);
  EXPECT_EQ(ui.progress[200], 100);
  std::vector<std::uint8_t> received;
  for (int n = 0; n < 200; ++n) {
    ASSERT_EQ(packets[n].size(), 103u);
    EXPECT_EQ(packets[n][102], n);
    received.insert(received.end(), packets[n].begin(), packets[n].begin() + 100);
  }
  EXPECT_EQ(received, image);
}

class StubHost : public DownloadHost {
 public:
  std::vector<std::uint8_t> image = std::vector<std::uint8_t>(kImageSize, 0x41);
  std::string file;
  bool cancel = false;
  int loads = 0;
  int builds = 0;
  const char* portName() override { return "COM4"; }
  bool loadLookupFile(const std::uint8_t** data, std::size_t* size) override {
    ++loads;
    if (cancel) return false;
    *data = reinterpret_cast<const std::uint8_t*>(file.data());
    *size = file.size();
    return true;
  }
  const std::uint8_t* buildImage() override {
    ++builds;
    return image.data();
  }
};

TEST_F(DownloadFixture, ApplicationDownloadEndsWithDownloadedCompletely) {
  StubHost host;
  DownloadSettings settings;
  EXPECT_TRUE(runDownload(link, ui, host, settings));
  EXPECT_EQ(packets.size(), 200u);
  EXPECT_EQ(host.builds, 1);
  EXPECT_EQ(port.timeouts.readInterval, kMaxDword);
  EXPECT_EQ(port.timeouts.writeConstant, 50u);
  EXPECT_FALSE(ui.progressShowing);
  EXPECT_EQ(ui.progress.front(), 0);
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrDownload, kStrDownloadedCompletely, BoxIcon::Information, -1}}));
  EXPECT_FALSE(port.isOpen);
  EXPECT_EQ(port.purges.back(), std::make_pair(false, true));
}

TEST_F(DownloadFixture, NoToTheRetryQuestionEndsWithoutAFurtherMessage) {
  hello = "";
  StubHost host;
  EXPECT_FALSE(runDownload(link, ui, host, DownloadSettings{}));
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrError, kStrTerminalNotReady, BoxIcon::Exclamation, -1},
                                          {kStrError, kStrRetryQuestion, BoxIcon::Question, -1}}));
  EXPECT_EQ(ui.progressOpens, 0);
  EXPECT_FALSE(port.isOpen);
  EXPECT_EQ(host.builds, 0);
}

TEST_F(DownloadFixture, YesToTheRetryQuestionStartsOverFromHandshakeAndBlockZero) {
  packetReply = [](int i) { return std::string(i == 3 ? "FULL\r" : "ACK\r"); };
  ui.answers = {true};
  StubHost host;
  EXPECT_TRUE(runDownload(link, ui, host, DownloadSettings{}));
  EXPECT_EQ(port.opens, 2);
  EXPECT_EQ(port.closes, 2);
  EXPECT_EQ(port.countWrites("QUELLO\r"), 2);
  ASSERT_EQ(packets.size(), 4u + 200u);
  EXPECT_EQ(packets[4][102], 0);
  EXPECT_EQ(ui.texts(), (std::vector<int>{kStrMemoryFull, kStrRetryQuestion, kStrDownloadedCompletely}));
}

// A stop in the handshake, in the first block or in the middle: the download ends at once,
// with no message and no retry question (the user asked for the end).
TEST_F(DownloadFixture, StopEndsTheDownloadAtOnceWithoutMessagesOrQuestion) {
  for (int stopAt : {-1, 0, 57}) {
    SCOPED_TRACE(stopAt);
    packets.clear();
    ui = RecordingUi{};
    ui.answers = {true};
    port.stop = false;
    clock.advance(10);  // what the last run left unread is gone
    link.purge(true, true);
    hello = stopAt < 0 ? "" : "T900RU004\r";
    port.terminal = [this, stopAt](FakePort& p, const Written& w) {
      const std::string t = w.text();
      if (t == "QUELLO\r") {
        if (stopAt < 0) p.stop = true;
        p.arrive(hello);
      } else if (t != "NAK\r") {
        packets.push_back(w.bytes);
        if (static_cast<int>(packets.size()) - 1 == stopAt) p.stop = true;
        p.arrive("ACK\r");
      }
    };
    StubHost host;
    const std::uint32_t start = clock.now;
    EXPECT_FALSE(runDownload(link, ui, host, DownloadSettings{}));
    EXPECT_LT(clock.now - start, kReplyLimitMs);
    EXPECT_EQ(ui.texts(), std::vector<int>{});
    EXPECT_FALSE(ui.progressShowing);
    EXPECT_FALSE(port.isOpen);
    EXPECT_EQ(static_cast<int>(packets.size()), stopAt + 1);
  }
}

TEST_F(DownloadFixture, LookupRefusalShowsTheRetryTextTwice) {
  hello = "NO\r";
  StubHost host;
  host.file = "a\r\n";
  DownloadSettings settings;
  settings.mode = DownloadMode::Lookup;
  EXPECT_FALSE(runDownload(link, ui, host, settings));
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrWarning, kStrRetryQuestion, BoxIcon::Exclamation, -1},
                                          {kStrError, kStrRetryQuestion, BoxIcon::Question, -1}}));
  EXPECT_EQ(port.writes.back().text(), "NAK\r");
}

TEST_F(DownloadFixture, CancelledFileChoiceEndsSilentlyBeforeThePortOpens) {
  StubHost host;
  host.cancel = true;
  DownloadSettings settings;
  settings.mode = DownloadMode::Lookup;
  EXPECT_FALSE(runDownload(link, ui, host, settings));
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(port.opens, 0);
}

TEST_F(DownloadFixture, OverlongLookupLineIsRefusedByNumberBeforeAnythingIsSent) {
  StubHost host;
  host.file = "one\r\ntwo\r\n" + std::string(254, 'x') + "\r\n";
  DownloadSettings settings;
  settings.mode = DownloadMode::Lookup;
  EXPECT_FALSE(runDownload(link, ui, host, settings));
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrError, kStrLookupLineTooLong, BoxIcon::Exclamation, 3}}));
  EXPECT_EQ(port.opens, 0);
  EXPECT_TRUE(port.writes.empty());
}

TEST_F(DownloadFixture, LineFeedLineEndsAreRefusedBeforeThePortOpens) {
  StubHost host;
  host.file = "a,1\nb,2\nc,3\n";
  DownloadSettings settings;
  settings.mode = DownloadMode::Lookup;
  EXPECT_FALSE(runDownload(link, ui, host, settings));
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrError, kStrLookupLineFeeds, BoxIcon::Exclamation, 1}}));
  EXPECT_EQ(port.opens, 0);
  EXPECT_TRUE(port.writes.empty());
}

struct LookupFixture : DownloadFixture {
  std::vector<std::string> sent(const std::string& file) {
    hello = "ACK\r";
    EXPECT_TRUE(sendLookupFile(link, ui, reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
    std::vector<std::string> out;
    for (const auto& p : packets) out.emplace_back(p.begin(), p.end());
    return out;
  }
};

TEST_F(LookupFixture, EmptyFileSendsOnlyOver) {
  EXPECT_EQ(sent(""), std::vector<std::string>{"OVER\r"});
  EXPECT_EQ(ui.progress, std::vector<int>{100});
}

TEST_F(LookupFixture, LineEndsAndTheLastLineWithoutOne) {
  const auto p = sent("AB\r\nC\rD\nE\r\rF");
  ASSERT_EQ(p.size(), 6u);
  EXPECT_EQ(p[0], std::string("AB\x00\x83\r", 5));
  EXPECT_EQ(p[1], std::string("C\x00\x43\r", 4));
  EXPECT_EQ(p[2], std::string("DE\x00\x89\r", 5));  // a line feed alone ends nothing
  EXPECT_EQ(p[3], std::string("\x00\x00\r", 3));    // the empty line between two ends
  EXPECT_EQ(p[4], std::string("F\x00\x46\r", 4));
  EXPECT_EQ(p[5], "OVER\r");
}

TEST_F(LookupFixture, ProgressMovesByChunk) {
  std::string file;
  for (int i = 0; i < 30; ++i) file += "12345678\r\n";  // 300 bytes
  sent(file);
  EXPECT_EQ(ui.progress, (std::vector<int>{42, 85, 100, 100}));
}

TEST_F(LookupFixture, LineOf253BytesFitsTheSendBuffer) {
  const auto p = sent(std::string(253, '\xFF') + "\r\n");
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0].size(), 256u);
}

TEST_F(LookupFixture, FailedLineStopsTheFile) {
  hello = "ACK\r";
  packetReply = [](int i) { return std::string(i == 1 ? "FULL\r" : "ACK\r"); };
  const std::string file = "a\rb\rc\r";
  EXPECT_FALSE(sendLookupFile(link, ui, reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
  EXPECT_EQ(packets.size(), 2u);
  EXPECT_EQ(ui.texts(), std::vector<int>{kStrMemoryFull});
}

}  // namespace
}  // namespace torvik
