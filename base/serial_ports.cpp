#include "base/serial_ports.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/text.h"

namespace torvik {

bool SerialPortList::add(const char* devicePath, const char* name, std::size_t nameBytes) {
  if (count >= kMaxSerialPorts) return false;
  SerialPortEntry& e = ports[count++];
  e = SerialPortEntry{};
  const std::size_t n = nameBytes < sizeof e.name - 1 ? nameBytes : sizeof e.name - 1;
  std::memcpy(e.name, name, n);
  e.name[n] = '\0';
  copyText(e.devicePath, devicePath);
  return true;
}

PortKind portKindOf(const char* devicePath) {
  const char* slash = std::strrchr(devicePath, '\\');
  if (slash == nullptr) return kPortNoDevicePath;
  const char* tail = slash + 1;
  auto startsWith = [tail](const char* prefix) {
    return std::toupper(static_cast<unsigned char>(tail[0])) == prefix[0] && tail[0] != '\0' &&
           std::toupper(static_cast<unsigned char>(tail[1])) == prefix[1];
  };
  if (startsWith("BT")) return kPortBluetooth;
  if (startsWith("SE")) return kPortSerial;
  return kPortVirtual;
}

PortKind portKind(const SerialPortList& list, int index) {
  if (index < 0 || index >= list.count) return kPortMissing;
  return portKindOf(list.ports[index].devicePath);
}

void portRowText(const SerialPortEntry& port, char* out, std::size_t size) {
  const char* kind = "Unknown port";
  switch (portKindOf(port.devicePath)) {
    case kPortBluetooth: kind = "Bluetooth port"; break;
    case kPortSerial: kind = "Serial port"; break;
    case kPortVirtual: kind = "Virtual port"; break;
    default: break;
  }
  std::snprintf(out, size, "%s - %s", port.name, kind);
}

int portIndexOfComNumber(const SerialPortList& list, int comNumber) {
  for (int i = 0; i < list.count; ++i) {
    const char* name = list.ports[i].name;
    const char* m = std::strpbrk(name, "Mm");
    if (m == nullptr || !std::isdigit(static_cast<unsigned char>(m[1]))) continue;
    if (std::atoi(m + 1) == comNumber) return i;
  }
  return -1;
}

int resolvePortIndex(const SerialPortList& list, int portIndex, int comNumber) {
  return portIndex == -1 ? portIndexOfComNumber(list, comNumber) : portIndex;
}

int portIndexOfRowText(const SerialPortList& list, const char* rowText) {
  const char* space = std::strchr(rowText, ' ');
  const std::size_t n = space != nullptr ? static_cast<std::size_t>(space - rowText) : std::strlen(rowText);
  for (int i = 0; i < list.count; ++i)
    if (std::strlen(list.ports[i].name) == n && std::strncmp(list.ports[i].name, rowText, n) == 0) return i;
  return 0;
}

const char* portName(const SerialPortList& list, int index) {
  return index >= 0 && index < list.count ? list.ports[index].name : "";
}

}  // namespace torvik
