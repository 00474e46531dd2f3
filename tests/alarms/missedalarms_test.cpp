#include "alarms/missedalarms.h"

#include "alarms/alarmfile.h"
#include "storage/inifile.h"
#include "storage/inivalues.h"
#include "support/tempdir.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace tavrok;

namespace {

TDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return *tryEncodeDateTime({y, mo, d}, {h, mi, s, 0});
}

class MissedAlarmsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    IniFile ini{dir.filePath(QStringLiteral("Budiky.ini"))};

    static TNactenyBudik daily(int hour, bool on = true) {
        TNactenyBudik b;
        b.cas = *tryEncodeTime(hour, 0, 0);
        b.stav = on ? 1 : 0;
        return b;
    }
    void save(const QString& name, const TNactenyBudik& b, TDateTime posledni) {
        ASSERT_TRUE(ulozBudik(ini, name, b, posledni));
    }
    // Alarms B1..Bcount, daily at i % 24 o'clock, written by hand into the list: with `posledni` when
    // one is given, without it (the alarm never rang) otherwise.
    void writeDailyAlarms(int count, std::optional<TDateTime> posledni) {
        IniBatch batch(ini);
        batch.writeInteger(u"info", u"pocetBudiku", count);
        for (int i = 1; i <= count; ++i) {
            const QString name = QStringLiteral("B%1").arg(i);
            batch.writeString(u"info", QString::number(i), name);
            batch.writeString(name, u"cas", QStringLiteral("%1:00:00").arg(i % 24));
            batch.writeBool(name, u"stav", true);
            if (posledni) {
                batch.writeDateTime(name, u"posledni", *posledni);
            } else {
                batch.writeBool(name, u"vzdy", true);
            }
        }
        ASSERT_TRUE(batch.commit());
    }
    static std::vector<TDateTime> dates(const ZmeskaneBudiky& z) {
        std::vector<TDateTime> d;
        for (const auto& m : z.seznam) {
            d.push_back(m.datum);
        }
        return d;
    }
};

} // namespace

// A mark whose next occurrence is still to come is kept and the file not rewritten; what is missed later
// is listed oldest first, an alarm that is off lists nothing, and a mark ahead of now comes back to now.
TEST_F(MissedAlarmsTest, ADailyAlarmMissedFromMondayToWednesdayMorningIsListedTwiceOldestFirst) {
    for (const TDateTime rang : {at(2026, 12, 7, 7), at(2026, 12, 7, 7, 30)}) { // Monday 07:00, or after it
        SCOPED_TRACE(rang);
        save(QStringLiteral("Ráno"), daily(7), rang);
        save(QStringLiteral("Vypnutý"), daily(9, false), at(2026, 12, 7, 9, 30));
        const QByteArray before = test::readBytes(ini.path());
        EXPECT_TRUE(najdiZmeskaneBudiky(ini, at(2026, 12, 8, 6)).seznam.empty());
        EXPECT_EQ(test::readBytes(ini.path()), before);

        const TDateTime now = at(2026, 12, 9, 8); // Wednesday 08:00
        const ZmeskaneBudiky z = najdiZmeskaneBudiky(ini, now);
        EXPECT_EQ(dates(z), (std::vector<TDateTime>{at(2026, 12, 8, 7), at(2026, 12, 9, 7)}));
        EXPECT_EQ(z.seznam.front().nazev, QString::fromUtf16(u"Ráno"));
        EXPECT_EQ(z.dalsi, 0);
        EXPECT_EQ(ini.readDateTime(u"Vypnutý", u"posledni", 0), now) << "its 9:00 fell: checked";
        EXPECT_TRUE(najdiZmeskaneBudiky(ini, now + OneMillisecond * 1000).seznam.empty())
            << "a second start right after";

        save(QStringLiteral("Ráno"), daily(7), at(2027, 1, 1));
        EXPECT_TRUE(najdiZmeskaneBudiky(ini, at(2026, 12, 10, 8)).seznam.empty());
        EXPECT_EQ(ini.readDateTime(u"Ráno", u"posledni", 0), at(2026, 12, 10, 8)) << "a mark ahead of now";
    }
}

// Searched from a mark in April, the 31st of every month ends at "31 April" and finds nothing: that mark
// is not kept, or the 31st of May would never be listed.
TEST_F(MissedAlarmsTest, AMarkWhoseSearchEndsWithoutADateIsMovedOn) {
    TNactenyBudik rent = daily(8);
    rent.KD = 31;
    save(QStringLiteral("Nájem"), rent, at(2027, 4, 10));
    EXPECT_TRUE(najdiZmeskaneBudiky(ini, at(2027, 5, 5)).seznam.empty());
    EXPECT_EQ(dates(najdiZmeskaneBudiky(ini, at(2027, 6, 2))), std::vector<TDateTime>{at(2027, 5, 31, 8)});
}

