// Designs come from project files, and files can hold any byte: whatever the design and
// whatever the keys, the simulator stays inside its buffers. The input's first 64 bytes are
// key presses (a set top bit also ticks the timer); the rest overlays the form table, the
// menu table and the system settings.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "simulator/engine.h"

namespace {

class NoUi : public torvik::SimulatorUi {
 public:
  void invalidate(const torvik::LcdRect&) override {}
  void noExecutableProgram() override {}
  const char* text(int) override { return "No next screen!"; }
};

bool terminated(const char* text, int size) { return std::memchr(text, 0, static_cast<std::size_t>(size)) != nullptr; }

void overlay(void* block, std::size_t blockSize, const std::uint8_t*& data, std::size_t& size) {
  const std::size_t n = size < blockSize ? size : blockSize;
  std::memcpy(block, data, n);
  data += n;
  size -= n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvik;
  static auto def = std::make_unique<ApplicationDefinition>();
  std::memset(def.get(), 0, sizeof *def);
  const std::size_t keyCount = size < 64 ? size : 64;
  const std::uint8_t* keys = data;
  data += keyCount;
  size -= keyCount;
  overlay(def->form, sizeof def->form, data, size);
  overlay(def->menu, sizeof def->menu, data, size);
  overlay(&def->systemSettings, sizeof def->systemSettings, data, size);

  VirtualClock clock;
  NoUi ui;
  Simulator sim(*def, clock, ui);
  sim.key(1);
  for (std::size_t i = 0; i < keyCount; ++i) {
    const int code = keys[i] % 25;
    if (code == 13) sim.toggleAlpha();
    sim.key(code == 24 ? 51 : code);
    if (keys[i] & 0x80) sim.timerTick();
    for (int l = 0; l < kLcdLines; ++l) {
      if (!terminated(sim.line(l), kLcdLineBytes)) __builtin_trap();
      if (!terminated(sim.fieldLine(l).field, kFieldBytes)) __builtin_trap();
    }
    if (!terminated(sim.lastRecord(), kLastRecordBytes)) __builtin_trap();
    if (sim.cursorRow() < 0 || sim.cursorRow() >= kLcdLines) __builtin_trap();
  }
  char clockLine[kClockLineBytes];
  sim.clockLine(clockLine);
  return 0;
}
