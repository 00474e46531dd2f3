#pragma once

#include "common/datetime.h"

#include <QtGlobal>

namespace tavrok {

// Notices what happened to the wall clock between two looks, by comparing it with the time that
// really passed (a clock nobody sets, which runs on while the computer sleeps): the clock was set
// (by the user, a time server, another program), or much time passed at once (a suspend, a clock set
// forward).
class ClockWatch {
public:
    struct Change {
        TDateTime jump = 0; // the wall clock was set by this much; 0 when it was not
        TDateTime gap = 0;  // how far the wall clock moved since the last look, jumps included
    };
    // A difference of at most this is the clocks' own drift, or a time server's small correction.
    static constexpr qint64 ToleranceMs = 1000;

    Change look(UtcTime utc, qint64 elapsedMs, qint64 toleranceMs = ToleranceMs);
    // Starts afresh from this moment: what came before is accounted for.
    void rebase(UtcTime utc, qint64 elapsedMs);

private:
    bool seen_ = false;
    UtcTime utc_;
    qint64 elapsedMs_ = 0;
};

} // namespace tavrok
