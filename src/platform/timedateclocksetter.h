#pragma once

#include "platform/clocksetter.h"

namespace tavrok {

// The system clock service over D-Bus (org.freedesktop.timedate1, SetTime), which asks the desktop for
// authorisation when the user may not set the clock alone.
class TimedateClockSetter final : public ClockSetter {
public:
    void setLocalTime(TDateTime local) override;
};

} // namespace tavrok
