#pragma once

#include "common/datetime.h"

#include <QString>
#include <optional>

namespace tavrok {

// The stored forms of INI values. They are fixed whatever the user's locale, so that a change of
// locale never makes a file unreadable: integers in decimal, booleans "1"/"0", floats in the shortest
// form of at most 15 significant digits with a decimal comma, date-times as d.M.yyyy H:mm:ss and times
// as H:mm:ss (the Czech forms the Windows version wrote).

// Decimal, or hexadecimal after "0x" or "$"; an optional sign; must fit 32 bits.
std::optional<int> parseIniInteger(QStringView text);

// A colour: 32 bits that may not fit an int (the Windows version wrote its system colours, FF0000xx, as
// large decimals), also read when written as a negative int. Written back as its unsigned decimal.
std::optional<quint32> parseIniColour(QStringView text);

QString formatIniFloat(double value);
// The same general form with another decimal separator (a spreadsheet's, the system's).
QString formatGeneralFloat(double value, QChar decimalSeparator);
// Accepts a decimal comma or point and an exponent; rejects infinities and NaN.
std::optional<double> parseIniFloat(QStringView text);

QString formatIniDateTime(TDateTime value);
// "d.M.yyyy H:mm:ss", the date alone (midnight), or a time alone (on day 0); seconds may be left out.
std::optional<TDateTime> parseIniDateTime(QStringView text);

QString formatIniTime(TDateTime value);
std::optional<TDateTime> parseIniTime(QStringView text);

} // namespace tavrok
