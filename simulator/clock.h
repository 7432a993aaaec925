// The engine's time. A steady clock in microseconds paces the line; the
// calendar (the printer's local time) starts from the host's clock. Tests and
// the in-process port use the virtual clock, which moves only when told.
#pragma once

#include <cstdint>

namespace simulator {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t NowMicros() const = 0;
    // Local time as seconds since 1970-01-01 00:00 of the local calendar.
    virtual std::int64_t LocalSeconds() const = 0;
};

class SystemClock final : public Clock {
public:
    std::int64_t NowMicros() const override;
    std::int64_t LocalSeconds() const override;
};

class VirtualClock final : public Clock {
public:
    // Starts at the host's local time unless given one.
    VirtualClock();
    explicit VirtualClock(std::int64_t localSeconds) : startSeconds_(localSeconds) {}
    std::int64_t NowMicros() const override { return micros_; }
    std::int64_t LocalSeconds() const override { return startSeconds_ + micros_ / 1000000; }
    void Advance(std::int64_t micros) { micros_ += micros; }

private:
    std::int64_t startSeconds_;
    std::int64_t micros_ = 0;
};

}  // namespace simulator
