#include "platform/clock.h"

#include <QDateTime>
#include <QElapsedTimer>
#ifdef Q_OS_LINUX
#include <time.h>
#endif

namespace tavrok {

LocalTime SystemClock::now() const {
    return LocalTime(fromQDateTime(QDateTime::currentDateTime()));
}

UtcTime SystemClock::utcNow() const {
    return UtcTime(fromQDateTime(QDateTime::currentDateTimeUtc()));
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
