#include "alarms/snooze.h"

#include "storage/inifile.h"
#include "support/tempdir.h"

#include <QTemporaryDir>
#include <cmath>
#include <ctime>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

const UtcTime Now(*tryEncodeDateTime({2026, 12, 7}, {7, 0, 0, 0}));
constexpr TDateTime Minute = 1.0 / 1440;

// A list as "name@moment" to the millisecond (the file keeps 15 digits).
QStringList shown(const std::vector<OdlozenyBudik>& list) {
    QStringList s;
    for (const OdlozenyBudik& o : list) {
        s << o.nazev + u'@' + QString::number(std::llround(o.kdy.days() * MsPerDay));
    }
    return s;
}
QString at(const char* name, UtcTime moment) {
    return QString::fromUtf8(name) + u'@' + QString::number(std::llround(moment.days() * MsPerDay));
}

class SnoozeTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Nastaveni.ini"));
    IniFile ini{path};

    // What a restart reads back.
    QStringList afterRestart() {
        IniFile again(path);
        OdlozeneBudiky o(again);
        o.nacti();
        return shown(o.seznam());
    }
};


} // namespace

// Put off twice, the first one again, and a restart in between: each rings once at its own moment,
// soonest first, and what rang is gone from the file.
TEST_F(SnoozeTest, PutOffAlarmsRingOnceEachAtTheirMomentAcrossARestart) {
    OdlozeneBudiky snoozed(ini);
    snoozed.nacti();
    ASSERT_TRUE(snoozed.odloz(QStringLiteral("Vstávání"), Now, 10));
    ASSERT_TRUE(snoozed.odloz(QStringLiteral("Léky"), Now + Minute, 5));
    EXPECT_EQ(afterRestart(), (QStringList{at("Léky", Now + 6 * Minute), at("Vstávání", Now + 10 * Minute)}));
    ASSERT_TRUE(snoozed.odloz(QStringLiteral("vstávání"), Now + 9 * Minute, 10)) << "a second snooze";
    EXPECT_EQ(snoozed.odlozenDo(QStringLiteral("VSTÁVÁNÍ")), Now + 19 * Minute) << "one entry, moved";
    EXPECT_EQ(shown(snoozed.seznam()).size(), 2);
    EXPECT_EQ(snoozed.nextDue(), Now + 6 * Minute);

    OdlozeneBudiky restarted(ini);
    restarted.nacti();
    EXPECT_FALSE(restarted.kontrola(Now + 6 * Minute - 2 * OneMillisecond));
    EXPECT_EQ(restarted.kontrola(Now + 6 * Minute + OneMillisecond)->nazev, QStringLiteral("Léky"));
    EXPECT_FALSE(restarted.kontrola(Now + 6 * Minute + OneMillisecond)) << "rings once";
    EXPECT_EQ(restarted.kontrola(Now + 60 * Minute)->nazev, QStringLiteral("vstávání")) << "late, still rings";
    EXPECT_FALSE(restarted.nextDue());
    EXPECT_TRUE(afterRestart().empty());
    EXPECT_FALSE(IniFile(path).sectionExists(u"odlozeneBudiky")) << "nothing left behind";
}

// Cancelled, and kept through a settings file replaced by an import (which brought no snoozes and one
// the program had rung already) for the alarms that are still there; then a file the user edited.
TEST_F(SnoozeTest, CancelledKeptThroughAnImportAndHandEditedEntries) {
    OdlozeneBudiky snoozed(ini);
    ASSERT_TRUE(snoozed.odloz(QStringLiteral("A"), Now, 10));
    ASSERT_TRUE(snoozed.odloz(QStringLiteral("B"), Now, 20));
    ASSERT_TRUE(snoozed.odloz(QStringLiteral("C"), Now, 30));
    ASSERT_TRUE(snoozed.zrus(QStringLiteral("a")));
    EXPECT_TRUE(snoozed.zrus(QStringLiteral("nikdo"))) << "nothing to cancel is no failure";

    test::writeBytes(path, "[nastaveni]\nodkladani=1\n[odlozeneBudiky]\npocet=1\n1=A\n1kdy=46000\n");
    ASSERT_TRUE(snoozed.poNahrazeni([](const QString& name) { return name != u"C"; }));
    EXPECT_EQ(afterRestart(), QStringList{at("B", Now + 20 * Minute)}) << "not A again, not C: it is gone";
    EXPECT_TRUE(IniFile(path).readBool(u"nastaveni", u"odkladani", false)) << "the imported settings stay";

    // A file the user edited: a count beyond the entries, an entry twice, a bad moment, no name.
    test::writeBytes(path, "[odlozeneBudiky]\npocet=999999\n1=X\n1kdy=46000.5\n2=x\n2kdy=46000.25\n"
                           "3=Y\n3kdy=abc\n4kdy=46000\n5= Z \n5kdy=46000.1\n");
    EXPECT_EQ(afterRestart(), (QStringList{at("Z", UtcTime(46000.1)), at("X", UtcTime(46000.5))}));
}

// The moment it rings again is shown on the wall clock as it will read then (the suite runs in
// Europe/Prague): across midnight, across the autumn change, in whole minutes (seconds are dropped, as
// the clock's digits drop them).
TEST(SnoozeTime, IsShownOnTheWallClockOfItsMoment) {
    const auto utc = [](int month, int day, int h, int m, int s) {
        return UtcTime(*tryEncodeDateTime({2026, month, day}, {h, m, s, 0}));
    };
    EXPECT_EQ(casOdlozeni(utc(12, 9, 9, 10, 59)), QStringLiteral("10:10")) << "CET: an hour east of UTC";
    EXPECT_EQ(casOdlozeni(utc(12, 9, 23, 5, 0)), QStringLiteral("0:05")) << "past midnight";
    EXPECT_EQ(casOdlozeni(utc(7, 9, 9, 10, 0)), QStringLiteral("11:10")) << "CEST: two hours";
    // Put off at 2:50 CEST for 20 minutes: it rings at 2:10 CET, after the clocks went back.
    EXPECT_EQ(casOdlozeni(utc(10, 25, 1, 10, 0)), QStringLiteral("2:10"));
}

TEST(SnoozeTime, IsShownOnTheWallClockWestOfUtcToo) {
    qputenv("TZ", "America/New_York");
    tzset();
    const UtcTime at(*tryEncodeDateTime({2026, 12, 9}, {9, 10, 0, 0}));
    const QString shown = casOdlozeni(at);
    qputenv("TZ", "Europe/Prague");
    tzset();
    EXPECT_EQ(shown, QStringLiteral("4:10"));
}
