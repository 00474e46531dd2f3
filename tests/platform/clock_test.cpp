#include "platform/clock.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace tavrok;

double unixMsNow() {
    using namespace std::chrono;
    return duration<double, std::milli>(system_clock::now().time_since_epoch()).count();
}

UtcTime atUnixMs(double ms) {
    return UtcTime(UnixEpochDays + ms / MsPerDay);
}

// The real clock's wait for a ring or an end: it returns at the moment and never before it, whether the
// moment is a fraction of a millisecond or a few milliseconds ahead; a moment past does not wait, and one
// set too far ahead holds the program for no more than the longest wait.
TEST(SystemClockTest, AWaitEndsAtItsMomentAndNeverHoldsTheProgramLong) {
    const SystemClock clock;
    // The day count resolves the moment to about a microsecond; the system may slew its clock a little.
    constexpr double ResolutionMs = 0.05;
    for (const double aheadMs : {0.2, 0.9, 3.0, 6.0}) {
        const double dueMs = unixMsNow() + aheadMs;
        clock.waitUntil(atUnixMs(dueMs));
        EXPECT_GE(unixMsNow(), dueMs - ResolutionMs) << aheadMs << " ms ahead";
    }

    double startMs = unixMsNow();
    clock.waitUntil(atUnixMs(startMs - 1000));
    EXPECT_LT(unixMsNow() - startMs, Clock::LongestWaitMs / 2) << "a moment past";

    startMs = unixMsNow();
    clock.waitUntil(atUnixMs(startMs + 2000));
    const double waitedMs = unixMsNow() - startMs;
    EXPECT_GE(waitedMs, Clock::LongestWaitMs - ResolutionMs);
    EXPECT_LT(waitedMs, 1000) << "two seconds ahead";
}

} // namespace
