#include "alarms/scheduler.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <limits>

using namespace tavrok;

namespace {

TDateTime at(int y, int m, int d, int h = 0, int min = 0, int s = 0, int ms = 0) {
    return *tryEncodeDateTime({y, m, d}, {h, min, s, ms});
}

TDateTime timeOfDay(int h, int m = 0) {
    return *tryEncodeTime(h, m, 0);
}

// A schedule with the defaults of a new alarm: every day, always, all weekdays.
struct S {
    std::uint8_t OD = 1, OM = 1;
    std::uint16_t OR = 1;
    std::uint8_t DD = 1, DM = 1;
    std::uint16_t DR = 1;
    std::uint8_t KD = 0, KM = 0;
    std::uint16_t KR = 0;
    bool days[7] = {true, true, true, true, true, true, true}; // Monday..Sunday
    bool vzdy = true, doNekonecna = false;
    TDateTime cas = 0;

    std::optional<TDateTime> at(TDateTime now) const {
        return vypoctiNejblizsiDatumBudiku(OD, OM, OR, DD, DM, DR, KD, KM, KR, days[0], days[1], days[2], days[3],
                                           days[4], days[5], days[6], vzdy, doNekonecna, cas, now);
    }
    TDateTime next(TDateTime now) const { return at(now).value(); }
    S& onlyOn(int isoWeekday) { // 1 Monday .. 7 Sunday
        for (int i = 0; i < 7; ++i) {
            days[i] = i + 1 == isoWeekday;
        }
        return *this;
    }
    S& from(int y, int m, int d) {
        vzdy = false;
        OR = static_cast<std::uint16_t>(y);
        OM = static_cast<std::uint8_t>(m);
        OD = static_cast<std::uint8_t>(d);
        return *this;
    }
    S& until(int y, int m, int d) {
        vzdy = false;
        DR = static_cast<std::uint16_t>(y);
        DM = static_cast<std::uint8_t>(m);
        DD = static_cast<std::uint8_t>(d);
        return *this;
    }
};

} // namespace

TEST(Scheduler, ADailyAlarmIsDueAtItsMomentAndThenTomorrow) {
    S s;
    s.cas = timeOfDay(7);
    EXPECT_EQ(s.next(at(2026, 12, 7, 6, 59, 59)), at(2026, 12, 7, 7));
    EXPECT_EQ(s.next(at(2026, 12, 7, 7, 0, 0, 0)), at(2026, 12, 7, 7)) << "now equal to the moment is still due";
    EXPECT_EQ(s.next(at(2026, 12, 7, 7, 0, 0, 1)), at(2026, 12, 8, 7));
    EXPECT_EQ(s.next(at(2026, 12, 31, 23, 0)), at(2027, 1, 1, 7));
}

// Found by fuzzing: an infinite or undefined time gave an infinite occurrence.
TEST(Scheduler, NoMomentGivesNoOccurrence) {
    S s;
    s.cas = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(s.at(at(2026, 12, 7, 6)).has_value());
    s.cas = timeOfDay(7);
    EXPECT_FALSE(s.at(std::numeric_limits<double>::quiet_NaN()).has_value());
}

TEST(Scheduler, WeekdayFlagsPickTheDay) {
    S s;
    s.cas = timeOfDay(9, 30);
    s.onlyOn(6); // Saturday
    EXPECT_EQ(s.next(at(2026, 12, 7, 12)), at(2026, 12, 12, 9, 30)); // from a Monday
    s.onlyOn(1);
    EXPECT_EQ(s.next(at(2026, 12, 7, 12)), at(2026, 12, 14, 9, 30)) << "Monday after its time: next Monday";
    for (bool& d : s.days) {
        d = false;
    }
    EXPECT_EQ(s.next(at(2026, 12, 7, 12)), 0.0) << "no weekday allowed: no occurrence, at once";
}

TEST(Scheduler, MonthlyAndYearlyAlarms) {
    S s;
    s.cas = timeOfDay(8);
    s.KD = 15;
    EXPECT_EQ(s.next(at(2026, 6, 15, 9)), at(2026, 7, 15, 8));
    EXPECT_EQ(s.next(at(2026, 12, 15, 9)), at(2027, 1, 15, 8));
    EXPECT_EQ(s.next(at(2026, 6, 14, 9)), at(2026, 6, 15, 8));

    s.KD = 10;
    s.KM = 3;
    EXPECT_EQ(s.next(at(2024, 6, 12)), at(2025, 3, 10, 8));

    s.KD = 29;
    s.KM = 2;
    EXPECT_EQ(s.next(at(2025, 6, 1)), at(2028, 2, 29, 8));
}

