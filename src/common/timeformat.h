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

// The day field's text as a day count: 0 when it is not a plain integer.
qint64 dayCountFromText(const QString& text);

} // namespace tavrok
