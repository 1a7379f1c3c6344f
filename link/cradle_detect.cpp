#include "link/cradle_detect.h"

namespace torvik {

namespace {

constexpr std::uint32_t kPauseMs = 100;

bool probeAt(SerialPort& port, Clock& clock, CommState& state, std::uint32_t rate) {
  state.baudRate = rate;
  state.rtsEnable = false;
  port.setState(state);
  clock.sleep(kPauseMs);
  const std::uint8_t probe = 0x0F;
  port.write(&probe, 1, 1000);
  clock.sleep(kPauseMs);
  bool answered = false;
  const std::uint32_t start = clock.tickCount();
  for (;;) {
    const std::uint32_t elapsed = elapsedSince(clock, start);
    if (elapsed >= kPauseMs) break;
    std::uint8_t byte = 0;
    const ReadResult r = port.readByte(byte, kPauseMs - elapsed);
    if (r == ReadResult::Byte) {
      answered = byte == probe;
      break;
    }
    if (r == ReadResult::Failed) break;
  }
  state.rtsEnable = true;
  port.setState(state);
  clock.sleep(kPauseMs);
  return answered;
}

}  // namespace

int detectCradle(const SerialPortList& ports, SerialPort& port, Clock& clock) {
  static constexpr std::uint32_t kRates[] = {9600, 115200, 38400, 57600, 19200};
  for (int i = 0; i < ports.count; ++i) {
    const PortKind kind = portKind(ports, i);
    if (kind == kPortBluetooth || kind == kPortNoDevicePath) continue;
    if (!port.open(ports.ports[i].name)) continue;
    CommState state;
    state.baudRate = 38400;
    state.byteSize = 8;
    state.dtrEnable = true;
    state.rtsEnable = true;
    port.setTimeouts(kImmediateReadTimeouts);
    port.setState(state);
    for (std::uint32_t rate : kRates) {
      if (probeAt(port, clock, state, rate)) {
        port.close();
        return i;
      }
    }
    port.close();
  }
  return -1;
}

}  // namespace torvik
