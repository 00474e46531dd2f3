#include "alarms/snooze.h"

#include "storage/inifile.h"
#include "support/tempdir.h"

#include <QTemporaryDir>
#include <cmath>
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

TEST_F(SnoozeTest, CancelledRenamedAndHandEditedEntries) {
    OdlozeneBudiky snoozed(ini);
    ASSERT_TRUE(snoozed.odloz(QStringLiteral("A"), Now, 10));
    ASSERT_TRUE(snoozed.odloz(QStringLiteral("B"), Now, 20));
    ASSERT_TRUE(snoozed.zrus(QStringLiteral("a")));
    ASSERT_TRUE(snoozed.prejmenuj(QStringLiteral("B"), QStringLiteral("C")));
    EXPECT_EQ(afterRestart(), QStringList{at("C", Now + 20 * Minute)});
    EXPECT_TRUE(snoozed.zrus(QStringLiteral("nikdo"))) << "nothing to cancel is no failure";

    // A file the user edited: a count beyond the entries, an entry twice, a bad moment, no name.
    test::writeBytes(path, "[odlozeneBudiky]\npocet=999999\n1=X\n1kdy=46000.5\n2=x\n2kdy=46000.25\n"
                           "3=Y\n3kdy=abc\n4kdy=46000\n5= Z \n5kdy=46000.1\n");
    EXPECT_EQ(afterRestart(), (QStringList{at("Z", UtcTime(46000.1)), at("X", UtcTime(46000.5))}));
}

// The moment it rings again is shown on the wall clock as it reads now, across midnight, in whole
// minutes (seconds are dropped, as the digits of the clock drop them).
TEST(SnoozeTime, IsShownInLocalHoursAndMinutes) {
    const auto at = [](int h, int m, int s) { return *tryEncodeDateTime({2026, 12, 9}, {h, m, s, 0}); };
    const LocalTime now(at(10, 0, 0));
    const UtcTime utcNow(at(9, 0, 0)); // an hour east of UTC
    EXPECT_EQ(casOdlozeni(UtcTime(at(9, 10, 59)), now, utcNow), QStringLiteral("10:10"));
    EXPECT_EQ(casOdlozeni(UtcTime(at(9, 5, 0)), now, utcNow), QStringLiteral("10:05"));
    EXPECT_EQ(casOdlozeni(UtcTime(at(23, 5, 0)), now, utcNow), QStringLiteral("0:05")) << "past midnight";
    EXPECT_EQ(casOdlozeni(UtcTime(at(9, 10, 0)), LocalTime(at(4, 0, 0)), utcNow), QStringLiteral("4:10"))
        << "west of UTC";
}
