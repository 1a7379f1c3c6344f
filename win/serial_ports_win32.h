#pragma once
#include <windows.h>

#include "base/serial_ports.h"

namespace torvik {

// Reads the ports listed under HKLM\Hardware\DeviceMap\SerialComm, in the registry's order.
void readSerialPortList(SerialPortList& list);

// Refreshes the list and, while the port index is -1, resolves it by the COM
// number. Fills `comboId` of `dialog` with one row per port when a dialog is given.
int fillPortList(HWND dialog, int comboId, SerialPortList& list, int& portIndex, int comNumber);

// The system name of the chosen port ("" when there is none), after refreshing the list as
// each transfer does; a port index of -1 is resolved by the COM number.
void chosenPortName(int& portIndex, int comNumber, char (&name)[11]);

}  // namespace torvik
