#include "alarms/scheduler.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

using namespace tavrok;

namespace {

TDateTime at(int y, int m, int d, int h = 0, int min = 0, int s = 0, int ms = 0) {
    return *tryEncodeDateTime({y, m, d}, {h, min, s, ms});
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
        return vypoctiNejblizsiDatumBudiku(OD, OM, OR, DD, DM, DR, KD, KM, KR, days[0], days[1], days[2],
                                           days[3], days[4], days[5], days[6], vzdy, doNekonecna, cas, now);
    }
    template <typename T> S& set(T S::*field, T value) {
        this->*field = value;
        return *this;
    }
    S& on(int d, int m = 0, int y = 0) { // KD, KM, KR
        KD = static_cast<std::uint8_t>(d);
        KM = static_cast<std::uint8_t>(m);
        KR = static_cast<std::uint16_t>(y);
        return *this;
    }
    S& onlyOn(int isoWeekday) { // 1 Monday .. 7 Sunday, 0 none
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

S daily(int h, int m = 0) {
    return S{}.set(&S::cas, *tryEncodeTime(h, m, 0));
}

} // namespace

TEST(Scheduler, NextOccurrence) {
    constexpr double Inf = std::numeric_limits<double>::infinity();
    const S fromMarch = daily(7).from(2027, 3, 10).until(2027, 12, 31);
    const S untilSunday = daily(7).from(2026, 1, 1).until(2026, 12, 6);
    const S christmas = daily(18).on(24, 12, 2026);
    struct Case {
        const char* name;
        S s;
        TDateTime now;
        std::optional<TDateTime> expected; // 0: no occurrence; none: an error
    };
    const Case cases[] = {
        {"daily, a second before", daily(7), at(2026, 12, 7, 6, 59, 59), at(2026, 12, 7, 7)},
        {"daily, now at the moment: still due", daily(7), at(2026, 12, 7, 7), at(2026, 12, 7, 7)},
        {"daily, a millisecond after", daily(7), at(2026, 12, 7, 7, 0, 0, 1), at(2026, 12, 8, 7)},
        {"daily, over the year's end", daily(7), at(2026, 12, 31, 23), at(2027, 1, 1, 7)},
        // Found by fuzzing: an infinite or undefined time gave an infinite occurrence.
        {"an infinite time", S{}.set(&S::cas, Inf), at(2026, 12, 7, 6), std::nullopt},
        {"an undefined now", daily(7), std::numeric_limits<double>::quiet_NaN(), std::nullopt},
        {"Saturdays, from a Monday", daily(9, 30).onlyOn(6), at(2026, 12, 7, 12), at(2026, 12, 12, 9, 30)},
        {"Mondays, a Monday after its time", daily(9, 30).onlyOn(1), at(2026, 12, 7, 12),
         at(2026, 12, 14, 9, 30)},
        {"no weekday allowed: none, at once", daily(9, 30).onlyOn(0), at(2026, 12, 7, 12), 0.0},
        {"monthly 15th, after it", daily(8).on(15), at(2026, 6, 15, 9), at(2026, 7, 15, 8)},
        {"monthly 15th, over the year's end", daily(8).on(15), at(2026, 12, 15, 9), at(2027, 1, 15, 8)},
        {"monthly 15th, the day before", daily(8).on(15), at(2026, 6, 14, 9), at(2026, 6, 15, 8)},
        {"yearly 10 March", daily(8).on(10, 3), at(2024, 6, 12), at(2025, 3, 10, 8)},
        {"yearly 29 February", daily(8).on(29, 2), at(2025, 6, 1), at(2028, 2, 29, 8)},
        // No 31 February: the forward search gives nothing, the backward one the last 31st.
        {"monthly 31st", daily(8).on(31), at(2026, 1, 31, 9), at(2026, 1, 31, 8)},
        {"monthly 29th: on to the next year divisible by four", daily(8).on(29), at(2026, 1, 29, 9),
         at(2028, 2, 29, 8)},
        {"one-off, ahead", christmas, at(2026, 12, 1), at(2026, 12, 24, 18)},
        {"one-off, past: its last occurrence", christmas, at(2027, 1, 5), at(2026, 12, 24, 18)},
        {"one-off on a refused Thursday, ahead", S(christmas).onlyOn(1), at(2026, 12, 1), 0.0},
        {"one-off on a refused Thursday, past", S(christmas).onlyOn(1), at(2027, 1, 5), 0.0},
        {"the first day on or after the from date", fromMarch, at(2026, 12, 7), at(2027, 3, 10, 7)},
        {"the first Monday on or after it", S(fromMarch).onlyOn(1), at(2026, 12, 7), at(2027, 3, 15, 7)},
        {"until yesterday: nothing, not even the past", untilSunday, at(2026, 12, 7, 12), 0.0},
        {"until yesterday, forever", S(untilSunday).set(&S::doNekonecna, true), at(2026, 12, 7, 12),
         at(2026, 12, 8, 7)},
        {"the until date itself counts", untilSunday, at(2026, 12, 6, 12), at(2026, 12, 6, 7)},
        {"every day of March", daily(6).on(0, 3), at(2024, 6, 16), at(2025, 3, 1, 6)},
        {"every day of March until 2024", daily(6).on(0, 3).from(1990, 1, 1).until(2024, 12, 31),
         at(2024, 6, 16), at(2024, 3, 31, 6)},
        {"a from date that cannot be formed", S{}.from(2026, 2, 31), at(2026, 12, 7), std::nullopt},
        {"with vzdy the from date is never formed", S{}.from(2026, 2, 31).set(&S::vzdy, true),
         at(2026, 12, 7), at(2026, 12, 7)},
        {"an until date that cannot be formed: no occurrence", S{}.from(2020, 1, 1).until(2026, 2, 31),
         at(2026, 12, 7), 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.s.at(c.now), c.expected);
    }
}

TEST(Scheduler, SortingIsStableByDate) {
    SeznamBudiku list{{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")},
                      {5, 3, 3, 9}};
    seradBudiky(list);
    EXPECT_EQ(list.seznamNazvuBudiku, (QStringList{QStringLiteral("b"), QStringLiteral("c"),
                                                   QStringLiteral("a"), QStringLiteral("d")}));
    EXPECT_EQ(list.seznamDatBudiku, (std::vector<TDateTime>{3, 3, 5, 9}));

    // A long list with many equal dates: every name stays with its date, equal ones in the list's order.
    SeznamBudiku many;
    std::vector<std::pair<TDateTime, QString>> expected;
    for (int i = 0; i < 500; ++i) {
        const TDateTime date = (i * 7919) % 37;
        many.seznamNazvuBudiku << QString::number(i);
        many.seznamDatBudiku.push_back(date);
        expected.emplace_back(date, QString::number(i));
    }
    std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    seradBudiky(many);
    ASSERT_EQ(many.seznamNazvuBudiku.size(), 500);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(many.seznamDatBudiku[i], expected[i].first);
        EXPECT_EQ(many.seznamNazvuBudiku[static_cast<qsizetype>(i)], expected[i].second);
    }
}

namespace {

// A plain day-by-day search written from the rules' intent.
struct Reference {
    const S& s;
    TDateTime now;

