#include "common/datetime.h"

#include <gtest/gtest.h>

using namespace tavrok;

TEST(DateTime, EncodesKnownDaysAndRejectsDaysThatDoNotExistAndYearsOutOfRange) {
    EXPECT_EQ(tryEncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(tryEncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(tryEncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(tryEncodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(tryEncodeDate(9999, 12, 31), 2958465.0);
    EXPECT_TRUE(tryEncodeDate(2024, 2, 29));
    EXPECT_TRUE(tryEncodeDate(2000, 2, 29));
    EXPECT_FALSE(tryEncodeDate(2023, 2, 29));
    EXPECT_FALSE(tryEncodeDate(1900, 2, 29)); // a century that is not a leap year
    for (const DateParts& bad : {DateParts{2024, 4, 31}, DateParts{2024, 13, 1}, DateParts{2024, 0, 1},
                                DateParts{2024, 1, 0}, DateParts{0, 1, 1}, DateParts{10000, 1, 1}}) {
        EXPECT_FALSE(tryEncodeDate(bad.year, bad.month, bad.day)) << bad.year << "-" << bad.month << "-" << bad.day;
    }
    EXPECT_FALSE(tryEncodeTime(24, 0, 0));
    EXPECT_FALSE(tryEncodeTime(0, 60, 0));
    EXPECT_FALSE(tryEncodeTime(0, 0, 60));
    EXPECT_FALSE(tryEncodeTime(0, 0, 0, 1000));
}

// Every day of the whole range is the value after the day before, and decodes back to itself.
TEST(DateTime, EveryDayIsTheNextValueAndDecodesBack) {
    double previous = *tryEncodeDate(1, 1, 1) - 1;
    for (int y = 1; y <= 9999; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= daysInMonth(y, m); ++d) {
                const auto v = tryEncodeDate(y, m, d);
                if (!v || *v != previous + 1 || decodeDate(*v) != DateParts{y, m, d}) {
                    FAIL() << y << "-" << m << "-" << d;
                }
                previous = *v;
            }
        }
    }
}

TEST(DateTime, TimeOfDayRoundsToTheNearestMillisecondAndCountsAwayFromZeroBeforeTheEpoch) {
    const double noon = *tryEncodeDateTime({2024, 3, 15}, {12, 0, 0, 0});
    EXPECT_EQ(decodeTime(noon), (TimeParts{12, 0, 0, 0}));
    EXPECT_EQ(decodeTime(noon - 0.4 / MsPerDay), (TimeParts{12, 0, 0, 0}));
    EXPECT_EQ(decodeTime(noon - 0.6 / MsPerDay), (TimeParts{11, 59, 59, 999}));
    // Less than half a millisecond before midnight is already the next day.
    const double almostMidnight = *tryEncodeDate(2024, 3, 16) - 0.2 / MsPerDay;
    EXPECT_EQ(decodeDate(almostMidnight), (DateParts{2024, 3, 16}));
    EXPECT_EQ(decodeTime(almostMidnight), (TimeParts{0, 0, 0, 0}));
    // Before the epoch the time of day counts away from zero.
    const auto v = tryEncodeDateTime({1899, 12, 29}, {6, 0, 0, 0});
    ASSERT_TRUE(v);
    EXPECT_DOUBLE_EQ(*v, -1.25);
    EXPECT_EQ(decodeDate(*v), (DateParts{1899, 12, 29}));
    EXPECT_EQ(decodeTime(*v), (TimeParts{6, 0, 0, 0}));
}

TEST(DateTime, WeekdayOneIsSunday) {
    EXPECT_EQ(dayOfWeek(*tryEncodeDate(1899, 12, 30)), 7); // Saturday
    EXPECT_EQ(dayOfWeek(*tryEncodeDate(1899, 12, 31)), 1); // Sunday
    EXPECT_EQ(dayOfWeek(*tryEncodeDate(2026, 12, 6)), 1);  // Sunday
    EXPECT_EQ(dayOfWeek(*tryEncodeDate(2026, 12, 7) + 0.99), 2);
    EXPECT_EQ(dayOfWeek(*tryEncodeDate(1800, 1, 1)), 4); // Wednesday
    EXPECT_EQ(dayOfWeek(*tryEncodeDate(1, 1, 1)), 2);    // Monday in the proleptic calendar
}

TEST(DateTime, ConvertsToAndFromLocalQDateTime) {
    const QDateTime qt(QDate(2026, 10, 25), QTime(2, 30, 15, 250)); // an hour the autumn night has twice
    const double v = fromQDateTime(qt);
    EXPECT_EQ(decodeDate(v), (DateParts{2026, 10, 25}));
    EXPECT_EQ(decodeTime(v), (TimeParts{2, 30, 15, 250}));
    EXPECT_EQ(toQDateTime(*tryEncodeDateTime({2030, 1, 1}, {7, 0, 0, 5})),
              QDateTime(QDate(2030, 1, 1), QTime(7, 0, 0, 5)));
    EXPECT_EQ(fromQDateTime(QDateTime()), 0.0);
}

// The system's milliseconds since 1970 are exactly the value the same calendar date and time encode to,
// after 1970, before it and before 30 December 1899 alike.
TEST(DateTime, MillisecondsSince1970AreTheCalendarValue) {
    const struct {
        DateParts date;
        TimeParts time;
        std::int64_t ms;
    } moments[] = {{{1970, 1, 1}, {0, 0, 0, 0}, 0},
                   {{2026, 12, 10}, {3, 16, 9, 123}, 1'796'872'569'123},
                   {{1969, 12, 31}, {23, 59, 59, 999}, -1},
                   {{1899, 12, 29}, {18, 0, 0, 0}, -2'209'183'200'000}};
    for (const auto& m : moments) {
        EXPECT_EQ(fromUnixMs(m.ms), *tryEncodeDateTime(m.date, m.time)) << m.ms;
    }
}

TEST(DateTime, AbsurdValuesDecodeWithoutUndefinedBehaviour) {
    for (const double v : {1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity()}) {
        (void)decodeDate(v);
        (void)decodeTime(v);
        (void)dayOfWeek(v);
        (void)toMilliseconds(v);
    }
}

// The test suite runs with TZ=Europe/Prague: summer time ends on 25 October 2026 at 03:00 CEST
// (01:00 UTC) and starts on 29 March 2026 at 02:00 CET (01:00 UTC).
TEST(DateTime, LocalAndUtcAcrossSummerTime) {
    const auto at = [](int m, int d, int h, int min, int ms = 0) {
        return *tryEncodeDateTime({2026, m, d}, {h, min, 0, ms});
    };
    const auto utc = [&](int m, int d, int h, int min, int ms = 0) { return UtcTime(at(m, d, h, min, ms)); };
    const auto local = [&](int m, int d, int h, int min, int ms = 0) { return LocalTime(at(m, d, h, min, ms)); };
    const auto same = [](auto a, auto b) { return toMilliseconds(a - b) == 0; };
    EXPECT_TRUE(same(localFromUtc(utc(7, 1, 10, 0)), local(7, 1, 12, 0))) << "CEST is UTC+2";
    EXPECT_TRUE(same(localFromUtc(utc(12, 1, 10, 0)), local(12, 1, 11, 0))) << "CET is UTC+1";
    EXPECT_TRUE(same(utcFromLocal(local(12, 1, 11, 0, 250)), utc(12, 1, 10, 0, 250)));
    // Autumn: 02:30 comes twice; the local time means its first occurrence.
    EXPECT_TRUE(same(localFromUtc(utc(10, 25, 0, 30)), local(10, 25, 2, 30)));
    EXPECT_TRUE(same(localFromUtc(utc(10, 25, 1, 30)), local(10, 25, 2, 30)));
    EXPECT_TRUE(same(utcFromLocal(local(10, 25, 2, 30)), utc(10, 25, 0, 30)));
    EXPECT_TRUE(same(utcFromLocal(local(10, 25, 3, 30)), utc(10, 25, 2, 30)));
    // Spring: 02:30 never comes; the local time means the moment an hour of the gap later.
    EXPECT_TRUE(same(localFromUtc(utc(3, 29, 1, 0)), local(3, 29, 3, 0)));
    EXPECT_TRUE(same(utcFromLocal(local(3, 29, 2, 30)), utc(3, 29, 1, 30)));
    EXPECT_TRUE(same(utcFromLocal(local(3, 29, 1, 30)), utc(3, 29, 0, 30)));
    // A fraction of a millisecond survives both ways.
    const UtcTime fine = utc(12, 1, 10, 0) + 0.25 / MsPerDay;
    EXPECT_NEAR((utcFromLocal(localFromUtc(fine)) - fine) * MsPerDay, 0.0, 1e-3) << "as exact as the day number";
}

// The two scales are kept apart by the compiler: no comparison, difference or assignment across them.
template <class A, class B>
concept Comparable = requires(A a, B b) { a < b; };
template <class A, class B>
concept Subtractable = requires(A a, B b) { a - b; };
static_assert(!Comparable<LocalTime, UtcTime> && !Comparable<UtcTime, LocalTime>);
static_assert(!Subtractable<LocalTime, UtcTime> && !Subtractable<UtcTime, LocalTime>);
static_assert(!std::is_convertible_v<LocalTime, UtcTime> && !std::is_convertible_v<UtcTime, LocalTime>);
static_assert(!std::is_convertible_v<TDateTime, UtcTime> && !std::is_convertible_v<UtcTime, TDateTime>);
static_assert(!Comparable<UtcTime, TDateTime> && Comparable<UtcTime, UtcTime> && Subtractable<UtcTime, TDateTime>);
