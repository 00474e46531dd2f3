#include "app/tickplanner.h"

#include <algorithm>

namespace tavrok::tickplan {

int untilNextWholeSecond(TDateTime sinceOrigin) {
    const std::int64_t ms = toMilliseconds(sinceOrigin);
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
        delay = std::min(delay, std::max<std::int64_t>(toMilliseconds(*needs.nextDue - now) + WakeMarginMs, 0));
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
