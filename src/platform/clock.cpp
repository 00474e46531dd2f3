#include "platform/clock.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <algorithm>
#ifdef Q_OS_LINUX
#include <time.h>
#endif

namespace tavrok {

TDateTime SystemClock::now() const {
#ifdef Q_OS_LINUX
    // One look at the system's zone a call: QDateTime makes one for the moment, one for its date and one
    // more for its time, and the clock is read every second. tzset() still sees a zone changed meanwhile.
    timespec wall{};
    tm local{};
    if (clock_gettime(CLOCK_REALTIME, &wall) == 0 && (tzset(), localtime_r(&wall.tv_sec, &local))) {
        const int second = std::min(local.tm_sec, 59); // a leap second stays in its minute
        if (const auto t = tryEncodeDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
                                             {local.tm_hour, local.tm_min, second, int(wall.tv_nsec / 1'000'000)})) {
            return *t;
        }
    }
#endif
    return fromQDateTime(QDateTime::currentDateTime());
}

TDateTime SystemClock::utcNow() const {
    return fromQDateTime(QDateTime::currentDateTimeUtc());
}

qint64 SystemClock::elapsedMs() const {
#ifdef Q_OS_LINUX
    timespec boot{};
    if (clock_gettime(CLOCK_BOOTTIME, &boot) == 0) { // the monotonic clock stops while the computer sleeps
        return static_cast<qint64>(boot.tv_sec) * 1000 + boot.tv_nsec / 1'000'000;
    }
#endif
    static QElapsedTimer since = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return since.elapsed();
}

} // namespace tavrok