TEST_F(MissedAlarmsTest, TheBaseMomentItselfIsNotMissedButNowIs) {
    const TNactenyBudik b = daily(7);
    EXPECT_EQ(vypoctiNejblizsiDatumZmeskanehoBudiku(b, at(2026, 12, 7, 7), at(2026, 12, 8, 7)), at(2026, 12, 8, 7));
    EXPECT_EQ(vypoctiNejblizsiDatumZmeskanehoBudiku(b, at(2026, 12, 8, 7), at(2026, 12, 8, 7)), 0.0);
    EXPECT_EQ(vypoctiNejblizsiDatumZmeskanehoBudiku(b, at(2026, 12, 7, 7), at(2026, 12, 8, 6, 59, 59)), 0.0)
        << "still to come";
}

TEST_F(MissedAlarmsTest, AWeeksAbsenceAndAOneOffDateAndAlarmsAtTheSameMoment) {
    save(QStringLiteral("Denní"), daily(7), at(2026, 12, 1, 8));
    TNactenyBudik once = daily(9);
    once.vzdy = false;
    once.OD = 4, once.OM = 12, once.OR = 2026;
    once.DD = 4, once.DM = 12, once.DR = 2026;
    save(QStringLiteral("Jednou"), once, at(2026, 12, 1, 8));
    save(QStringLiteral("Také v sedm"), daily(7), at(2026, 12, 1, 8));
    const ZmeskaneBudiky z = najdiZmeskaneBudiky(ini, at(2026, 12, 8, 8));
    ASSERT_EQ(z.seznam.size(), 15u) << "seven days of two daily alarms and the one-off";
    EXPECT_EQ(z.seznam[0].nazev, QString::fromUtf16(u"Denní")) << "equal moments keep the list's order";
    EXPECT_EQ(z.seznam[1].nazev, QString::fromUtf16(u"Také v sedm"));
    EXPECT_EQ(z.seznam[6].datum, at(2026, 12, 4, 9));
    EXPECT_EQ(z.seznam[6].nazev, QStringLiteral("Jednou"));
    EXPECT_TRUE(std::is_sorted(z.seznam.begin(), z.seznam.end(),
                               [](const ZmeskanyBudik& a, const ZmeskanyBudik& b) { return a.datum < b.datum; }));
}

// Every occurrence the scheduler itself names in the absence, found day by day, is listed, and
// nothing else: for random schedules and absences.
TEST_F(MissedAlarmsTest, AgreesWithTheSchedulerDayByDayForRandomSchedules) {
    QRandomGenerator random(2026);
    size_t occurrences = 0;
    for (int round = 0; round < 300; ++round) {
        TNactenyBudik b = daily(random.bounded(24));
        b.cas += random.bounded(60) / 1440.0;
        b.Po = random.bounded(2), b.Ut = random.bounded(2), b.St = random.bounded(2), b.Ct = random.bounded(2);
        b.Pa = random.bounded(2), b.So = random.bounded(2), b.Ne = !(b.Po || b.Ut || b.St || b.Ct || b.Pa || b.So) || random.bounded(2);
        if (random.bounded(3) == 0) {
            b.KD = static_cast<std::uint8_t>(random.bounded(1, 29));
        }
        if (random.bounded(4) == 0) {
            b.vzdy = false;
            b.OD = 1, b.OM = static_cast<std::uint8_t>(random.bounded(1, 13)), b.OR = 2026;
            b.DD = 28, b.DM = static_cast<std::uint8_t>(random.bounded(1, 13)), b.DR = 2027;
            b.doNekonecna = random.bounded(2);
        }
        const TDateTime base = at(2026, 1, 1) + random.bounded(600) + random.bounded(86400) / 86400.0;
        const TDateTime now = base + random.bounded(1, 90) + random.bounded(86400) / 86400.0;
        std::vector<TDateTime> expected;
        for (TDateTime day = dateOf(base); day <= dateOf(now); day += 1) {
            const TDateTime c = day + b.cas;
            if (c > base && c <= now && nejblizsiDatum(b, c) == c) {
                expected.push_back(c);
            }
        }
        std::vector<TDateTime> found;
        for (TDateTime c = vypoctiNejblizsiDatumZmeskanehoBudiku(b, base, now); c != 0;
             c = vypoctiNejblizsiDatumZmeskanehoBudiku(b, c, now)) {
            found.push_back(c);
        }
        ASSERT_EQ(found.size(), expected.size()) << "round " << round;
        occurrences += found.size();
        for (size_t i = 0; i < found.size(); ++i) {
            EXPECT_NEAR(found[i], expected[i], OneMillisecond / 2) << "round " << round;
        }
    }
    EXPECT_GT(occurrences, 3000u) << "the rounds test something";
}