TEST(Scheduler, AMonthlyDayThatAMonthLacksEndsTheForwardSearch) {
    S s;
    s.cas = timeOfDay(8);
    s.KD = 31;
    // 31 February cannot be formed: the forward search gives nothing, the backward one the last 31st.
    EXPECT_EQ(s.next(at(2026, 1, 31, 9)), at(2026, 1, 31, 8));
    // A monthly 29th reaching February of a year not divisible by four moves to the next such year.
    s.KD = 29;
    EXPECT_EQ(s.next(at(2026, 1, 29, 9)), at(2028, 2, 29, 8));
}

TEST(Scheduler, OneOffDates) {
    S s;
    s.cas = timeOfDay(18);
    s.KD = 24;
    s.KM = 12;
    s.KR = 2026;
    EXPECT_EQ(s.next(at(2026, 12, 1)), at(2026, 12, 24, 18));
    EXPECT_EQ(s.next(at(2027, 1, 5)), at(2026, 12, 24, 18)) << "in the past: its last occurrence";
    s.onlyOn(1); // 24 December 2026 is a Thursday
    EXPECT_EQ(s.next(at(2026, 12, 1)), 0.0);
    EXPECT_EQ(s.next(at(2027, 1, 5)), 0.0);
}

TEST(Scheduler, FromAndUntilDates) {
    S s;
    s.cas = timeOfDay(7);
    s.from(2027, 3, 10).until(2027, 12, 31);
    EXPECT_EQ(s.next(at(2026, 12, 7)), at(2027, 3, 10, 7)) << "the first day on or after the from date";
    s.onlyOn(1);
    EXPECT_EQ(s.next(at(2026, 12, 7)), at(2027, 3, 15, 7));

    S daily;
    daily.cas = timeOfDay(7);
    daily.from(2026, 1, 1).until(2026, 12, 6);
    EXPECT_EQ(daily.next(at(2026, 12, 7, 12)), 0.0) << "until yesterday: nothing, not even the past";
    daily.doNekonecna = true;
    EXPECT_EQ(daily.next(at(2026, 12, 7, 12)), at(2026, 12, 8, 7));
    daily.doNekonecna = false;
    EXPECT_EQ(daily.next(at(2026, 12, 6, 12)), at(2026, 12, 6, 7)) << "the until date itself counts";
}

TEST(Scheduler, EveryDayOfOneMonth) {
    S s;
    s.cas = timeOfDay(6);
    s.KM = 3;
    EXPECT_EQ(s.next(at(2024, 6, 16)), at(2025, 3, 1, 6));
    s.until(2024, 12, 31);
    s.OR = 1990;
    EXPECT_EQ(s.next(at(2024, 6, 16)), at(2024, 3, 31, 6));
}

TEST(Scheduler, AFromDateThatCannotBeFormedIsAnError) {
    S s;
    s.from(2026, 2, 31);
    EXPECT_FALSE(s.at(at(2026, 12, 7)));
    s.vzdy = true;
    EXPECT_TRUE(s.at(at(2026, 12, 7))) << "with vzdy the from date is never formed";
    S u;
    u.from(2020, 1, 1).until(2026, 2, 31);
    EXPECT_EQ(u.next(at(2026, 12, 7)), 0.0) << "an until date that cannot be formed only gives no occurrence";
}

