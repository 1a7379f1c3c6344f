// Receiving records: handshake, sequence numbers, check bytes, silence, and what stays on disk.
#include "link/receive.h"

#include <gtest/gtest.h>

#include "base/string_ids.h"
#include "tests/link/fake_link.h"

namespace torvik {
namespace {

using test::FakePort;
using test::RecordingUi;
using test::Shown;
using test::Written;

std::string recordLine(int seq, const std::string& data) {
  std::uint8_t out[300];
  const std::size_t n =
      makeRecordLine(static_cast<std::uint8_t>(seq), reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), out);
  return std::string(reinterpret_cast<char*>(out), n);
}

class StringSink : public RecordSink {
 public:
  std::string file;
  bool fail = false;
  bool writeRecord(const std::uint8_t* data, std::size_t size) override {
    if (fail) return false;
    file.append(reinterpret_cast<const char*>(data), size);
    file += "\r\n";
    return true;
  }
  bool dropUnfinishedRecord() override { return true; }
};

// A file on a disk with `room` bytes left: a write beyond it puts what fits and fails.
class NearlyFullFile : public OutputFile {
 public:
  std::string bytes;
  std::size_t room = 1 << 20;
  bool failTruncate = false;
  int truncates = 0;
  bool write(const std::uint8_t* data, std::size_t size) override {
    const std::size_t fits = size < room ? size : room;
    bytes.append(reinterpret_cast<const char*>(data), fits);
    room -= fits;
    return fits == size;
  }
  bool truncate(std::uint64_t size) override {
    ++truncates;
    if (failTruncate || size > bytes.size()) return false;
    room += bytes.size() - static_cast<std::size_t>(size);
    bytes.resize(static_cast<std::size_t>(size));
    return true;
  }
};

bool writeText(RecordSink& sink, const std::string& data) {
  return sink.writeRecord(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
}

// A terminal with a script of lines: each is sent after the previous one was answered
// (and the first after "ACK\r" to "READ\r"). An empty entry stays silent for that turn.
struct ReceiveFixture : ::testing::Test {
  VirtualClock clock;
  FakePort port{clock};
  SerialLink link{port, clock};
  RecordingUi ui;
  StringSink sink;
  std::string readReply = "ACK\r";
  std::vector<std::string> script;
  std::size_t next = 0;
  std::vector<std::string> answers;  // what the program answered each line

  void SetUp() override {
    port.terminal = [this](FakePort& p, const Written& w) {
      const std::string t = w.text();
      if (t == "READ\r") {
        p.arrive(readReply);
        if (readReply != "ACK\r") return;
      } else {
        answers.push_back(t);
      }
      if (next < script.size()) p.arrive(script[next++], 2);
    };
  }
  ReceiveResult run() { return receiveRecords(link, ui, sink); }
  ReceiveResult run(RecordSink& to) { return receiveRecords(link, ui, to); }
};

TEST(FileRecordSink, RecordsBecomeLinesAndAPartlyWrittenOneIsCutOffWherePartsEnd) {
  // The second record's line "wxyz\r\n" is 6 bytes; the disk takes 0 to 6 of them.
  for (std::size_t room = 0; room <= 6; ++room) {
    SCOPED_TRACE(room);
    NearlyFullFile file;
    file.room = 6 + room;
    FileRecordSink sink(file);
    ASSERT_TRUE(writeText(sink, "abcd"));
    const bool whole = room == 6;
    EXPECT_EQ(writeText(sink, "wxyz"), whole);
    if (whole) {
      EXPECT_EQ(file.bytes, "abcd\r\nwxyz\r\n");
      EXPECT_EQ(sink.completeBytes(), 12u);
      continue;
    }
    EXPECT_EQ(file.bytes.size(), 6 + room);
    EXPECT_TRUE(sink.dropUnfinishedRecord());
    EXPECT_EQ(file.bytes, "abcd\r\n");
    // Room made again, the same record is written whole after the first.
    file.room = 6;
    EXPECT_TRUE(writeText(sink, "wxyz"));
    EXPECT_EQ(file.bytes, "abcd\r\nwxyz\r\n");
  }
}

TEST(FileRecordSink, FirstRecordCutOffLeavesAnEmptyFileAndAFailedCutIsReported) {
  NearlyFullFile file;
  file.room = 3;
  FileRecordSink sink(file);
  EXPECT_FALSE(writeText(sink, "abcd"));
  EXPECT_TRUE(sink.dropUnfinishedRecord());
  EXPECT_EQ(file.bytes, "");
  file.failTruncate = true;
  EXPECT_FALSE(writeText(sink, "abcd"));
  EXPECT_FALSE(sink.dropUnfinishedRecord());
  // Empty and the longest line that can pass both end with CR LF.
  NearlyFullFile wide;
  FileRecordSink wideSink(wide);
  EXPECT_TRUE(writeText(wideSink, ""));
  EXPECT_TRUE(writeText(wideSink, std::string(kMaxRecordLine - 3, 'x')));
  EXPECT_EQ(wide.bytes, "\r\n" + std::string(kMaxRecordLine - 3, 'x') + "\r\n");
}

// Appending to a file that holds records already: a cut-back after a failed write stops at
// the last complete record and never reaches into what was there before.
TEST(FileRecordSink, CutBackInAnAppendedFileKeepsWhatWasThere) {
  NearlyFullFile file;
  file.bytes = "old 1\r\nold 2\r\n";
  const std::uint64_t before = file.bytes.size();
  file.room = 3;
  FileRecordSink sink(file, before);
  EXPECT_FALSE(writeText(sink, "new"));
  EXPECT_TRUE(sink.dropUnfinishedRecord());
  EXPECT_EQ(file.bytes, "old 1\r\nold 2\r\n");
  file.room = 100;
  EXPECT_TRUE(writeText(sink, "new"));
  file.room = 2;
  EXPECT_FALSE(writeText(sink, "next"));
  EXPECT_TRUE(sink.dropUnfinishedRecord());
  EXPECT_EQ(file.bytes, "old 1\r\nold 2\r\nnew\r\n");
  EXPECT_EQ(sink.completeBytes(), before + 5);
}

TEST(RecordLine, LowCheckByteFirstAndCarriageReturnNeverInside) {
  EXPECT_EQ(recordLine(1, "AB"), std::string("\x01" "AB\x84\x00\r", 6));
  // 0x0D - 0x01 = 0x0C: the sum's low byte is 0x0D and goes out as 0x0E.
  EXPECT_EQ(recordLine(1, "\x0C"), std::string("\x01\x0C\x0E\x00\r", 5));
}

TEST_F(ReceiveFixture, RecordsAreWrittenAndAcknowledgedUntilOver) {
  script = {recordLine(0, "first"), recordLine(1, "second"), recordLine(2, ""), "OVER\r"};
  const ReceiveResult r = run();
  EXPECT_EQ(r.end, ReceiveResult::End::Over);
  EXPECT_EQ(r.count, 3);
  EXPECT_EQ(sink.file, "first\r\nsecond\r\n\r\n");
  EXPECT_EQ(answers, (std::vector<std::string>{"ACK\r", "ACK\r", "ACK\r"}));
  EXPECT_EQ(ui.counter, (std::vector<int>{1, 2, 3}));
  EXPECT_FALSE(ui.counterShowing);
  bool view = false;
  ui.viewAnswer = true;
  EXPECT_TRUE(finishReceive(r, ui, &view));
  EXPECT_TRUE(view);
  EXPECT_EQ(ui.viewCount, 3);
}

TEST_F(ReceiveFixture, SequenceNumbersWrapFromNineToZero) {
  for (int i = 0; i < 12; ++i) script.push_back(recordLine(i % 10, "r" + std::to_string(i)));
  script.push_back("OVER\r");
  EXPECT_EQ(run().count, 12);
  EXPECT_NE(sink.file.find("r9\r\nr10\r\nr11\r\n"), std::string::npos);
}

TEST_F(ReceiveFixture, RepeatedRecordIsAcknowledgedAgainAndWrittenOnce) {
  script = {recordLine(0, "a"), recordLine(0, "a"), recordLine(1, "b"), "OVER\r"};
  EXPECT_EQ(run().count, 2);
  EXPECT_EQ(sink.file, "a\r\nb\r\n");
  EXPECT_EQ(answers, (std::vector<std::string>{"ACK\r", "ACK\r", "ACK\r"}));
}

TEST_F(ReceiveFixture, OutOfOrderRecordIsRefused) {
  script = {recordLine(3, "a"), recordLine(0, "a"), "OVER\r"};
  EXPECT_EQ(run().count, 1);
  EXPECT_EQ(answers, (std::vector<std::string>{"NAK\r", "ACK\r"}));
}

TEST_F(ReceiveFixture, BadCheckByteIsRefusedAndTheSameNumberExpectedAgain) {
  std::string bad = recordLine(0, "data");
  bad[bad.size() - 3] ^= 1;
  std::string badHigh = recordLine(0, "data");
  badHigh[badHigh.size() - 2] = 0x02;  // the sum is 0x019A
  script = {bad, badHigh, recordLine(0, "data"), "OVER\r"};
  EXPECT_EQ(run().count, 1);
  EXPECT_EQ(answers, (std::vector<std::string>{"NAK\r", "NAK\r", "ACK\r"}));
}

TEST_F(ReceiveFixture, LowCheckByteOf0x0DMustArriveAs0x0E) {
  // Sequence 0 and data 06 07: the sum's low byte is 0x0D.
  script = {std::string("\x00\x06\x07\x0D\x00\r", 6), std::string("\x00\x06\x07\x0E\x00\r", 6), "OVER\r"};
  EXPECT_EQ(run().count, 1);
  EXPECT_EQ(sink.file, "\x06\x07\r\n");
  EXPECT_EQ(answers, (std::vector<std::string>{"NAK\r", "NAK\r", "ACK\r"}));
}

TEST_F(ReceiveFixture, ShortLinesAreRefusedWithNak) {
  script = {std::string("\x00\r", 2), std::string("\x00\x00\r", 3), "\r", recordLine(0, ""), "OVER\r"};
  EXPECT_EQ(run().count, 1);
  EXPECT_EQ(answers, (std::vector<std::string>{"NAK\r", "NAK\r", "NAK\r", "ACK\r"}));
}

TEST_F(ReceiveFixture, LineOfMoreThan255BytesIsRefused) {
  script = {recordLine(0, std::string(252, 'x')), recordLine(0, std::string(253, 'x')), "OVER\r"};
  // 252 data bytes make a 255-byte line before its CR: the longest that can pass.
  EXPECT_EQ(run().count, 1);
  EXPECT_EQ(answers, (std::vector<std::string>{"ACK\r", "NAK\r"}));
}

TEST_F(ReceiveFixture, TenSilentHalfSecondsEachCostANakAndTheEleventhEnds) {
  script = {recordLine(0, "kept")};
  const ReceiveResult r = run();
  EXPECT_EQ(r.end, ReceiveResult::End::TimedOut);
  EXPECT_EQ(r.count, 1);
  EXPECT_EQ(port.countWrites("NAK\r"), 10);
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrError, kStrTimeOut, BoxIcon::None, -1}}));
  EXPECT_FALSE(ui.counterShowing);
}

