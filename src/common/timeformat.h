#pragma once

#include "common/datetime.h"

#include <QString>

namespace tavrok {

// The five texts a duration is shown as: days without leading zeros, two-digit hours (always 0..23),
// minutes and seconds, three-digit milliseconds.
struct DisplayParts {
    QString days;
    QString hours;
    QString minutes;
    QString seconds;
    QString millis;
    friend bool operator==(const DisplayParts&, const DisplayParts&) = default;
};

DisplayParts dekodujCasProDisplej(TDateTime value);

// The duration the digits stand for; days is 0 when the day count is not used or not a number.
TDateTime zakodujDisplej(qint64 days, int hours, int minutes, int seconds, int millis);

// The most days a length may have: six digits in the day field, and a countdown of that length ends in a
// year the date-time value still holds (before 9999) with its milliseconds exact.
inline constexpr qint64 MaxDays = 999'999;
// A stored length (in days) that the digits can show: 0 up to MaxDays days, 23:59:59.999. Anything else
// (negative, too long, not a number) reads as missing.
bool isShowableLength(double days);

// The day field's text as a day count: 0 when it is not a plain integer of at most MaxDays.
qint64 dayCountFromText(const QString& text);

} // namespace tavrok
