// The serial-port list and the cradle detection over it.
#include "link/cradle_detect.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/link/fake_link.h"

namespace torvik {
namespace {

using test::FakePort;
using test::Written;

void add(SerialPortList& list, const char* path, const char* name) { list.add(path, name, std::strlen(name)); }

TEST(SerialPorts, KindsAndRowTextsFollowTheDevicePath) {
  SerialPortList list;
  add(list, "\\Device\\Serial0", "COM1");
  add(list, "\\Device\\BthModem2", "COM7");
  add(list, "\\Device\\btport", "COM8");
  add(list, "\\Device\\seRial9", "COM9");
  add(list, "\\Device\\VCP0", "COM12");
  add(list, "NoSlash", "COM3");
  EXPECT_EQ(portKind(list, 0), kPortSerial);
  EXPECT_EQ(portKind(list, 1), kPortBluetooth);
  EXPECT_EQ(portKind(list, 2), kPortBluetooth);
  EXPECT_EQ(portKind(list, 3), kPortSerial);
  EXPECT_EQ(portKind(list, 4), kPortVirtual);
  EXPECT_EQ(portKind(list, 5), kPortNoDevicePath);
  EXPECT_EQ(portKind(list, 6), kPortMissing);
  EXPECT_EQ(portKind(list, -1), kPortMissing);
  char row[64];
  const char* expected[] = {"COM1 - Serial port",   "COM7 - Bluetooth port", "COM8 - Bluetooth port",
                            "COM9 - Serial port",   "COM12 - Virtual port",  "COM3 - Unknown port"};
  for (int i = 0; i < 6; ++i) {
    portRowText(list.ports[i], row, sizeof row);
    EXPECT_STREQ(row, expected[i]);
  }
  EXPECT_EQ(portKindOf("\\Device\\"), kPortVirtual);
  EXPECT_EQ(portKindOf("\\Device\\B"), kPortVirtual);
}

TEST(SerialPorts, NameIsCutToTenBytes) {
  SerialPortList list;
  list.add("\\Device\\Serial0", "COM1234567890", 13);
  EXPECT_STREQ(list.ports[0].name, "COM1234567");
}

TEST(SerialPorts, ComNumberFindsTheFirstPortWithThatNumberAfterItsM) {
  SerialPortList list;
  add(list, "\\Device\\Serial0", "COM13");
  add(list, "\\Device\\Serial1", "com3");
  add(list, "\\Device\\Serial2", "COM3");
  EXPECT_EQ(portIndexOfComNumber(list, 3), 1);
  EXPECT_EQ(portIndexOfComNumber(list, 13), 0);
  EXPECT_EQ(portIndexOfComNumber(list, 4), -1);
  EXPECT_EQ(resolvePortIndex(list, -1, 3), 1);
  EXPECT_EQ(resolvePortIndex(list, 2, 13), 2);
  EXPECT_STREQ(portName(list, 2), "COM3");
  EXPECT_STREQ(portName(list, 3), "");
  EXPECT_STREQ(portName(list, -1), "");
}

TEST(SerialPorts, RowTextLeadsBackToItsPort) {
  SerialPortList list;
  add(list, "\\Device\\Serial0", "COM1");
  add(list, "\\Device\\Serial1", "COM10");
  EXPECT_EQ(portIndexOfRowText(list, "COM10 - Serial port"), 1);
  EXPECT_EQ(portIndexOfRowText(list, "COM1 - Serial port"), 0);
  EXPECT_EQ(portIndexOfRowText(list, "COM5 - Serial port"), 0);
  EXPECT_EQ(portIndexOfRowText(list, "COM10"), 1);
}

TEST(SerialPorts, ListStopsWhenFull) {
  SerialPortList list;
  for (int i = 0; i < kMaxSerialPorts; ++i) EXPECT_TRUE(list.add("\\Device\\Serial", "COM1", 4));
  EXPECT_FALSE(list.add("\\Device\\Serial", "COM1", 4));
  EXPECT_EQ(list.count, kMaxSerialPorts);
}

// Several ports behind one fake: the cradle sits on `cradlePort` and answers at `rate`.
class MultiPort : public FakePort {
 public:
  MultiPort(VirtualClock& clock, const char* cradlePort, std::uint32_t rate) : FakePort(clock) {
    terminal = [this, cradlePort, rate](FakePort& p, const Written& w) {
      if (openedName == cradlePort && w.bytes[0] == 0x0F && w.state.baudRate == rate) p.arriveBytes({0x0F}, 3);
    };
  }
  std::vector<std::string> opened;
  bool open(const char* name) override {
    opened.push_back(name);
    return FakePort::open(name);
  }
};

TEST(CradleDetection, SkipsBluetoothAndPathlessPortsAndFindsTheCradle) {
  VirtualClock clock;
  MultiPort port(clock, "COM4", 57600);
  SerialPortList list;
  add(list, "\\Device\\Serial0", "COM1");
  add(list, "\\Device\\BthModem0", "COM2");
  add(list, "Strange", "COM3");
  add(list, "\\Device\\Serial3", "COM4");
  add(list, "\\Device\\Serial4", "COM5");
  const std::uint32_t start = clock.now;
  EXPECT_EQ(detectCradle(list, port, clock), 3);
  EXPECT_EQ(port.opened, (std::vector<std::string>{"COM1", "COM4"}));
  EXPECT_EQ(port.opens, port.closes);
  // COM1: five probes of 400 ms; COM4: 9600, 115200, 38400 fail, then 57600 answers.
  EXPECT_EQ(clock.now - start, 5u * 400 + 3 * 400 + 300);
  EXPECT_EQ(port.timeouts.readInterval, kMaxDword);
  EXPECT_TRUE(port.current.rtsEnable);
  EXPECT_TRUE(port.current.dtrEnable);
}

TEST(CradleDetection, ProbesTheFiveRatesInTheirOrderAndStopsAtTheOneThatAnswers) {
  const std::uint32_t kOrder[] = {9600, 115200, 38400, 57600, 19200};
  for (std::size_t answering = 0; answering < 5; ++answering) {
    SCOPED_TRACE(kOrder[answering]);
    VirtualClock clock;
    MultiPort port(clock, "COM1", kOrder[answering]);
    SerialPortList list;
    add(list, "\\Device\\Serial0", "COM1");
    const std::uint32_t start = clock.now;
    EXPECT_EQ(detectCradle(list, port, clock), 0);
    std::vector<std::uint32_t> probed;
    for (const Written& w : port.writes) probed.push_back(w.state.baudRate);
    EXPECT_EQ(probed, std::vector<std::uint32_t>(kOrder, kOrder + answering + 1));
    // 400 ms for each rate that stays silent, 300 ms up to the echo at the answering one.
    EXPECT_EQ(clock.now - start, 400u * answering + 300);
  }
}

TEST(CradleDetection, NoCradleGivesMinusOneAndClosesEverything) {
  VirtualClock clock;
  MultiPort port(clock, "none", 9600);
  SerialPortList list;
  add(list, "\\Device\\Serial0", "COM1");
  add(list, "\\Device\\Serial1", "COM2");
  EXPECT_EQ(detectCradle(list, port, clock), -1);
  EXPECT_EQ(port.opens, 2);
  EXPECT_EQ(port.closes, 2);
  EXPECT_EQ(detectCradle(SerialPortList{}, port, clock), -1);
}

TEST(CradleDetection, PortThatCannotOpenIsSkipped) {
  VirtualClock clock;
  MultiPort port(clock, "COM1", 9600);
  port.failOpen = true;
  SerialPortList list;
  add(list, "\\Device\\Serial0", "COM1");
  EXPECT_EQ(detectCradle(list, port, clock), -1);
  EXPECT_EQ(port.closes, 0);
}

}  // namespace
}  // namespace torvik
