#include "common/datetime.h"

#include <algorithm>
#include <cmath>

namespace tavrok {

namespace {

// Day number 0 is 30 December 1899; days_from_civil after H. Hinnant's public-domain algorithm.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = static_cast<unsigned>((153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1);
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

DateParts civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2 ? 1 : 0)), static_cast<int>(m), static_cast<int>(d)};
}

// The day number and the milliseconds into that day, rounded the way the date-time type decodes.
struct Split {
    std::int64_t day;
    std::int64_t ms;
};

// Beyond this the value is no calendar moment at all (year 9999 is about 2.9 million days away).
constexpr double MaxDays = 1e9;

Split split(TDateTime value) {
    if (!std::isfinite(value) || std::fabs(value) > MaxDays) {
        return {0, 0};
    }
    const double whole = std::trunc(value);
    std::int64_t day = static_cast<std::int64_t>(whole);
    auto ms = static_cast<std::int64_t>(std::nearbyint(std::fabs(value - whole) * MsPerDay));
    if (ms >= MsPerDayInt) {
        ms -= MsPerDayInt;
        day += value < 0 ? -1 : 1;
    }
    return {day, ms};
}

} // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && isLeapYear(year) ? 29 : Days[month - 1];
}

std::optional<TDateTime> tryEncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) {
        return std::nullopt;
    }
    return static_cast<TDateTime>(daysFromCivil(year, month, day) - daysFromCivil(1899, 12, 30));
}

std::optional<TDateTime> tryEncodeTime(int hour, int minute, int second, int msec) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 ||
        msec > 999) {
        return std::nullopt;
    }
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / MsPerDay;
}

namespace {

// A date and a time of day in one value. Before the epoch the time of day counts away from zero, as the
// date-time type stores it.
TDateTime joined(TDateTime date, TDateTime timeOfDay) {
    return date < 0 ? date - timeOfDay : date + timeOfDay;
}

} // namespace

std::optional<TDateTime> tryEncodeDateTime(const DateParts& date, const TimeParts& time) {
    const auto d = tryEncodeDate(date.year, date.month, date.day);
    const auto t = tryEncodeTime(time.hour, time.minute, time.second, time.msec);
    if (!d || !t) {
        return std::nullopt;
    }
    return joined(*d, *t);
}

TDateTime fromUnixMs(std::int64_t ms) {
    const std::int64_t day = ms >= 0 ? ms / MsPerDayInt : -((-ms + MsPerDayInt - 1) / MsPerDayInt);
    const TDateTime timeOfDay = static_cast<double>(ms - day * MsPerDayInt) / MsPerDay;
    return joined(UnixEpochDays + static_cast<double>(day), timeOfDay);
}

DateParts decodeDate(TDateTime value) {
    return civilFromDays(split(value).day + daysFromCivil(1899, 12, 30));
}

TimeParts decodeTime(TDateTime value) {
    const std::int64_t ms = split(value).ms;
    return {static_cast<int>(ms / 3'600'000), static_cast<int>(ms / 60'000 % 60),
            static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

int dayOfWeek(TDateTime value) {
    // Day 0 (30 December 1899) was a Saturday.
    const std::int64_t day = split(value).day;
    return static_cast<int>(((day % 7) + 7 + 6) % 7) + 1;
}

TDateTime dateOf(TDateTime value) {
    return static_cast<TDateTime>(split(value).day);
}

TDateTime timeOf(TDateTime value) {
    return static_cast<TDateTime>(split(value).ms) / MsPerDay;
}

TDateTime fromQDateTime(const QDateTime& dt) {
    if (!dt.isValid()) {
        return 0;
    }
    const QDate d = dt.date();
    const QTime t = dt.time();
    return tryEncodeDateTime({d.year(), d.month(), d.day()}, {t.hour(), t.minute(), t.second(), t.msec()})
        .value_or(0);
}

QDateTime toQDateTime(TDateTime value) {
    const DateParts d = decodeDate(value);
    const TimeParts t = decodeTime(value);
    return QDateTime(QDate(d.year, d.month, d.day), QTime(t.hour, t.minute, t.second, t.msec));
}

namespace {

QDateTime wholeMillisecond(TDateTime value, Qt::TimeSpec spec) {
    const DateParts d = decodeDate(value);
    const TimeParts t = decodeTime(value);
    return QDateTime(QDate(d.year, d.month, d.day), QTime(t.hour, t.minute, t.second, t.msec), spec);
}

} // namespace

LocalTime localFromUtc(UtcTime utc) {
    const QDateTime local = wholeMillisecond(utc.days(), Qt::UTC).toLocalTime();
    return LocalTime(local.isValid() ? utc.days() + local.offsetFromUtc() / 86'400.0 : utc.days());
}

UtcTime utcFromLocal(LocalTime localMoment) {
    const TDateTime local = localMoment.days();
    // Of the offsets in force half a day around, the one that gives the earlier moment wins (a repeated
    // hour means its first occurrence). A skipped hour has no valid one: it is read with the offset from
    // before the change, which is the moment as long after the change as the time lies in the gap.
    const QDateTime asUtc = wholeMillisecond(local, Qt::UTC);
    if (!asUtc.isValid()) {
        return UtcTime(local);
    }
    const qint64 guess = asUtc.toMSecsSinceEpoch();
    const int before = QDateTime::fromMSecsSinceEpoch(guess - 12 * 3'600'000LL, Qt::LocalTime).offsetFromUtc();
    const int after = QDateTime::fromMSecsSinceEpoch(guess + 12 * 3'600'000LL, Qt::LocalTime).offsetFromUtc();
    std::optional<UtcTime> best;
    for (const int offset : {before, after}) {
        const UtcTime candidate(local - offset / 86'400.0);
        if (toMilliseconds(localFromUtc(candidate) - localMoment) == 0 && (!best || candidate < *best)) {
            best = candidate;
        }
    }
    return best.value_or(UtcTime(local - before / 86'400.0));
}

std::int64_t toMilliseconds(TDateTime value) {
    const double ms = value * MsPerDay;
    // Keeps the conversion defined for absurd values; no real duration comes near 9e18 ms.
    constexpr double Limit = 9e18;
    if (!std::isfinite(ms)) {
        return 0;
    }
    return static_cast<std::int64_t>(std::nearbyint(std::clamp(ms, -Limit, Limit)));
}

} // namespace tavrok
