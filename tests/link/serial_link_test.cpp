// The port layer: opening, the cradle negotiation and the timed reply line.
#include "link/serial_link.h"

#include <gtest/gtest.h>

#include "base/string_ids.h"
#include "tests/link/fake_link.h"

namespace torvik {
namespace {

using test::FakePort;
using test::RecordingUi;
using test::Shown;
using test::Written;

struct LinkFixture : ::testing::Test {
  VirtualClock clock;
  FakePort port{clock};
  SerialLink link{port, clock};
  RecordingUi ui;

  // A cradle that echoes the probe byte only at `rate` and takes rate changes.
  void cradleAt(std::uint32_t rate) {
    port.terminal = [rate](FakePort& p, const Written& w) {
      if (w.bytes.size() == 1 && w.bytes[0] == 0x0F && w.state.baudRate == rate && !w.state.rtsEnable)
        p.arriveBytes({0x0F}, 5);
    };
  }
};

TEST_F(LinkFixture, ReplyLineDropsItsCarriageReturn) {
  port.arrive("ACK\r");
  EXPECT_STREQ(link.readReplyLine(), "ACK");
  EXPECT_EQ(link.replyLength(), 3u);
}

TEST_F(LinkFixture, FailedReadsEndNoWaitEarlyAndBytesAfterThemCount) {
  port.failingReads = 3;
  port.arrive("ACK\r", 100);
  EXPECT_STREQ(link.readReplyLine(), "ACK");
  // Reads that keep failing wait out the limit, a pause at a time, and read as silence.
  port.failingReads = 1000000;
  const std::uint32_t start = clock.now;
  EXPECT_STREQ(link.readReplyLine(), "");
  EXPECT_GT(clock.now - start, kReplyLimitMs);
  EXPECT_LT(port.reads, 1000);
}

TEST_F(LinkFixture, ReplyLongerThanTenBytesIsCutAndTheRestStaysQueued) {
  port.arrive("0123456789ABC\r");
  EXPECT_STREQ(link.readReplyLine(), "0123456789");
  EXPECT_STREQ(link.readReplyLine(), "ABC");
  EXPECT_EQ(port.reads, 1);  // one port read took the whole reply
}

TEST_F(LinkFixture, BytesTakenAheadAreDroppedByAPurgeAndByClosing) {
  port.arrive("ACK\rSTALE\r");
  EXPECT_STREQ(link.readReplyLine(), "ACK");
  link.purge(false, true);
  EXPECT_STREQ(link.readReplyLine(), "");
  ASSERT_TRUE(link.open(SerialLink::OpenFor::Download, "COM1", 0, false, ui));
  port.arrive("ACK\rOLD\r");
  EXPECT_STREQ(link.readReplyLine(), "ACK");
  link.close(SerialLink::OpenFor::Download);
  ASSERT_TRUE(link.open(SerialLink::OpenFor::Download, "COM1", 0, false, ui));
  port.arrive("NEW\r");
  EXPECT_STREQ(link.readReplyLine(), "NEW");
}

TEST_F(LinkFixture, ReplyWithoutCarriageReturnIsUsedAsReceivedAfterThreeSeconds) {
  port.arrive("AC");
  const std::uint32_t start = clock.now;
  EXPECT_STREQ(link.readReplyLine(), "AC");
  EXPECT_GT(clock.now - start, 3000u);
  EXPECT_LE(clock.now - start, 3001u);
}

TEST_F(LinkFixture, SilenceReadsAsAnEmptyReplyAfterThreeSeconds) {
  const std::uint32_t start = clock.now;
  EXPECT_STREQ(link.readReplyLine(), "");
  EXPECT_EQ(clock.now - start, 3001u);
}

TEST_F(LinkFixture, ByteArrivingJustInsideTheLimitCounts) {
  port.arrive("K\r", 2999);
  EXPECT_STREQ(link.readReplyLine(), "K");
}

TEST_F(LinkFixture, ReplyLineWorksAcrossTheTickCounterWrap) {
  clock.now = 0xFFFFFF00u;
  port.arrive("ACK\r", 1000);
  EXPECT_STREQ(link.readReplyLine(), "ACK");
}

TEST_F(LinkFixture, DownloadOpenSetsQueuesAndLineFormatWithoutTouchingRtsOrDtr) {
  ASSERT_TRUE(link.open(SerialLink::OpenFor::Download, "COM3", 4, false, ui));
  EXPECT_EQ(port.openedName, "COM3");
  EXPECT_EQ(port.inputQueue, 256u);
  EXPECT_EQ(port.outputQueue, 1200u);
  ASSERT_EQ(port.applied.size(), 1u);
  EXPECT_EQ(port.current.baudRate, 9600u);
  EXPECT_EQ(port.current.byteSize, 8);
  EXPECT_EQ(port.current.parity, 0);
  EXPECT_EQ(port.current.stopBits, 0);
  EXPECT_FALSE(port.current.rtsEnable);
  EXPECT_FALSE(port.current.dtrEnable);
  link.close(SerialLink::OpenFor::Download);
  ASSERT_EQ(port.purges.size(), 1u);
  EXPECT_EQ(port.purges[0], std::make_pair(false, true));
  EXPECT_FALSE(port.isOpen);
}

TEST_F(LinkFixture, ReceiveOpenSetsImmediateReadTimeoutsAndClosesWithoutPurge) {
  ASSERT_TRUE(link.open(SerialLink::OpenFor::Receive, "COM1", 0, false, ui));
  EXPECT_EQ(port.inputQueue, 256u);
  EXPECT_EQ(port.outputQueue, 256u);
  EXPECT_EQ(port.current.baudRate, 115200u);
  EXPECT_EQ(port.timeouts.readInterval, kMaxDword);
  EXPECT_EQ(port.timeouts.readMultiplier, 0u);
  EXPECT_EQ(port.timeouts.readConstant, 0u);
  EXPECT_EQ(port.timeouts.writeMultiplier, 5u);
  EXPECT_EQ(port.timeouts.writeConstant, 50u);
  link.close(SerialLink::OpenFor::Receive);
  EXPECT_TRUE(port.purges.empty());
}

TEST_F(LinkFixture, BaudRateIndexOutsideTheTableKeepsThePreviousRate) {
  ASSERT_TRUE(link.open(SerialLink::OpenFor::Download, "COM1", 7, false, ui));
  EXPECT_EQ(port.current.baudRate, 0u);  // none was ever set
  link.close(SerialLink::OpenFor::Download);
  ASSERT_TRUE(link.open(SerialLink::OpenFor::Download, "COM1", 1, false, ui));
  link.close(SerialLink::OpenFor::Download);
  ASSERT_TRUE(link.open(SerialLink::OpenFor::Download, "COM1", 5, false, ui));
  EXPECT_EQ(port.current.baudRate, 57600u);
}

TEST_F(LinkFixture, OpenFailuresShowTheirMessagesPerDirection) {
  port.failOpen = true;
  EXPECT_FALSE(link.open(SerialLink::OpenFor::Download, "COM9", 0, false, ui));
  EXPECT_FALSE(link.open(SerialLink::OpenFor::Receive, "COM9", 0, false, ui));
  EXPECT_FALSE(link.open(SerialLink::OpenFor::Download, "", 0, false, ui));
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrError, kStrCannotOpenPort, BoxIcon::Exclamation, -1},
                                          {kStrError, kStrCannotOpenPort, BoxIcon::None, -1},
                                          {kStrError, kStrCannotOpenPort, BoxIcon::Exclamation, -1}}));
}

