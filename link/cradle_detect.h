#pragma once
// Finds the serial port to which the infrared cradle is attached: each listed port in turn
// is probed at the five rates until the cradle echoes the probe byte.
#include "link/serial_port.h"
#include "base/clock.h"
#include "base/serial_ports.h"

namespace torvik {

// The index of the cradle's port, or -1. Bluetooth ports and ports without a device path
// are skipped; every port tried is closed again.
int detectCradle(const SerialPortList& ports, SerialPort& port, Clock& clock);

}  // namespace torvik