TEST(Scheduler, SortingIsStableByDate) {
    SeznamBudiku list{{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")},
                      {5, 3, 3, 9}};
    seradBudiky(list);
    EXPECT_EQ(list.seznamNazvuBudiku,
              (QStringList{QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("d")}));
    EXPECT_EQ(list.seznamDatBudiku, (std::vector<TDateTime>{3, 3, 5, 9}));
}

// ---- against a plain day-by-day search written from the rules' intent

namespace {

struct Reference {
    const S& s;
    TDateTime now;

    bool candidate(TDateTime day) const {
        const DateParts p = decodeDate(day);
        const int iso = (dayOfWeek(day) + 5) % 7; // 0 Monday .. 6 Sunday
        return (s.KD == 0 || p.day == s.KD) && (s.KM == 0 || p.month == s.KM) && (s.KR == 0 || p.year == s.KR) &&
               s.days[iso];
    }
    TDateTime limits(TDateTime day) const {
        if (s.vzdy) {
            return day + s.cas;
        }
        const TDateTime F = *tryEncodeDate(s.OR, s.OM, s.OD);
        const TDateTime U = *tryEncodeDate(s.DR, s.DM, s.DD);
        if ((U < day && !s.doNekonecna) || F > day) {
            return 0;
        }
        return day + s.cas;
    }
    TDateTime forward() const {
        TDateTime day = dateOf(now);
        if (!s.vzdy) {
            day = std::max(day, *tryEncodeDate(s.OR, s.OM, s.OD));
        }
        for (const TDateTime end = *tryEncodeDate(2100, 12, 31); day <= end; ++day) {
            if (candidate(day) && day + s.cas >= now) {
                return limits(day);
            }
        }
        return 0;
    }
    TDateTime backward() const {
        if (!s.vzdy && now < *tryEncodeDate(s.OR, s.OM, s.OD)) {
            return 0;
        }
        // Deliberately like the rules: the first acceptable day back, then the limits, no further search.
        for (TDateTime day = dateOf(now), end = *tryEncodeDate(1900, 1, 1); day >= end; --day) {
            if (candidate(day) && day + s.cas <= now) {
                return limits(day);
            }
        }
        return 0;
    }
    TDateTime result() const {
        const TDateTime f = forward();
        return f != 0 ? f : backward();
    }
};

TDateTime randomDay(QRandomGenerator& r, int fromYear, int toYear) {
    return *tryEncodeDate(fromYear, 1, 1) +
           r.bounded(static_cast<int>(*tryEncodeDate(toYear, 12, 31) - *tryEncodeDate(fromYear, 1, 1)) + 1);
}

} // namespace

// The rules step through calendar fields; the reference walks day by day. They agree except where the
// rules deliberately differ, which the generator leaves out:
//  - a monthly day 29..31 (KD >= 29 without a month) ends at the first month that lacks it, and a 29th
//    reaching February jumps to the next year divisible by four (the by-four leap rule);
//  - year 2100 and later, where the by-four rule and the calendar disagree about 29 February;
//  - every day of a month shorter than 31 days in one fixed year (KD 0, KM short, KR set): coming from
//    another year, the backward search lands on day 31 of that month, which cannot be formed, so an
//    alarm of such a past month has no occurrence at all.
// The backward search stopping at its first acceptable day is built into the reference above.
TEST(Scheduler, AgreesWithADayByDaySearch) {
    QRandomGenerator r(4242);
    int withOccurrence = 0;
    for (int i = 0; i < 3000; ++i) {
        S s;
        s.KD = r.bounded(2) ? 0 : static_cast<std::uint8_t>(r.bounded(1, 32));
        s.KM = r.bounded(2) ? 0 : static_cast<std::uint8_t>(r.bounded(1, 13));
        s.KR = r.bounded(10) < 7 ? 0 : static_cast<std::uint16_t>(r.bounded(1990, 2100));
        const bool shortMonth = s.KM == 2 || s.KM == 4 || s.KM == 6 || s.KM == 9 || s.KM == 11;
        if ((s.KD >= 29 && s.KM == 0) || (s.KR != 0 && s.KD == 0 && shortMonth)) {
            continue;
        }
        for (bool& d : s.days) {
            d = r.bounded(4) != 0;
        }
        s.vzdy = r.bounded(2);
        s.doNekonecna = r.bounded(3) == 0;
        const DateParts f = decodeDate(randomDay(r, 1990, 2099));
        const DateParts u = decodeDate(randomDay(r, 1990, 2099));
        s.OD = static_cast<std::uint8_t>(f.day);
        s.OM = static_cast<std::uint8_t>(f.month);
        s.OR = static_cast<std::uint16_t>(f.year);
        s.DD = static_cast<std::uint8_t>(u.day);
        s.DM = static_cast<std::uint8_t>(u.month);
        s.DR = static_cast<std::uint16_t>(u.year);
        s.cas = r.bounded(86'400'000) / MsPerDay;
        const TDateTime now = randomDay(r, 1995, 2090) + r.bounded(86'400'000) / MsPerDay;

        const TDateTime expected = Reference{s, now}.result();
        ASSERT_EQ(s.next(now), expected) << "case " << i << ": KD " << int(s.KD) << " KM " << int(s.KM) << " KR "
                                         << s.KR << " vzdy " << s.vzdy << " now " << now;
        withOccurrence += expected != 0;
    }
    EXPECT_GT(withOccurrence, 1000) << "the generator must produce mostly schedules that ring";
}
