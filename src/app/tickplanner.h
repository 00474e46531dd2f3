#pragma once

#include "common/datetime.h"

#include <optional>

namespace tavrok {

// When the ticks must run. Every handler computes from "now", so a tick may come late or early without
// losing anything; the plan only decides how soon something visible changes or falls due.
namespace tickplan {

// Running digits are redrawn 25 times a second, as often as film and television change their picture:
// smooth to the eye, and a small part of the cost of following every refresh of a 60 Hz screen.
inline constexpr int FrameIntervalMs = 40;
// A wake-up for a change of the shown seconds lands this long after it, so that it has surely passed.
inline constexpr int WakeMarginMs = 1;
// A wake-up for a due moment comes this long before it (and a thousandth of the wait more), and the tick
// then sleeps until it (`Clock::waitUntil`): "now" and the timers count whole milliseconds, the system lets
// a wait run over by a thousandth of its length, and a busy machine gives the processor back a little later.
inline constexpr int WakeEarlyMs = 4;

// Milliseconds until the next whole second of a span counted from some origin.
int untilNextWholeSecond(TDateTime sinceOrigin);
// Milliseconds until the next whole second counted from `origin` (of the scale's own clock when none).
template <class Scale>
int untilNextSecond(Moment<Scale> now, Moment<Scale> origin = {}) {
    return untilNextWholeSecond(now - origin);
}

struct FunctionTickNeeds {
    bool digitsRunning = false;           // running digits are on screen
    std::optional<UtcTime> titleOrigin;   // an engine's time is in the title: it counts from here
    std::optional<UtcTime> nextDue;       // the next moment an engine must act on, met to the microsecond
    std::optional<UtcTime> pictureDue;    // a shown picture changes (the tray icon): at most one per frame

    // One more moment something must act on.
    void dueAt(std::optional<UtcTime> moment) {
        if (moment && (!nextDue || *moment < *nextDue)) {
            nextDue = moment;
        }
    }
};

// Milliseconds until the function tick must run, or nothing when the next clock tick (which runs the
// function tick too) comes soon enough: an idle program then wakes once a second, not twice. The clock
// tick, at least once a second, is also what catches up after a suspend (the timers run on a clock that
// stops while the machine sleeps).
std::optional<int> nextFunctionTick(UtcTime now, const FunctionTickNeeds& needs);

// A tick woken early for a due moment, which is still a whole millisecond or more away: it waits for the
// moment itself and then runs. The due moments are whole milliseconds, as "now" is.
bool approaching(UtcTime now, std::optional<UtcTime> due);

} // namespace tickplan
} // namespace tavrok
