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
        const double remaining = floorMs(*needs.nextDue - now);
        const double until = std::floor(remaining - WakeEarlyMs - remaining / 1000);
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

bool approaching(UtcTime now, std::optional<UtcTime> due) {
    if (!due) {
        return false;
    }
    // Still ahead as the engines round: they take a moment as reached half a millisecond before it. A
    // wake-up for it comes at most the margin, a thousandth of a second's wait and the timer's
    // millisecond before it.
    const std::int64_t remaining = toMilliseconds(*due - now);
    return remaining >= 1 && remaining <= WakeEarlyMs + 2;
}

} // namespace tavrok::tickplan
