#include "platform/clock.h"

#include <QDateTime>

namespace tavrok {

TDateTime SystemClock::now() const {
    return fromQDateTime(QDateTime::currentDateTime());
}

} // namespace tavrok
