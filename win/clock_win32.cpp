#include <windows.h>

#include "base/clock.h"

namespace torvik {

namespace {
class SystemClock : public Clock {
 public:
  std::uint32_t tickCount() override { return GetTickCount(); }
  void sleep(std::uint32_t ms) override { Sleep(ms); }
  LocalTime localTime() override {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
  }
};
}  // namespace

Clock& systemClock() {
  static SystemClock clock;
  return clock;
}

}  // namespace torvik
