#include "app/tickplanner.h"

#include <algorithm>

namespace tavrok::tickplan {

int delayUntil(TDateTime now, TDateTime moment) {
    const std::int64_t ms = toMilliseconds(moment - now) + WakeMarginMs;
    return static_cast<int>(std::clamp<std::int64_t>(ms, 0, MaxIntervalMs));
}

int untilNextSecond(TDateTime now, TDateTime origin) {
    const std::int64_t sinceOrigin = toMilliseconds(now - origin);
    const std::int64_t intoSecond = ((sinceOrigin % 1000) + 1000) % 1000;
    return static_cast<int>(1000 - intoSecond) + WakeMarginMs;
}

int nextFunctionTick(TDateTime now, const FunctionTickNeeds& needs) {
    int delay = MaxIntervalMs;
    if (needs.digitsRunning) {
        delay = std::min(delay, FrameIntervalMs);
    }
    if (needs.titleOrigin) {
        delay = std::min(delay, untilNextSecond(now, *needs.titleOrigin));
    }
    if (needs.nextDue) {
        delay = std::min(delay, delayUntil(now, *needs.nextDue));
    }
    return delay;
}

} // namespace tavrok::tickplan