TEST_F(ReceiveFixture, SilenceResetsAfterEachCompleteLine) {
  // Nine silences, a record, nine silences, OVER: never eleven in a row.
  script = {recordLine(0, "a")};
  for (int i = 0; i < 9; ++i) script.push_back("");
  script.push_back(recordLine(1, "b"));
  for (int i = 0; i < 9; ++i) script.push_back("");
  script.push_back("OVER\r");
  // The terminal answers each NAK with the next script entry; "" is one more silence.
  script.insert(script.begin() + 1, "");
  const ReceiveResult r = run();
  EXPECT_EQ(r.end, ReceiveResult::End::Over);
  EXPECT_EQ(r.count, 2);
}

TEST_F(ReceiveFixture, LineMustArriveWithinHalfASecond) {
  script = {recordLine(0, "a"), "OVER\r"};
  port.terminal = [this](FakePort& p, const Written& w) {
    if (w.text() == "READ\r") {
      p.arrive("ACK\r");
      p.arrive(script[0].substr(0, 2), 2);
      p.arrive(script[0].substr(2), 600);  // the rest only after the wait ended
    } else {
      answers.push_back(w.text());
      if (answers.size() == 2) p.arrive("OVER\r", 2);
    }
  };
  const ReceiveResult r = run();
  EXPECT_EQ(answers.front(), "NAK\r");
  EXPECT_EQ(r.count, 0);
}

