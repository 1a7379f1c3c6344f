#include "win/serial_ports_win32.h"

#include "base/text.h"

namespace torvik {

void readSerialPortList(SerialPortList& list) {
  list.count = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Hardware\\DeviceMap\\SerialComm", 0, KEY_READ, &key) != ERROR_SUCCESS)
    return;
  for (DWORD i = 0;; ++i) {
    char valueName[256] = {};
    DWORD nameSize = sizeof valueName;
    BYTE data[64] = {};
    DWORD dataSize = sizeof data - 1;
    DWORD type = 0;
    const LONG r = RegEnumValueA(key, i, valueName, &nameSize, nullptr, &type, data, &dataSize);
    if (r == ERROR_NO_MORE_ITEMS) break;
    if (r != ERROR_SUCCESS) {
      // A value too long for the buffers still holds its place: a port index is a registry
      // position. It lists with no name, which no port opens as.
      if (!list.add("", "", 0)) break;
      continue;
    }
    // The data is a string; only its text counts, not the NUL the registry may keep.
    DWORD length = 0;
    while (length < dataSize && data[length] != 0) ++length;
    if (!list.add(valueName, reinterpret_cast<const char*>(data), length)) break;
  }
  RegCloseKey(key);
}

int fillPortList(HWND dialog, int comboId, SerialPortList& list, int& portIndex, int comNumber) {
  readSerialPortList(list);
  portIndex = resolvePortIndex(list, portIndex, comNumber);
  if (dialog != nullptr) {
    HWND combo = GetDlgItem(dialog, comboId);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < list.count; ++i) {
      char row[64];
      portRowText(list.ports[i], row, sizeof row);
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    }
  }
  return list.count;
}

void chosenPortName(int& portIndex, int comNumber, char (&name)[11]) {
  static SerialPortList list;  // 17 KB: kept off the stack
  fillPortList(nullptr, 0, list, portIndex, comNumber);
  copyText(name, portName(list, portIndex));
}

}  // namespace torvik
