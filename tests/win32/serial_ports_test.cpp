// The serial-port list from the registry and the Win32 port's refusals, under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "link/win32_serial_port_win32.h"
#include "win/serial_ports_win32.h"

namespace torvik {
namespace {

TEST(SerialPortRegistry, ListsNamedPortsWithTheirDevicePaths) {
  auto list = std::make_unique<SerialPortList>();
  readSerialPortList(*list);
  for (int i = 0; i < list->count; ++i) {
    SCOPED_TRACE(list->ports[i].devicePath);
    EXPECT_EQ(std::strncmp(list->ports[i].name, "COM", 3), 0);
    EXPECT_NE(portKind(*list, i), kPortMissing);
  }
}

TEST(SerialPortRegistry, ComNumberResolvesTheTestPort) {
  auto list = std::make_unique<SerialPortList>();
  readSerialPortList(*list);
  const int index = portIndexOfComNumber(*list, 7);
  if (index < 0) GTEST_SKIP() << "COM7 is mapped by scripts/test.sh";
  EXPECT_EQ(portKind(*list, index), kPortSerial);  // Wine lists it as \Device\Serial6
  int portIndex = -1;
  char name[11];
  chosenPortName(portIndex, 7, name);
  EXPECT_STREQ(name, "COM7");
  EXPECT_EQ(portIndex, index);
}

TEST(Win32SerialPort, AbsentOrClosedPortRefusesEverything) {
  Win32SerialPort port;
  EXPECT_FALSE(port.open("COM250"));
  const std::uint8_t byte = 0x0F;
  EXPECT_FALSE(port.write(&byte, 1, 10));
  std::uint8_t in[4];
  EXPECT_EQ(port.read(in, sizeof in, 10), -1);
  port.close();
  port.close();  // twice is harmless
}

}  // namespace
}  // namespace torvik
