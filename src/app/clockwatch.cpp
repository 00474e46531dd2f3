#include "app/clockwatch.h"

#include <cmath>

namespace tavrok {

ClockWatch::Change ClockWatch::look(UtcTime utc, qint64 elapsedMs, qint64 toleranceMs) {
    Change change;
    if (seen_) {
        change.gap = utc - utc_;
        const double driftMs = change.gap * MsPerDay - static_cast<double>(elapsedMs - elapsedMs_);
        if (std::abs(driftMs) > static_cast<double>(toleranceMs)) {
            change.jump = driftMs / MsPerDay;
        }
    }
    rebase(utc, elapsedMs);
    return change;
}

void ClockWatch::rebase(UtcTime utc, qint64 elapsedMs) {
    seen_ = true;
    utc_ = utc;
    elapsedMs_ = elapsedMs;
}

} // namespace tavrok
