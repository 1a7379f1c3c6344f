#include <time.h>

#include <cerrno>

#include "base/clock.h"

namespace torvik {

namespace {
// The monotonic clock: a change of the wall clock must not end or stretch a time limit.
class SystemClock : public Clock {
 public:
  std::uint32_t tickCount() override {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(t.tv_sec) * 1000u +
                                      static_cast<std::uint64_t>(t.tv_nsec) / 1000000u);
  }
  void sleep(std::uint32_t ms) override {
    timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
  }
  LocalTime localTime() override {
    const time_t now = time(nullptr);
    tm t{};
    localtime_r(&now, &t);
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
  }
};
}  // namespace

Clock& systemClock() {
  static SystemClock clock;
  return clock;
}

}  // namespace torvik
