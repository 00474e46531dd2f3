#pragma once

#include "platform/clock.h"
#include "platform/clocksetter.h"

namespace tavrok::test {

// A clock that stands still until the test moves it.
class FakeClock final : public Clock {
public:
    explicit FakeClock(TDateTime start = 0) : now_(start) {}
    TDateTime now() const override { return now_; }
    void set(TDateTime t) { now_ = t; }
    void advanceMs(double ms) { now_ += ms / MsPerDay; }

private:
    TDateTime now_;
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
