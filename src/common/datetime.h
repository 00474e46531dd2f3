#pragma once

#include <QDateTime>
#include <cstdint>
#include <optional>

namespace tavrok {

// Every moment and every duration of the program: whole days since 30 December 1899, the fraction
// being the time of day. A duration is counted from zero.
using TDateTime = double;

inline constexpr double MsPerDay = 86'400'000.0;
inline constexpr std::int64_t MsPerDayInt = 86'400'000;
inline constexpr TDateTime OneMillisecond = 1.0 / MsPerDay;
// The last day a date can have: 31 December 9999. Every moment lies within -LastDay..LastDay + 1.
inline constexpr TDateTime LastDay = 2'958'465.0;

struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    friend bool operator==(const DateParts&, const DateParts&) = default;
};

struct TimeParts {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int msec = 0;
    friend bool operator==(const TimeParts&, const TimeParts&) = default;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);

// Fails for a day that does not exist and for a year outside 1..9999.
std::optional<TDateTime> tryEncodeDate(int year, int month, int day);
std::optional<TDateTime> tryEncodeTime(int hour, int minute, int second, int msec = 0);
std::optional<TDateTime> tryEncodeDateTime(const DateParts& date, const TimeParts& time);

// The value rounded to the nearest millisecond and split into calendar date and time of day. A value
// before 30 December 1899 keeps its time of day as the absolute fraction, the way the platform's
// date-time type always has.
DateParts decodeDate(TDateTime value);
TimeParts decodeTime(TDateTime value);

// 1 = Sunday ... 7 = Saturday.
int dayOfWeek(TDateTime value);

// Whole days (the date without the time of day).
TDateTime dateOf(TDateTime value);
TDateTime timeOf(TDateTime value);

// A moment on one of the program's two scales: local wall-clock time (what is shown, stored, and what
// alarms follow) and UTC (what elapsed and remaining times are measured on, as summer time does not move
// it). Moments of the two scales cannot be compared, subtracted or assigned to each other; localFromUtc
// and utcFromLocal are the only ways across. A span between two moments is a plain TDateTime.
template <class Scale>
class Moment {
public:
    constexpr Moment() = default;
    constexpr explicit Moment(TDateTime days) : days_(days) {}
    // The calendar value: days since 30 December 1899 on this scale.
    constexpr TDateTime days() const { return days_; }

    constexpr Moment& operator+=(TDateTime span) {
        days_ += span;
        return *this;
    }
    constexpr Moment& operator-=(TDateTime span) {
        days_ -= span;
        return *this;
    }
    friend constexpr Moment operator+(Moment m, TDateTime span) { return Moment(m.days_ + span); }
    friend constexpr Moment operator-(Moment m, TDateTime span) { return Moment(m.days_ - span); }
    friend constexpr TDateTime operator-(Moment a, Moment b) { return a.days_ - b.days_; }
    friend constexpr bool operator==(Moment, Moment) = default;
    friend constexpr auto operator<=>(Moment, Moment) = default;

private:
    TDateTime days_ = 0;
};

struct LocalScale;
struct UtcScale;
using LocalTime = Moment<LocalScale>;
using UtcTime = Moment<UtcScale>;

// 1 January 1970, where the system's clocks count from, on the day count.
inline constexpr TDateTime UnixEpochDays = 25569.0;
// Milliseconds since then on the day count, split into the day and the time of day exactly as a calendar
// date and time are encoded.
TDateTime fromUnixMs(std::int64_t ms);

// Conversion to and from local calendar time; an invalid QDateTime gives 0.
TDateTime fromQDateTime(const QDateTime& dt);
QDateTime toQDateTime(TDateTime value);

// The same moment on the two scales: local wall-clock time (what is shown, stored, and what alarms
// follow) and UTC (what elapsed and remaining times are measured on, as summer time does not move it).
// A local time that the spring change skips counts as after the change; one the autumn change repeats
// counts as its first occurrence. The fraction of a millisecond is kept.
LocalTime localFromUtc(UtcTime utc);
UtcTime utcFromLocal(LocalTime local);

// Rounds a duration to whole milliseconds (halves to even).
std::int64_t toMilliseconds(TDateTime value);

} // namespace tavrok
