#pragma once
#include <windows.h>

#include "shell/preferences.h"
#include "shell/serial_ports.h"

namespace torvik {

// Reads the ports listed under HKLM\Hardware\DeviceMap\SerialComm, in the registry's order.
void readSerialPortList(SerialPortList& list);

// Refreshes the list and, while the preferences' port index is -1, resolves it by the COM
// number. Fills `comboId` of `dialog` with one row per port when a dialog is given.
int fillPortList(HWND dialog, int comboId, SerialPortList& list, Preferences& preferences);

// The system name of the port the preferences choose ("" when there is none), after
// refreshing the list as each transfer does.
void chosenPortName(Preferences& preferences, char (&name)[11]);

}  // namespace torvik
