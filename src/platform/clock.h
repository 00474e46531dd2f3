#pragma once

#include "common/datetime.h"

namespace tavrok {

// The one source of "now", with millisecond resolution, on two scales: the local wall-clock date and
// time (shown, stored, followed by the alarms) and UTC (the engines measure elapsed and remaining time
// on it, as summer time does not move it). The program holds one real clock; tests hand the logic a
// clock they can set.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
    virtual UtcTime utcNow() const = 0;
    // Milliseconds on a clock nobody sets, which runs on while the computer sleeps: how much time
    // really passed between two moments, whatever was done to the wall clock meanwhile.
    virtual qint64 elapsedMs() const = 0;
    // Sleeps until `due` or for LongestWaitMs on a clock nobody sets, whichever comes first: the last few
    // milliseconds to a ring or an end, which a timer's whole milliseconds and a busy core would otherwise
    // make late. A wall clock set back meanwhile ends it at the longest wait, before `due`.
    virtual void waitUntil(UtcTime due) const = 0;
    static constexpr double LongestWaitMs = 20;
};

class SystemClock final : public Clock {
public:
    LocalTime now() const override;
    UtcTime utcNow() const override;
    qint64 elapsedMs() const override;
    void waitUntil(UtcTime due) const override;
};

} // namespace tavrok