TEST_F(LinkFixture, PortWithoutANameIsNeverOpenedThoughAPortWouldOpen) {
  EXPECT_FALSE(link.open(SerialLink::OpenFor::Download, "", 0, false, ui));
  EXPECT_FALSE(link.open(SerialLink::OpenFor::Receive, "", 0, false, ui));
  EXPECT_FALSE(link.open(SerialLink::OpenFor::Download, nullptr, 0, false, ui));
  EXPECT_FALSE(link.open(SerialLink::OpenFor::Receive, nullptr, 0, true, ui));
  EXPECT_EQ(port.opens, 0);
  EXPECT_TRUE(port.writes.empty());
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrError, kStrCannotOpenPort, BoxIcon::Exclamation, -1},
                                          {kStrError, kStrCannotOpenPort, BoxIcon::None, -1},
                                          {kStrError, kStrCannotOpenPort, BoxIcon::Exclamation, -1},
                                          {kStrError, kStrCannotOpenPort, BoxIcon::None, -1}}));
}

TEST_F(LinkFixture, FailedCommStateIsReportedOnDownloadOnlyAndClosesThePort) {
  port.failSetState = true;
  EXPECT_FALSE(link.open(SerialLink::OpenFor::Download, "COM1", 0, false, ui));
  EXPECT_FALSE(port.isOpen);
  EXPECT_FALSE(link.open(SerialLink::OpenFor::Receive, "COM1", 0, false, ui));
  EXPECT_FALSE(port.isOpen);
  EXPECT_EQ(ui.texts(), std::vector<int>{kStrErrorCommState});
}

