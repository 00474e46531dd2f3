#include "storage/inivalues.h"

#include <gtest/gtest.h>

using namespace tavrok;

TEST(IniValues, IntegersInDecimalOrHexadecimal) {
    const std::pair<const char16_t*, int> good[] = {
        {u"42", 42}, {u" -7 ", -7}, {u"+3", 3}, {u"0x7A", 122}, {u"0X7a", 122}, {u"$FF", 255},
        {u"0xFFFFFFFF", -1}, {u"2147483647", 2147483647}, {u"-2147483648", -2147483647 - 1}};
    for (const auto& [text, value] : good) {
        EXPECT_EQ(parseIniInteger(text), value) << QString::fromUtf16(text).toStdString();
    }
    for (const char16_t* bad : {u"", u"abc", u"12a", u"1.5", u"0x", u"2147483648", u"-2147483649", u"--1",
                                u"0x1FFFFFFFF", u"1 2", u"- 1"}) {
        EXPECT_FALSE(parseIniInteger(bad)) << QString::fromUtf16(bad).toStdString();
    }
}

TEST(IniValues, FloatsUseADecimalCommaAndAtMost15Digits) {
    const std::pair<double, const char*> cases[] = {
        {0.5, "0,5"}, {45000, "45000"}, {-1.25, "-1,25"}, {1.0 / 3.0, "0,333333333333333"},
        {1.0 / 86400000.0, "1,15740740740741E-8"}, {1e20, "1E20"}, {std::numeric_limits<double>::quiet_NaN(), "0"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(formatIniFloat(value), QString::fromLatin1(text)) << text;
    }
}

TEST(IniValues, FloatsReadWithCommaOrPoint) {
    EXPECT_EQ(parseIniFloat(u"0,5"), 0.5);
    EXPECT_EQ(parseIniFloat(u"0.5"), 0.5);
    EXPECT_EQ(parseIniFloat(u" 12 "), 12.0);
    EXPECT_EQ(parseIniFloat(u"1,15740740740741E-8"), 1.15740740740741e-8);
    EXPECT_EQ(parseIniFloat(u"-3,5e2"), -350.0);
    for (const char16_t* bad : {u"", u"1,2,3", u"1.2,3", u"abc", u"inf", u"nan", u"1e999", u"1 000"}) {
        EXPECT_FALSE(parseIniFloat(bad)) << QString::fromUtf16(bad).toStdString();
    }
    // Written and read back: the same to 15 significant digits.
    for (const double v : {0.0, 1.0, 0.1, 45123.456789, 1e-9, 123456789.123, -0.000123, 2958465.99999999}) {
        const auto back = parseIniFloat(formatIniFloat(v));
        ASSERT_TRUE(back);
        EXPECT_NEAR(*back, v, std::abs(v) * 1e-14 + 1e-300);
    }
}

TEST(IniValues, DateTimesUseTheFixedCzechForm) {
    const TDateTime v = *tryEncodeDateTime({2026, 12, 6}, {7, 5, 9, 600});
    EXPECT_EQ(formatIniDateTime(v), QStringLiteral("6.12.2026 7:05:09"));
    EXPECT_EQ(formatIniDateTime(0), QStringLiteral("30.12.1899 0:00:00"));
    EXPECT_EQ(formatIniDateTime(*tryEncodeDate(1, 1, 1)), QStringLiteral("1.1.0001 0:00:00"));
    EXPECT_EQ(formatIniTime(v), QStringLiteral("7:05:09"));
    // A value a hair below a whole second still names that second.
    EXPECT_EQ(formatIniTime(*tryEncodeTime(12, 0, 0) - 1e-12), QStringLiteral("12:00:00"));
    // Written and read back: the same to the second.
    for (double d = -600000.123; d < 2900000; d += 12345.678901) {
        const auto back = parseIniDateTime(formatIniDateTime(d));
        ASSERT_TRUE(back) << formatIniDateTime(d).toStdString();
        EXPECT_EQ(formatIniDateTime(*back), formatIniDateTime(d));
    }
}

TEST(IniValues, DateTimesReadInTheirFormsAndRejectImpossibleOnes) {
    EXPECT_EQ(parseIniDateTime(u"6.12.2026 7:05:09"), tryEncodeDateTime({2026, 12, 6}, {7, 5, 9, 0}));
    EXPECT_EQ(parseIniDateTime(u"06.12.2026 07:05"), tryEncodeDateTime({2026, 12, 6}, {7, 5, 0, 0}));
    EXPECT_EQ(parseIniDateTime(u"6. 12. 2026 7:05:09"), tryEncodeDateTime({2026, 12, 6}, {7, 5, 9, 0}));
    EXPECT_EQ(parseIniDateTime(u"6.12.2026"), tryEncodeDate(2026, 12, 6));
    EXPECT_EQ(parseIniDateTime(u"7:05:09"), tryEncodeTime(7, 5, 9));
    EXPECT_EQ(parseIniDateTime(u"29.12.1899 6:00:00"), -1.25);
    EXPECT_EQ(parseIniDateTime(u" \t6.12.2026\t 7:5:9 "), tryEncodeDateTime({2026, 12, 6}, {7, 5, 9, 0}));
    EXPECT_EQ(parseIniDateTime(u"6.12.2026   "), tryEncodeDate(2026, 12, 6));
    for (const char16_t* bad : {u"", u"31.2.2026 1:00:00", u"1.1.2026 24:00:00", u"1.1.2026 1:60:00",
                                u"2026-12-06 07:05:09", u"1.1.10000", u"0.1.2026", u"x", u"1.1.2026 7",
                                u"1.1.2026 7:05:", u"1.1.2026 7:05:09:01", u"1.1.2026x", u"1.\u00A01.2026 7:05:09",
                                u"123:00:00", u"001.1.2026", u"7:5:9 x", u"\u0661.1.2026", u"1.1.2026 7:\u0660\u0665"}) {
        EXPECT_FALSE(parseIniDateTime(bad)) << QString::fromUtf16(bad).toStdString();
    }
    EXPECT_EQ(parseIniTime(u"23:59:59"), tryEncodeTime(23, 59, 59));
    EXPECT_FALSE(parseIniTime(u"6.12.2026 7:05:09"));
    EXPECT_FALSE(parseIniTime(u"25:00:00"));
}
