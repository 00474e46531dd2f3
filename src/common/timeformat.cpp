#include "common/timeformat.h"

#include <cmath>

namespace tavrok {

namespace {

QString twoDigits(std::int64_t v) {
    return QString::number(v).rightJustified(2, u'0');
}

} // namespace

DisplayParts dekodujCasProDisplej(TDateTime value) {
    if (!std::isfinite(value)) {
        value = 0;
    }
    // Days and the time of day both come from the one rounded total, so the last half millisecond
    // before a whole day shows the next day at 00:00:00.000 rather than the lower count.
    const std::int64_t total = std::llabs(toMilliseconds(value));
    const std::int64_t timeOfDay = total % MsPerDayInt;

    DisplayParts p;
    p.hours = twoDigits(timeOfDay / 3'600'000);
    p.minutes = twoDigits(timeOfDay / 60'000 % 60);
    p.seconds = twoDigits(timeOfDay / 1000 % 60);
    p.millis = QString::number(timeOfDay % 1000).rightJustified(3, u'0');

    if (value < 0) {
        p.days = QStringLiteral("0");
    } else if (value < 1e11) {
        p.days = QString::number(total / MsPerDayInt);
    } else {
        // Past what milliseconds can count exactly: the whole part at 15 significant digits.
        p.days = QString::number(std::trunc(value), 'f', 0);
    }
    return p;
}

TDateTime zakodujDisplej(qint64 days, int hours, int minutes, int seconds, int millis) {
    return static_cast<double>(days) + (hours * 3600.0 + minutes * 60.0 + seconds) / 86400.0 +
           millis / MsPerDay;
}

bool isShowableLength(double days) {
    return days >= 0 && days < static_cast<double>(MaxDays + 1); // false for NaN too
}

qint64 dayCountFromText(const QString& text) {
    bool ok = false;
    const qint64 days = text.toLongLong(&ok);
    return ok && days >= 0 && days <= MaxDays ? days : 0;
}

} // namespace tavrok
