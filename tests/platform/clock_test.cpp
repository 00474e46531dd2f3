#include "platform/clock.h"
#include "platform/utcoffsetcache.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <thread>
#include <vector>

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

// The real clock's local time is the UTC one moved by the zone's offset, east and west of Greenwich alike,
// to the millisecond the calendar date and time encode; a zone changed meanwhile shows within a second.
TEST(SystemClockTest, TheLocalTimeIsTheUtcOneInTheSystemZone) {
    const QByteArray zoneBefore = qgetenv("TZ");
    const struct {
        const char* zone;
        int side; // east of Greenwich, on it, west of it
    } zones[] = {{"Europe/Prague", 1}, {"America/Denver", -1}, {"UTC", 0}};
    for (const auto& z : zones) {
        qputenv("TZ", z.zone);
        tzset();
        std::this_thread::sleep_for(std::chrono::milliseconds(UtcOffsetCache::KeptMs));
        const SystemClock clock;
        const UtcTime utc = clock.utcNow();
        const LocalTime local = clock.now();
        const auto readMs = toMilliseconds(fromQDateTime(QDateTime::currentDateTimeUtc()) - utc.days());
        EXPECT_TRUE(readMs >= 0 && readMs < 100) << z.zone << ": " << readMs;
        const auto apartMs = toMilliseconds(local - localFromUtc(utc));
        EXPECT_GE(apartMs, 0) << z.zone;
        EXPECT_LT(apartMs, 100) << z.zone;
        const auto aheadOfUtc = toMilliseconds(local.days() - utc.days());
        EXPECT_EQ((aheadOfUtc > 100) - (aheadOfUtc < -100), z.side) << z.zone;
    }
    zoneBefore.isNull() ? qunsetenv("TZ") : qputenv("TZ", zoneBefore);
    tzset();
}

// The offset is asked of the system at most twice a second, and is still exact to the millisecond across
// a change of summer time; a clock set back or forward asks again.
TEST(UtcOffsetCacheTest, AsksRarelyAndIsExactAcrossAChangeOfOffset) {
    constexpr std::int64_t Change = 1'000'000;
    std::vector<std::int64_t> asked;
    UtcOffsetCache cache([&](std::int64_t ms) {
        asked.push_back(ms);
        return ms < Change ? 3'600'000 : 7'200'000;
    });
    for (std::int64_t ms = Change - 5000; ms < Change - 3000; ms += 33) {
        EXPECT_EQ(cache.offsetAt(ms), 3'600'000);
    }
    EXPECT_LE(asked.size(), 6u) << "two seconds of frames";
    for (std::int64_t ms = Change - 1500; ms < Change + 1500; ++ms) {
        ASSERT_EQ(cache.offsetAt(ms), ms < Change ? 3'600'000 : 7'200'000) << ms - Change;
    }
    asked.clear();
    EXPECT_EQ(cache.offsetAt(Change + 1500), 7'200'000);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(cache.offsetAt(Change - 1), 3'600'000) << "the clock set back";
    EXPECT_EQ(cache.offsetAt(Change + 100'000), 7'200'000) << "the clock set forward";
    EXPECT_EQ(asked.size(), 4u);
}

// A zone the user changes shows within a second.
TEST(UtcOffsetCacheTest, AChangedZoneShowsWithinASecond) {
    std::int64_t zoneOffset = 0;
    UtcOffsetCache cache([&](std::int64_t) { return zoneOffset; });
    EXPECT_EQ(cache.offsetAt(0), 0);
    zoneOffset = -25'200'000;
    EXPECT_EQ(cache.offsetAt(UtcOffsetCache::KeptMs), zoneOffset);
}

} // namespace
