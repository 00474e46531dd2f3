#pragma once

#include "common/datetime.h"

namespace tavrok {

// The one source of "now": the local wall-clock date and time with millisecond resolution. The program
// holds one real clock; tests hand the logic a clock they can set.
class Clock {
public:
    virtual ~Clock() = default;
    virtual TDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    TDateTime now() const override;
};

} // namespace tavrok
