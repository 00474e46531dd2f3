#pragma once

#include "platform/clock.h"

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

} // namespace tavrok::test
