#pragma once

#include "platform/clock.h"
#include "platform/clocksetter.h"

#include <algorithm>

namespace tavrok::test {

// A clock that stands still until the test moves it. It runs on UTC, as time does; the local time it
// shows follows the time zone of the process (TZ), summer time included. Time passing moves the wall
// clock and the elapsed time alike; setting the clock moves the wall clock alone.
class FakeClock final : public Clock {
public:
    explicit FakeClock(TDateTime localStart = 0) : utc_(utcFromLocal(LocalTime(localStart))) {}
    LocalTime now() const override { return localFromUtc(utc_); }
    UtcTime utcNow() const override { return utc_; }
    qint64 elapsedMs() const override { return static_cast<qint64>(elapsed_); }
    // Time passes while the program waits (never backwards, and as far as the real clock would let it).
    void waitUntil(UtcTime due) const override {
        if (due > utc_) {
            const UtcTime until = std::min(due, utc_ + LongestWaitMs / MsPerDay);
            elapsed_ += (until - utc_) * MsPerDay;
            utc_ = until;
        }
    }
    // Someone sets the clock.
    void set(TDateTime local) { utc_ = utcFromLocal(LocalTime(local)); }
    void setUtc(TDateTime utc) { utc_ = UtcTime(utc); }
    void setUtc(UtcTime utc) { utc_ = utc; }
    void jumpMs(double ms) { utc_ += ms / MsPerDay; }
    // Time passes.
    void advanceMs(double ms) {
        utc_ += ms / MsPerDay;
        elapsed_ += ms;
    }

private:
    mutable UtcTime utc_;
    mutable double elapsed_ = 1e9;
};

// Setting the computer's clock moves the fake clock.
class FakeClockSetter final : public ClockSetter {
public:
    explicit FakeClockSetter(FakeClock& clock) : clock_(clock) {}
    void setLocalTime(TDateTime local) override {
        clock_.set(local);
        ++calls;
    }
    int calls = 0;

private:
    FakeClock& clock_;
};

} // namespace tavrok::test
