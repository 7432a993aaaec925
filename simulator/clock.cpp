#include "simulator/clock.h"

#include <chrono>
#include <ctime>

#include "simulator/text.h"

namespace simulator {

std::int64_t SystemClock::NowMicros() const {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::int64_t SystemClock::LocalSeconds() const {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local) return static_cast<std::int64_t>(now);
    CivilTime t;
    t.Year = local->tm_year + 1900;
    t.Month = local->tm_mon + 1;
    t.Day = local->tm_mday;
    t.Hour = local->tm_hour;
    t.Minute = local->tm_min;
    t.Second = local->tm_sec > 59 ? 59 : local->tm_sec;
    return SecondsOf(t);
}

VirtualClock::VirtualClock() : startSeconds_(SystemClock().LocalSeconds()) {}

}  // namespace simulator