TEST_F(MissedAlarmsTest, AYearsAbsenceWithManyAlarmsStaysQuickAndListsTheNewest) {
    writeDailyAlarms(100, at(2025, 12, 7));
    QElapsedTimer timer;
    timer.start();
    const ZmeskaneBudiky z = najdiZmeskaneBudiky(ini, at(2026, 12, 7), 1000);
    EXPECT_LT(timer.elapsed(), 3000) << "a year of 100 daily alarms";
    EXPECT_EQ(z.seznam.size(), 1000u);
    EXPECT_EQ(static_cast<qint64>(z.seznam.size()) + z.dalsi, 36500);
    EXPECT_FALSE(z.dalsiNejmene);
    EXPECT_GT(z.seznam.front().datum, at(2026, 11, 20)) << "the newest are the ones listed";
    EXPECT_EQ(z.seznam.back().datum, at(2026, 12, 7)) << "now itself is missed";
    EXPECT_TRUE(std::is_sorted(z.seznam.begin(), z.seznam.end(),
                               [](const ZmeskanyBudik& a, const ZmeskanyBudik& b) { return a.datum < b.datum; }));

    // Misses found later join the list; the oldest make way and are counted.
    ZmeskaneBudiky list = z;
    pridejZmeskane(list, {{{at(2026, 12, 7, 7), QStringLiteral("B7")}}, 2, false}, 1000);
    EXPECT_EQ(list.seznam.size(), 1000u);
    EXPECT_EQ(list.dalsi, z.dalsi + 3);
    EXPECT_EQ(list.seznam.back().nazev, QStringLiteral("B7"));
}

TEST_F(MissedAlarmsTest, AlarmsThatNeverSavedTheirLastMomentMissedNothingAndAStaleOneHidesNoRealMiss) {
    // Hand-written or imported daily alarms without "posledni": nothing before this first look.
    writeDailyAlarms(300, std::nullopt);
    ZmeskaneBudiky z = najdiZmeskaneBudiky(ini, at(2026, 12, 7), 1000);
    EXPECT_TRUE(z.seznam.empty());
    EXPECT_EQ(z.dalsi, 0);
    EXPECT_EQ(IniFile(ini.path()).readDateTime(u"B300", u"posledni", 0), at(2026, 12, 7)) << "every alarm is marked";
    z = najdiZmeskaneBudiky(ini, at(2026, 12, 7, 2, 30), 1000);
    ASSERT_EQ(z.seznam.size(), 26u) << "from there on, what rang is listed: 1:00 and 2:00, 13 alarms each";
    EXPECT_EQ(z.seznam.front().datum, at(2026, 12, 7, 1));

    // One alarm last checked in 2000 and one that missed this morning: this morning is listed.
    test::writeBytes(ini.path(), "[info]\npocetBudiku=2\n1=Stary\n2=Ranni\n"
                                 "[Stary]\ncas=6:00:00\nstav=1\nposledni=1.1.2000 0:00:00\n"
                                 "[Ranni]\ncas=7:00:00\nstav=1\nposledni=6.12.2026 8:00:00\n");
    z = najdiZmeskaneBudiky(ini, at(2026, 12, 7, 8), 1000);
    ASSERT_EQ(z.seznam.size(), 1000u);
    EXPECT_EQ(z.seznam.back().datum, at(2026, 12, 7, 7));
    EXPECT_EQ(z.seznam.back().nazev, QStringLiteral("Ranni"));
    EXPECT_EQ(z.seznam.front().nazev, QStringLiteral("Stary"));
    EXPECT_GT(z.dalsi, 8000) << "the older rings of 2000 to 2024 are counted";
}

TEST_F(MissedAlarmsTest, ANameListedTwiceIsReportedOnceAndAHandWrittenAlarmHasNoUntilDate) {
    // Hand-edited: "Ranni" listed twice, its until date long past, and no doNekonecna key or one that
    // reads as no number.
    for (const QByteArray& untilFlag : {QByteArray(), QByteArray("doNekonecna=ano\n")}) {
        test::writeBytes(ini.path(), "[info]\npocetBudiku=2\n1=Ranni\n2=ranni\n[Ranni]\ncas=7:00:00\nstav=1\nvzdy=0\n" +
                                         untilFlag + "OD=1\nOM=1\nOR=2000\nDD=1\nDM=1\nDR=2001\nposledni=6.12.2026 8:00:00\n");
        const ZmeskaneBudiky z = najdiZmeskaneBudiky(ini, at(2026, 12, 7, 8), 1000);
        ASSERT_EQ(z.seznam.size(), 1u) << untilFlag.toStdString();
        EXPECT_EQ(z.seznam[0].datum, at(2026, 12, 7, 7));
        EXPECT_EQ(z.dalsi, 0);
    }
}

