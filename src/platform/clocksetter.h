#pragma once

#include "common/datetime.h"

namespace tavrok {

// Sets the computer's clock to a local date and time. The result is not reported: the desktop asks
// for authorisation, and a refusal simply leaves the clock as it was.
class ClockSetter {
public:
    virtual ~ClockSetter() = default;
    virtual void setLocalTime(TDateTime local) = 0;
};

} // namespace tavrok
