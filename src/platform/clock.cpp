#include "platform/clock.h"

#include "platform/utcoffsetcache.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <thread>
#ifdef Q_OS_LINUX
#include <time.h>
#endif

namespace tavrok {

namespace {

std::int64_t systemOffsetAt(std::int64_t utcMs) {
    return std::int64_t{QDateTime::fromMSecsSinceEpoch(utcMs, Qt::LocalTime).offsetFromUtc()} * 1000;
}

} // namespace

LocalTime SystemClock::now() const {
    thread_local UtcOffsetCache offsets(systemOffsetAt);
    const std::int64_t utcMs = QDateTime::currentMSecsSinceEpoch();
    return LocalTime(fromUnixMs(utcMs + offsets.offsetAt(utcMs)));
}

UtcTime SystemClock::utcNow() const {
    return UtcTime(fromUnixMs(QDateTime::currentMSecsSinceEpoch()));
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

void SystemClock::waitUntil(UtcTime due) const {
    using namespace std::chrono;
    using Ms = duration<double, std::milli>;
    const double dueMs = (due.days() - UnixEpochDays) * MsPerDay;
    const auto ahead = [dueMs] { return dueMs - Ms(system_clock::now().time_since_epoch()).count(); };
    // Asleep, not watching the clock: a thread that keeps running until the moment uses up its share of a
    // core, and another program busy on that core then holds it off for milliseconds. The wall clock says
    // when it is over; the longest wait is measured on a clock nobody sets, so setting the wall clock
    // meanwhile does not stretch it.
    const auto giveUp = steady_clock::now() + Ms(LongestWaitMs);
    for (double left = ahead(); left > 0; left = ahead()) {
        const Ms beforeGivingUp = giveUp - steady_clock::now();
        if (beforeGivingUp.count() <= 0) {
            return;
        }
        std::this_thread::sleep_for(std::min(Ms(left), beforeGivingUp));
    }
}

} // namespace tavrok