    bool candidate(TDateTime day) const {
        const DateParts p = decodeDate(day);
        const int iso = (dayOfWeek(day) + 5) % 7; // 0 Monday .. 6 Sunday
        return (s.KD == 0 || p.day == s.KD) && (s.KM == 0 || p.month == s.KM) &&
               (s.KR == 0 || p.year == s.KR) && s.days[iso];
    }
    TDateTime limits(TDateTime day) const {
        if (s.vzdy) {
            return day + s.cas;
        }
        const TDateTime F = *tryEncodeDate(s.OR, s.OM, s.OD);
        const TDateTime U = *tryEncodeDate(s.DR, s.DM, s.DD);
        return (U < day && !s.doNekonecna) || F > day ? 0 : day + s.cas;
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

// The rules step through calendar fields, the reference walks day by day. The generator leaves out where
// the rules deliberately differ: a monthly day 29..31 (it ends at the first month lacking it; a 29th
// reaching February jumps to the next year divisible by four), year 2100 and later (the by-four rule and
// the calendar disagree about 29 February), and every day of a month shorter than 31 days in one fixed
// year (from another year the backward search lands on its day 31, which cannot be formed).
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
        ASSERT_EQ(s.at(now), expected) << "case " << i << ": KD " << int(s.KD) << " KM " << int(s.KM)
                                       << " KR " << s.KR << " vzdy " << s.vzdy << " now " << now;
        withOccurrence += expected != 0;
    }
    EXPECT_GT(withOccurrence, 1000) << "the generator must produce mostly schedules that ring";
}