// The start picks, while loading the list, the alarms its search will read; the search from them finds
// and marks exactly what a search of every alarm does, at any moment of their span, and reads every
// alarm again when the file changed or the moment lies outside the span.
TEST_F(MissedAlarmsTest, CandidatesPickedWithTheListFindWhatAFullSearchFinds) {
    const TDateTime loaded = at(2026, 12, 7, 7, 55);
    QRandomGenerator random(7);
    QByteArray text = "[info]\npocetBudiku=203\n";
    QByteArray sections;
    for (int i = 1; i <= 200; ++i) {
        text += QByteArray::number(i) + "=B" + QByteArray::number(i) + "\n";
        const int minute = 7 * 60 + 40 + random.bounded(60); // around the start, and a few far from it
        sections += "[B" + QByteArray::number(i) + "]\ncas=" + QByteArray::number(minute / 60 % 24) + ":" +
                    QByteArray::number(minute % 60) + ":00\nstav=" + (random.bounded(5) ? "1" : "0") + "\n";
        switch (i == 1 ? 3 : random.bounded(3)) {
        case 0: // checked a while ago
            sections += "posledni=" + formatIniDateTime(loaded - random.bounded(1, 72) / 24.0).toUtf8() + "\n";
            break;
        case 1: // checked just now
            sections += "posledni=" + formatIniDateTime(loaded - random.bounded(60) / 86400.0).toUtf8() + "\n";
            break;
        case 2: // ahead of now: the clock was set back
            sections += "posledni=" + formatIniDateTime(loaded + 1.0 / 24).toUtf8() + "\n";
            break;
        default: // never checked: nothing missed, marked at the first look
            break;
        }
    }
    text += "201=b7\n202=missing\n203=info\n"; // a name twice, a name without a section, the list's own
    text += sections;

    const auto pick = [&](IniFile& file) {
        MissedAlarmCandidates c;
        c.fileVersion = file.snapshot().version();
        c.from = loaded;
        c.until = loaded + 15.0 / 1440;
        (void)nactiSeznamBudiku(file, loaded,
                                [&](const IniSnapshot& s, const IniRecord& r, const QString& name,
                                    const TNactenyBudik& b) {
                                    c.fileVersion = s.version();
                                    c.consider(r, name, b);
                                });
        return c;
    };
    const auto compare = [&](TDateTime now, bool changeBetween) -> size_t {
        QTemporaryDir d;
        IniFile full(d.filePath(QStringLiteral("a.ini")));
        IniFile picked(d.filePath(QStringLiteral("b.ini")));
        test::writeBytes(full.path(), text);
        test::writeBytes(picked.path(), text);
        const MissedAlarmCandidates candidates = pick(picked);
        EXPECT_LT(candidates.names.size(), 180) << "alarms are left out";
        if (changeBetween) { // after the pick, an alarm left out is changed to one that missed rings
            QString victim;
            for (int i = 1; victim.isEmpty(); ++i) {
                const QString name = QStringLiteral("B%1").arg(i);
                victim = candidates.names.contains(name) ? QString() : name;
            }
            for (IniFile* f : {&full, &picked}) {
                EXPECT_TRUE(f->writeDateTime(victim, u"posledni", loaded - 3));
                EXPECT_TRUE(f->writeBool(victim, u"stav", true));
            }
        }
        const ZmeskaneBudiky a = najdiZmeskaneBudiky(full, now);
        const ZmeskaneBudiky b = najdiZmeskaneBudiky(picked, now, 1000, &candidates);
        EXPECT_EQ(dates(b), dates(a));
        EXPECT_EQ(b.dalsi, a.dalsi);
        EXPECT_EQ(test::readBytes(picked.path()), test::readBytes(full.path())) << "the same marks";
        return a.seznam.size();
    };
    size_t found = 0;
    for (const TDateTime minutes : {0.0, 5.0, 10.0, 15.0, 40.0}) {
        found += compare(loaded + minutes / 1440, false);
    }
    found += compare(loaded + 10.0 / 1440, true);
    found += compare(loaded - 1.0 / 1440, false); // the clock went back in between
    EXPECT_GT(found, 50u) << "the searches found something to compare";
}
