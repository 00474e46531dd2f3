#include "app/digiteditor.h"

#include <gtest/gtest.h>

using namespace tavrok;

namespace {

TDigits fromSeconds(qint64 total) {
    TDigits t;
    t.days = total / 86400;
    const qint64 s = total % 86400;
    const int parts[] = {static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60)};
    for (int i = 0; i < 3; ++i) {
        t.d[1 + 2 * i] = parts[i] / 10;
        t.d[2 + 2 * i] = parts[i] % 10;
    }
    return t;
}

qint64 toSeconds(const TDigits& t) {
    return t.days * 86400 + (t.d[1] * 10 + t.d[2]) * 3600 + (t.d[3] * 10 + t.d[4]) * 60 + t.d[5] * 10 + t.d[6];
}

TDigits hms(int h, int m, int s, qint64 days = 0) {
    return fromSeconds(days * 86400 + h * 3600 + m * 60 + s);
}

} // namespace

// Positions 2..6 are plain odometer digits worth 1 h, 10 min, 1 min, 10 s and 1 s: a change is exactly
// that many seconds, and a change below zero (or, in the alarm function, past 23:59:59, as its days never
// change) is refused with nothing changed.
TEST(DigitEditor, TheOdometerAgreesWithArithmeticOnEveryValue) {
    const qint64 unit[] = {0, 0, 3600, 600, 60, 10, 1};
    for (const bool alarm : {false, true}) {
        for (qint64 v = 0; v < (alarm ? 86400 : 3 * 86400 + 1); ++v) {
            const TDigits start = fromSeconds(v);
            for (int position = 2; position <= 6; ++position) {
                for (const int delta : {+1, -1}) {
                    TDigits t = start;
                    const bool ok = digits::upravDisplej(t, position, delta, false, alarm);
                    const qint64 expected = v + delta * unit[position];
                    if (expected < 0 || (alarm && expected >= 86400)) {
                        ASSERT_FALSE(ok) << v << " pos " << position << " alarm " << alarm;
                        ASSERT_EQ(t, start) << "a refused change leaves every digit";
                    } else {
                        ASSERT_TRUE(ok) << v << " pos " << position << " delta " << delta << " alarm " << alarm;
                        ASSERT_EQ(toSeconds(t), expected) << v << " pos " << position << " delta " << delta;
                    }
                }
            }
        }
    }
}

// The hours tens cycle 0, 1, 2 and on into the next day: not ten hours of arithmetic.
TEST(DigitEditor, HoursTensFollowTheirOwnRules) {
    TDigits t = hms(3, 0, 0);
    ASSERT_TRUE(digits::upravDisplej(t, 1, +1, false, false));
    EXPECT_EQ(t, hms(13, 0, 0));
    ASSERT_TRUE(digits::upravDisplej(t, 1, +1, false, false));
    EXPECT_EQ(t, hms(23, 0, 0));
    ASSERT_TRUE(digits::upravDisplej(t, 1, +1, false, false));
    EXPECT_EQ(t, hms(3, 0, 0, 1)) << "past 2 the tens carry into the days";
    ASSERT_TRUE(digits::upravDisplej(t, 1, -1, false, false));
    EXPECT_EQ(t, hms(23, 0, 0));
    t = hms(14, 0, 0);
    EXPECT_FALSE(digits::upravDisplej(t, 1, +1, false, false)) << "24 is no hour";
    t = hms(5, 0, 0);
    EXPECT_FALSE(digits::upravDisplej(t, 1, -1, false, false)) << "borrowing would need 25";
    t = hms(23, 0, 0);
    EXPECT_FALSE(digits::upravDisplej(t, 1, +1, false, true)) << "no days in the alarm function";
    t = hms(23, 59, 59);
    EXPECT_FALSE(digits::upravDisplej(t, 0, +1, false, true)) << "no days in the alarm function";
}

TEST(DigitEditor, TypingRules) {
    TDigits t = hms(5, 0, 0);
    EXPECT_FALSE(digits::typeDigit(t, 1, 2)) << "25 is no hour";
    EXPECT_EQ(t, hms(5, 0, 0));
    t = hms(3, 0, 0);
    EXPECT_TRUE(digits::typeDigit(t, 1, 2));
    EXPECT_EQ(t, hms(23, 0, 0));
    EXPECT_FALSE(digits::typeDigit(t, 1, 3));
    EXPECT_FALSE(digits::typeDigit(t, 2, 4)) << "24 is no hour";
    EXPECT_TRUE(digits::typeDigit(t, 2, 0));
    for (const int position : {3, 5}) {
        EXPECT_TRUE(digits::typeDigit(t, position, 5));
        EXPECT_FALSE(digits::typeDigit(t, position, 6));
    }
    for (const int position : {4, 6}) {
        EXPECT_TRUE(digits::typeDigit(t, position, 9));
    }
    t = hms(19, 0, 0);
    EXPECT_TRUE(digits::typeDigit(t, 2, 9));
    EXPECT_FALSE(digits::typeDigit(t, 0, 1));

    // Six digits from position 1: 12:34:56, and the marker back at the hours tens.
    t = TDigits{};
    int position = 1;
    for (const int d : {1, 2, 3, 4, 5, 6}) {
        ASSERT_TRUE(digits::typeDigit(t, position, d));
        position = digits::wrap(position + 1);
    }
    EXPECT_EQ(t, hms(12, 34, 56));
    EXPECT_EQ(position, 1);
    EXPECT_EQ(digits::wrap(0), 6);
}

TEST(DigitEditor, ArrowsChangeOneDigitWithinItsLimitWithoutCarry) {
    TDigits t = hms(19, 59, 59);
    for (const int position : {6, 5, 3, 2, 1}) {
        EXPECT_FALSE(digits::raise(t, position)) << position << ": 9, 5 or 19 is the top";
    }
    t = hms(13, 0, 0);
    EXPECT_TRUE(digits::raise(t, 1));
    EXPECT_EQ(t, hms(23, 0, 0));
    EXPECT_FALSE(digits::raise(t, 2)) << "23 is the last hour";
    EXPECT_FALSE(digits::raise(t, 1));
    t = hms(0, 0, 0);
    for (int position = 1; position <= 6; ++position) {
        EXPECT_FALSE(digits::lower(t, position)) << "no borrow: " << position;
    }
    t = hms(10, 10, 10);
    EXPECT_TRUE(digits::lower(t, 1));
    EXPECT_EQ(t, hms(0, 10, 10));
    EXPECT_EQ(t.days, 0) << "the days never change";
}
