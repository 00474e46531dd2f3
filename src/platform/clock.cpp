#include "platform/clock.h"

#include <QDateTime>

namespace tavrok {

TDateTime SystemClock::now() const {
    return fromQDateTime(QDateTime::currentDateTime());
}

TDateTime SystemClock::utcNow() const {
    return fromQDateTime(QDateTime::currentDateTimeUtc());
}

} // namespace tavrok
