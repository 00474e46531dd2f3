#include "platform/clock.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <time.h>

using namespace tavrok;

// The clock reads the local time itself: it must agree with Qt's reading in any zone, also in one the
// system switched to while the program runs.
TEST(SystemClockTest, ReadsTheLocalTimeOfTheZoneInForceNow) {
    const QByteArray zoneBefore = qgetenv("TZ");
    const SystemClock clock;
    for (const char* zone : {"Europe/Prague", "America/St_Johns", "Asia/Kathmandu", "Pacific/Chatham", "UTC"}) {
        qputenv("TZ", zone); // read first by the clock: nobody told the C library yet
        const TDateTime now = clock.now();
        const TDateTime qt = fromQDateTime(QDateTime::currentDateTime());
        EXPECT_GE(now, qt - 0.1 / 86400) << zone;
        EXPECT_LE(now, qt + OneMillisecond) << zone;
        EXPECT_NEAR(clock.utcNow(), fromQDateTime(QDateTime::currentDateTimeUtc()), 1.0 / 86400) << zone;
    }
    qputenv("TZ", zoneBefore);
    tzset();
}
