#include "app/tickplanner.h"

#include <algorithm>
#include <cmath>

namespace tavrok::tickplan {

namespace {

// Whole milliseconds in a span, a microsecond's rounding error of the day count aside.
double floorMs(TDateTime span) {
    return std::floor(span * MsPerDay + 0.001);
}

} // namespace

int untilNextWholeSecond(TDateTime sinceOrigin) {
    // The millisecond already begun counts as passed, so the wake-up lands after the next second.
    const auto ms = static_cast<std::int64_t>(floorMs(sinceOrigin));
    const std::int64_t intoSecond = ((ms % 1000) + 1000) % 1000;
    return static_cast<int>(1000 - intoSecond) + WakeMarginMs;
}

std::optional<int> nextFunctionTick(UtcTime now, const FunctionTickNeeds& needs) {
    const int clockTick = untilNextSecond(now);
    std::int64_t delay = clockTick;
    if (needs.digitsRunning) {
        delay = std::min<std::int64_t>(delay, FrameIntervalMs);
    }
    if (needs.titleOrigin) {
        delay = std::min<std::int64_t>(delay, untilNextSecond(now, *needs.titleOrigin));
    }
    if (needs.nextDue) {
        // Up to two milliseconds before it: "now" counts whole milliseconds and the timer whole ones too,
        // so a wake-up planned for the moment itself lands up to a millisecond after it. A tick before the
        // moment plans the next one at once, which meets it to a fraction of a millisecond.
        const double until = floorMs(*needs.nextDue - now) - 1;
        delay = std::min(delay, static_cast<std::int64_t>(std::clamp(until, 0.0, 1e9)));
    }
    if (needs.pictureDue) {
        const std::int64_t until = toMilliseconds(*needs.pictureDue - now) + WakeMarginMs;
        delay = std::min(delay, std::max<std::int64_t>(until, FrameIntervalMs));
    }
    if (delay >= clockTick) {
        return std::nullopt;
    }
    return static_cast<int>(delay);
}

} // namespace tavrok::tickplan