TEST_F(ReceiveFixture, SilenceAfterAcknowledgedRecordsKeepsThemAndSaysHowMany) {
  script = {recordLine(0, "a"), recordLine(1, "b")};
  const ReceiveResult r = run();
  ui.shown.clear();
  bool view = true;
  EXPECT_TRUE(finishReceive(r, ui, &view));
  EXPECT_FALSE(view);
  EXPECT_EQ(sink.file, "a\r\nb\r\n");
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrUploadData, kStrReceiveIncomplete, BoxIcon::Exclamation, 2}}));
}

TEST_F(ReceiveFixture, OverBeforeAnyRecordMeansNoData) {
  script = {"OVER\r"};
  const ReceiveResult r = run();
  bool view = true;
  EXPECT_FALSE(finishReceive(r, ui, &view));
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrUploadData, kStrNoDataReceived, BoxIcon::None, -1}}));
}

TEST_F(ReceiveFixture, SilentTerminalIsAskedFourTimesThenTimeOutAndNoData) {
  readReply = "";
  const std::uint32_t start = clock.now;
  const ReceiveResult r = run();
  EXPECT_EQ(port.countWrites("READ\r"), 4);
  EXPECT_GE(clock.now - start, 12000u);
  bool view = false;
  EXPECT_FALSE(finishReceive(r, ui, &view));
  EXPECT_EQ(ui.texts(), (std::vector<int>{kStrTimeOut, kStrNoDataReceived}));
}

