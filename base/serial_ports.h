#pragma once
// The serial ports the system lists (HKLM\Hardware\DeviceMap\SerialComm): their kinds, the
// rows the Preferences show, and how a port index is found from a COM number or a row.
#include <cstddef>

namespace torvik {

constexpr int kMaxSerialPorts = 64;

enum PortKind : int {
  kPortMissing = 0,
  kPortSerial = 1,
  kPortVirtual = 2,
  kPortBluetooth = 3,
  kPortNoDevicePath = 99,
};

struct SerialPortEntry {
  char name[11] = {};         // the port's system name, e.g. "COM3" (at most 10 bytes taken)
  char devicePath[256] = {};  // the registry value's name, e.g. "\Device\Serial0"
};

struct SerialPortList {
  SerialPortEntry ports[kMaxSerialPorts];
  int count = 0;
  // Adds a registry value; false once the list is full.
  bool add(const char* devicePath, const char* name, std::size_t nameBytes);
};

// The kind of a port from its device path.
PortKind portKindOf(const char* devicePath);
PortKind portKind(const SerialPortList& list, int index);
// "COM3 - Serial port", "COM9 - Unknown port", ...
void portRowText(const SerialPortEntry& port, char* out, std::size_t size);

// The first port whose name has `comNumber` after its first 'M' or 'm'; -1 when none.
int portIndexOfComNumber(const SerialPortList& list, int comNumber);
// Resolves a port index of -1 by the COM number; other values stay.
int resolvePortIndex(const SerialPortList& list, int portIndex, int comNumber);
// The port whose name equals the row text before its first space; 0 when none.
int portIndexOfRowText(const SerialPortList& list, const char* rowText);
// The system name of the port at `index`; "" outside the list.
const char* portName(const SerialPortList& list, int index);

}  // namespace torvik
