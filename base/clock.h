#pragma once
// Time as the core sees it: a millisecond tick counter, pauses and the local time. The
// program uses the system's; tests use a virtual clock that moves only when told, so a
// 3000 ms time limit or a blinking clock line is tested in microseconds.
#include <cstdint>

namespace torvik {

struct LocalTime {
  int year;    // e.g. 2026
  int month;   // 1..12
  int day;     // 1..31
  int hour;    // 0..23
  int minute;  // 0..59
  int second;  // 0..59
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint32_t tickCount() = 0;  // milliseconds, wrapping like GetTickCount
  virtual void sleep(std::uint32_t ms) = 0;
  virtual LocalTime localTime() = 0;
};

// Milliseconds from `start` to now, correct across the counter's wrap.
inline std::uint32_t elapsedSince(Clock& clock, std::uint32_t start) { return clock.tickCount() - start; }

// A clock that moves only when slept on or advanced: for tests and simulations.
class VirtualClock : public Clock {
 public:
  std::uint32_t now = 0;
  LocalTime time{2026, 1, 5, 14, 7, 0};
  std::uint32_t tickCount() override { return now; }
  void sleep(std::uint32_t ms) override { now += ms; }
  LocalTime localTime() override { return time; }
  void advance(std::uint32_t ms) { now += ms; }
};

// The system's clock (the Win32 tick counter and local time).
Clock& systemClock();

}  // namespace torvik
