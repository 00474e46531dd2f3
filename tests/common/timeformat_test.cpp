#include "common/timeformat.h"

#include <gtest/gtest.h>

using namespace tavrok;

namespace {

TDateTime duration(qint64 days, int h, int m, int s, double ms) {
    return days + (h * 3600.0 + m * 60.0 + s) / 86400.0 + ms / MsPerDay;
}

DisplayParts parts(const char* d, const char* h, const char* m, const char* s, const char* ms) {
    return {QString::fromLatin1(d), QString::fromLatin1(h), QString::fromLatin1(m), QString::fromLatin1(s),
            QString::fromLatin1(ms)};
}

} // namespace

TEST(TimeFormat, FillsTheFivePartsWithEveryDayDigit) {
    EXPECT_EQ(dekodujCasProDisplej(duration(1, 2, 3, 4, 5)), parts("1", "02", "03", "04", "005"));
    EXPECT_EQ(dekodujCasProDisplej(0), parts("0", "00", "00", "00", "000"));
    EXPECT_EQ(dekodujCasProDisplej(duration(0, 23, 59, 59, 999)), parts("0", "23", "59", "59", "999"));
    EXPECT_EQ(dekodujCasProDisplej(duration(0, 0, 1, 5, 70)), parts("0", "00", "01", "05", "070"));
    EXPECT_EQ(dekodujCasProDisplej(duration(365, 0, 0, 0, 700)), parts("365", "00", "00", "00", "700"));
    EXPECT_EQ(dekodujCasProDisplej(duration(12345678, 23, 0, 0, 0)), parts("12345678", "23", "00", "00", "000"));
}

// To the nearest millisecond, halves to even; the last half millisecond of a day shows the next day.
TEST(TimeFormat, RoundsToTheNearestMillisecond) {
    EXPECT_EQ(dekodujCasProDisplej(0.4 / MsPerDay).millis, QStringLiteral("000"));
    EXPECT_EQ(dekodujCasProDisplej(1.6 / MsPerDay).millis, QStringLiteral("002"));
    EXPECT_EQ(dekodujCasProDisplej(0.5 / MsPerDay).millis, QStringLiteral("000"));
    EXPECT_EQ(dekodujCasProDisplej(1.5 / MsPerDay).millis, QStringLiteral("002"));
    EXPECT_EQ(dekodujCasProDisplej(2.5 / MsPerDay).millis, QStringLiteral("002"));
    EXPECT_EQ(dekodujCasProDisplej(duration(0, 0, 0, 59, 999.6)), parts("0", "00", "01", "00", "000"));
    EXPECT_EQ(dekodujCasProDisplej(2.0 - 0.3 / MsPerDay), parts("2", "00", "00", "00", "000"));
    EXPECT_EQ(dekodujCasProDisplej(1.0 - 0.3 / MsPerDay), parts("1", "00", "00", "00", "000"));
}

TEST(TimeFormat, NegativeHugeAndNonFiniteValuesStillGiveDigits) {
    EXPECT_EQ(dekodujCasProDisplej(-duration(0, 0, 0, 1, 250)), parts("0", "00", "00", "01", "250"));
    EXPECT_EQ(dekodujCasProDisplej(-duration(3, 1, 0, 0, 0)), parts("0", "01", "00", "00", "000")) << "no days";
    EXPECT_EQ(dekodujCasProDisplej(std::numeric_limits<double>::quiet_NaN()), parts("0", "00", "00", "00", "000"));
    const DisplayParts p = dekodujCasProDisplej(1e13);
    EXPECT_EQ(p.days, QStringLiteral("10000000000000"));
    EXPECT_EQ(p.hours.size(), 2);
}

TEST(TimeFormat, EncodingTheDigitsInvertsTheFormatting) {
    for (int ms = 0; ms < 86'400'000; ms += 86'399 * 7 + 13) {
        const TDateTime v = zakodujDisplej(ms % 1000, ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60, ms % 1000);
        const DisplayParts p = dekodujCasProDisplej(v);
        ASSERT_EQ(zakodujDisplej(p.days.toLongLong(), p.hours.toInt(), p.minutes.toInt(), p.seconds.toInt(),
                                 p.millis.toInt()),
                  v)
            << ms;
    }
}

TEST(TimeFormat, DayFieldTextCountsOnlyAsAPlainInteger) {
    EXPECT_EQ(dayCountFromText(QStringLiteral("12")), 12);
    for (const char* bad : {"", "1a", "-3"}) {
        EXPECT_EQ(dayCountFromText(QString::fromLatin1(bad)), 0) << bad;
    }
    EXPECT_EQ(dayCountFromText(QStringLiteral("Budík")), 0);
}
