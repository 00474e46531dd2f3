#pragma once

#include "common/datetime.h"

#include <optional>

namespace tavrok {

// When the ticks must run. Every handler computes from "now", so a tick may come late or early without
// losing anything; the plan only decides how soon something visible changes or falls due.
namespace tickplan {

// Running digits are redrawn 30 times a second: smooth to the eye, and half the cost of following every
// refresh of a 60 Hz screen.
inline constexpr int FrameIntervalMs = 33;
// The longest sleep: what is due is tested at least this often, also after a suspend (the timers run
// on a clock that stops while the machine sleeps).
inline constexpr int MaxIntervalMs = 1000;
// A wake-up lands this long after the moment, so that the moment has surely passed.
inline constexpr int WakeMarginMs = 1;

// Milliseconds until `moment`, within 0..MaxIntervalMs.
int delayUntil(TDateTime now, TDateTime moment);

// Milliseconds until the next whole second counted from `origin` (the wall clock when origin is 0).
int untilNextSecond(TDateTime now, TDateTime origin = 0);

struct FunctionTickNeeds {
    bool digitsRunning = false;           // running digits are on screen
    std::optional<TDateTime> titleOrigin; // an engine's time is in the title: it counts from here
    std::optional<TDateTime> nextDue;     // the next moment an engine must act on
};

int nextFunctionTick(TDateTime now, const FunctionTickNeeds& needs);

} // namespace tickplan
} // namespace tavrok