TEST_F(LinkFixture, CradleAt57600IsFoundAndSwitchedToTheChosenRate) {
  cradleAt(57600);
  ASSERT_TRUE(link.open(SerialLink::OpenFor::Download, "COM2", 0, true, ui));
  std::vector<std::uint32_t> probed;
  std::vector<Written> commands;
  for (const Written& w : port.writes) {
    if (w.bytes == std::vector<std::uint8_t>{0x0F}) probed.push_back(w.state.baudRate);
    else commands.push_back(w);
  }
  EXPECT_EQ(probed, (std::vector<std::uint32_t>{9600, 115200, 57600}));
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[0].bytes[0], 0x07);
  EXPECT_EQ(commands[1].bytes[0], '6');
  EXPECT_EQ(commands[2].bytes[0], 'Q');
  for (const Written& w : commands) {
    EXPECT_EQ(w.state.baudRate, 57600u);  // the chosen rate is not in force yet
    EXPECT_FALSE(w.state.rtsEnable);
  }
  EXPECT_EQ(port.current.baudRate, 115200u);
  EXPECT_TRUE(port.current.rtsEnable);
  EXPECT_TRUE(port.current.dtrEnable);
  EXPECT_FALSE(port.current.outxCtsFlow);
  EXPECT_EQ(port.timeouts.readInterval, kMaxDword);
  EXPECT_EQ(link.settleDelay(), 100u);
}

TEST_F(LinkFixture, CradleAnsweringAt9600KeepsTheLongSettleDelay) {
  cradleAt(9600);
  const std::uint32_t start = clock.now;
  ASSERT_TRUE(link.open(SerialLink::OpenFor::Download, "COM2", 4, true, ui));
  EXPECT_EQ(link.settleDelay(), 200u);
  // 200 before probing; the probe's four pauses (its answer is waiting when it listens);
  // then RTS off and the three command bytes, 4 x 200, and RTS on, 200.
  EXPECT_EQ(clock.now - start, 200u + 4 * 200 + 4 * 200 + 200);
  EXPECT_EQ(port.writes[1].bytes[0], 0x07);
  EXPECT_EQ(port.writes[2].bytes[0], '2');
}

TEST_F(LinkFixture, NoCradleFailsAllFiveProbesAndTheDownloadSaysSo) {
  const std::uint32_t start = clock.now;
  EXPECT_FALSE(link.open(SerialLink::OpenFor::Download, "COM2", 0, true, ui));
  EXPECT_EQ(port.countWrites(std::string(1, '\x0F')), 5);
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrError, kStrFailedConfigureIr, BoxIcon::Exclamation, -1}}));
  EXPECT_FALSE(port.isOpen);
  // 200 + the first probe at 200 ms steps, then four at 100 ms steps, 100 ms of listening each.
  EXPECT_EQ(clock.now - start, 200u + (4 * 200 + 100) + 4 * (4 * 100 + 100));
}

TEST_F(LinkFixture, NoCradleOnReceiveShowsTheReceiveText) {
  EXPECT_FALSE(link.open(SerialLink::OpenFor::Receive, "COM2", 0, true, ui));
  EXPECT_EQ(ui.shown, (std::vector<Shown>{{kStrError, kStrCannotConfigureIr, BoxIcon::Exclamation, -1}}));
}

TEST_F(LinkFixture, ProbeAnsweredWithAnotherByteFails) {
  port.terminal = [](FakePort& p, const Written& w) {
    if (w.bytes[0] == 0x0F) p.arriveBytes({0x55}, 1);
  };
  EXPECT_FALSE(link.negotiateCradle(0));
}

TEST_F(LinkFixture, ProbeAnswerAfterItsHundredMillisecondsIsTooLate) {
  port.terminal = [](FakePort& p, const Written& w) {
    // The probe listens from one settle delay after its write for 100 ms.
    if (w.bytes[0] == 0x0F) p.arriveBytes({0x0F}, 350);
  };
  EXPECT_FALSE(link.negotiateCradle(0));
}

TEST_F(LinkFixture, CradleTransferLeavesDtrAndRtsOnForALaterPlainTransfer) {
  cradleAt(38400);
  ASSERT_TRUE(link.open(SerialLink::OpenFor::Download, "COM2", 2, true, ui));
  link.close(SerialLink::OpenFor::Download);
  port.terminal = nullptr;
  const std::size_t before = port.applied.size();
  ASSERT_TRUE(link.open(SerialLink::OpenFor::Receive, "COM2", 3, false, ui));
  ASSERT_EQ(port.applied.size(), before + 1);
  EXPECT_TRUE(port.current.dtrEnable);
  EXPECT_TRUE(port.current.rtsEnable);
  EXPECT_EQ(port.current.baudRate, 19200u);
}

TEST(BaudRates, IndexTableAndCradleCodes) {
  EXPECT_EQ(baudRateOfIndex(0), 115200u);
  EXPECT_EQ(baudRateOfIndex(4), 9600u);
  EXPECT_EQ(baudRateOfIndex(5), 0u);
  EXPECT_EQ(baudRateOfIndex(-1), 0u);
  EXPECT_EQ(cradleRateCode(0), 0x36);
  EXPECT_EQ(cradleRateCode(4), 0x32);
}

}  // namespace
}  // namespace torvik