TEST_F(ReceiveFixture, WrongAnswersSixTimesFailTheConnection) {
  readReply = "NAK\r";
  const ReceiveResult r = run();
  EXPECT_EQ(port.countWrites("READ\r"), 6);
  bool view = false;
  EXPECT_FALSE(finishReceive(r, ui, &view));
  EXPECT_EQ(ui.texts(), (std::vector<int>{kStrNoConnection, kStrNoDataReceived}));
}

TEST_F(ReceiveFixture, AckWithTrailingBytesIsNotAnAnswer) {
  readReply = "ACKACKACKA";
  run();
  EXPECT_EQ(port.countWrites("READ\r"), 6);
}

TEST_F(ReceiveFixture, RecordTheDiskTakesOnlyInPartIsCutOffAndTheCompleteOnesKept) {
  NearlyFullFile file;
  FileRecordSink disk(file);
  for (int i = 0; i < 5; ++i) script.push_back(recordLine(i, "rec" + std::to_string(i) + std::string(30, '.')));
  script.push_back("OVER\r");
  file.room = 3 * 36 + 32;  // three records whole and 32 bytes of the fourth
  const ReceiveResult r = run(disk);
  EXPECT_EQ(r.end, ReceiveResult::End::WriteFailed);
  EXPECT_EQ(r.count, 3);
  EXPECT_FALSE(r.pieceLeft);
  EXPECT_EQ(file.bytes.size(), 3u * 36);
  EXPECT_EQ(file.bytes.substr(file.bytes.size() - 2), "\r\n");
  EXPECT_EQ(file.bytes.find("rec3"), std::string::npos);
  EXPECT_EQ(answers, (std::vector<std::string>{"ACK\r", "ACK\r", "ACK\r"}));
  bool view = true;
  EXPECT_TRUE(finishReceive(r, ui, &view));
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrError, kStrFileCreateFailed, BoxIcon::None, -1},
                                          {kStrUploadData, kStrReceiveIncomplete, BoxIcon::Exclamation, 3}}));
}

TEST_F(ReceiveFixture, PieceThatCannotBeCutOffIsReportedBeforeTheCount) {
  NearlyFullFile file;
  file.failTruncate = true;
  FileRecordSink disk(file);
  script = {recordLine(0, "kept"), recordLine(1, "cut short"), "OVER\r"};
  file.room = 6 + 4;
  const ReceiveResult r = run(disk);
  EXPECT_EQ(r.count, 1);
  EXPECT_TRUE(r.pieceLeft);
  EXPECT_EQ(file.truncates, 1);
  bool view = true;
  EXPECT_TRUE(finishReceive(r, ui, &view));
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrError, kStrFileCreateFailed, BoxIcon::None, -1},
                                          {kStrError, kStrRecordPieceLeft, BoxIcon::Exclamation, -1},
                                          {kStrUploadData, kStrReceiveIncomplete, BoxIcon::Exclamation, 1}}));
}

TEST_F(ReceiveFixture, FailedFileWriteLeavesTheRecordUnacknowledged) {
  sink.fail = true;
  script = {recordLine(0, "a")};
  const ReceiveResult r = run();
  EXPECT_EQ(r.end, ReceiveResult::End::WriteFailed);
  EXPECT_EQ(r.count, 0);
  EXPECT_TRUE(answers.empty());
}

// A stop (Ctrl+C) while records arrive: the receive ends at once, without "Time out!", and
// keeps the acknowledged records; a stop in the handshake ends it silently.
TEST_F(ReceiveFixture, StopEndsTheReceiveAtOnceAndKeepsTheAcknowledgedRecords) {
  script = {recordLine(0, "a"), recordLine(1, "b"), recordLine(2, "c"), "OVER\r"};
  port.terminal = [this, inner = port.terminal](FakePort& p, const Written& w) {
    inner(p, w);
    if (answers.size() == 2) p.stop = true;
  };
  const std::uint32_t start = clock.now;
  const ReceiveResult r = run();
  EXPECT_EQ(r.end, ReceiveResult::End::Stopped);
  EXPECT_EQ(r.count, 2);
  EXPECT_EQ(sink.file, "a\r\nb\r\n");
  EXPECT_LT(clock.now - start, kRecordWaitMs);
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_FALSE(ui.counterShowing);
  bool view = true;
  EXPECT_TRUE(finishReceive(r, ui, &view));
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrUploadData, kStrReceiveIncomplete, BoxIcon::Exclamation, 2}}));

  RecordingUi quiet;
  port.stop = true;
  const ReceiveResult none = receiveRecords(link, quiet, sink);
  EXPECT_EQ(none.end, ReceiveResult::End::Stopped);
  EXPECT_EQ(port.countWrites("READ\r"), 2);
  EXPECT_FALSE(finishReceive(none, quiet, &view));
  EXPECT_TRUE(quiet.shown.empty());
}

}  // namespace
}  // namespace torvik
