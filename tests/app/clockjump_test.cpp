// The wall clock set while the program runs (by the user, a time server, another program) and the
// computer sleeping: the stopwatch and the countdown keep their true length, no alarm rings twice and
// none is lost.
#include "storage/inifile.h"
#include "support/windowfixture.h"

#include <gtest/gtest.h>

using namespace tavrok;

namespace {

constexpr double MinuteMs = 60'000;
constexpr double HourMs = 60 * MinuteMs;
constexpr double DayMs = 24 * HourMs;

class ClockJumpTest : public test::WindowFixture {
protected:
    // Time passes with a tick every ten seconds, as the running program has them.
    void minutesPass(double minutes) {
        for (int i = 0; i < minutes * 6; ++i) {
            runFor(10'000);
        }
    }
    void startEngines(const char* countdownDigits, const char* message) {
        click("lblFceOdpocit");
        typeOnDigits(countdownDigits);
        QTest::keyClicks(child("edtOdpZprava"), QString::fromLatin1(message));
        click("btnZapnout");
        click("lblFceTavrok");
        click("btnZapnout");
    }
    qint64 stopwatchMs() const { return toMilliseconds(window->stopwatch().elapsed()); }
    qint64 countdownLeftMs() const { return toMilliseconds(window->countdown().end() - clock.utcNow()); }
    static QByteArray dailyAlarm(const char* name, const char* time) {
        return QByteArray("[") + name + "]\ncas=" + time + "\nzprava=" + name +
               "\nstav=1\nvzdy=1\nOD=1\nOM=1\nOR=2000\nDD=1\nDM=1\nDR=2000\nKD=0\nKM=0\nKR=0\n"
               "posledni=6.12.2026 9:00:00\n";
    }
};

} // namespace

TEST_F(ClockJumpTest, TheEnginesKeepTheirTrueLengthWhenTheClockIsSetBackOrForward) {
    open();
    startEngines("003000", "Konec");
    minutesPass(5);
    clock.jumpMs(-HourMs); // set back an hour
    minutesPass(5);
    EXPECT_EQ(stopwatchMs(), 10 * MinuteMs);
    EXPECT_EQ(countdownLeftMs(), 20 * MinuteMs);
    clock.jumpMs(DayMs); // and on by a day
    minutesPass(5);
    EXPECT_EQ(stopwatchMs(), 15 * MinuteMs);
    EXPECT_EQ(countdownLeftMs(), 15 * MinuteMs);
    EXPECT_TRUE(questions.notices.empty()) << "the countdown has not ended";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("T: 0;00:15:00"));
}

TEST_F(ClockJumpTest, ASleepCountsAsTimeThatPassed) {
    open();
    startEngines("010000", "Konec");
    clock.advanceMs(8 * HourMs); // the computer sleeps eight hours: no tick
    minutesPass(1.0 / 6);
    EXPECT_EQ(stopwatchMs(), 8 * HourMs + 10'000);
    ASSERT_EQ(questions.notices.size(), 1u) << "the countdown ended in the sleep: told once, at waking";
    EXPECT_EQ(questions.notices[0].text, QStringLiteral("Konec"));
    minutesPass(2);
    EXPECT_EQ(questions.notices.size(), 1u);
}

TEST_F(ClockJumpTest, APausedCountdownKeepsItsTimeLeftWhenTheClockIsSet) {
    open();
    click("lblFceOdpocit");
    typeOnDigits("003000");
    click("btnZapnout");
    minutesPass(5);
    click("btnPauza");
    ASSERT_TRUE(window->countdown().paused());
    minutesPass(1);
    clock.jumpMs(-HourMs);
    minutesPass(1);
    click("btnPauza"); // on again
    ASSERT_TRUE(window->countdown().running());
    EXPECT_EQ(countdownLeftMs(), 25 * MinuteMs) << "the pause does not take the hour the clock went back";
}

TEST_F(ClockJumpTest, ASleepOfTwoDaysListsEveryOccurrenceItMissed) {
    settings("[nastaveni]\nzobrazovatBudiky=0\n");
    test::writeBytes(data("Nastaveni/Budiky.ini"), "[info]\npocetBudiku=1\n1=A\n" + dailyAlarm("A", "11:00:00"));
    open(); // Sunday 10:00
    clock.advanceMs(2 * DayMs + HourMs); // asleep until Tuesday 11:00
    minutesPass(1.0 / 6);
    const auto& missed = window->programState().zmeskaneBudiky.seznam;
    ASSERT_EQ(missed.size(), 3u) << "Sunday, Monday and Tuesday 11:00";
    EXPECT_EQ(missed[1].datum, *tryEncodeDateTime({2026, 12, 7}, {11, 0, 0, 0}));
    EXPECT_EQ(questions.notices.size(), 1u) << "and the alarm due rings once";
}

TEST_F(ClockJumpTest, NoAlarmIsLostInAGapAndNoneRingsTwiceWhenTheClockGoesBack) {
    settings("[nastaveni]\nzobrazovatBudiky=0\n"); // the missed ones are listed in the menu, not shown
    test::writeBytes(data("Nastaveni/Budiky.ini"),
                     "[info]\npocetBudiku=2\n1=A\n2=B\n" + dailyAlarm("A", "11:00:00") + dailyAlarm("B", "12:00:00"));
    open(); // Sunday 10:00
    clock.jumpMs(DayMs); // set on to Monday 10:00: Sunday's 11:00 and 12:00 fell in the jump
    minutesPass(1.0 / 6);
    ASSERT_EQ(questions.notices.size(), 1u) << "the alarm that was due rings at the jump";
    EXPECT_EQ(questions.notices[0].text, QStringLiteral("A"));
    const auto& missed = window->programState().zmeskaneBudiky.seznam;
    ASSERT_EQ(missed.size(), 2u) << "and everything that fell in the jump is listed as missed";
    EXPECT_EQ(missed[0].nazev, QStringLiteral("A"));
    EXPECT_EQ(missed[1].nazev, QStringLiteral("B"));
    EXPECT_EQ(missed[1].datum, *tryEncodeDateTime({2026, 12, 6}, {12, 0, 0, 0}));

    minutesPass(61); // Monday 11:01
    ASSERT_EQ(questions.notices.size(), 2u);
    clock.jumpMs(-HourMs); // back to 10:01
    minutesPass(90);       // to 11:31
    EXPECT_EQ(questions.notices.size(), 2u) << "11:00 came twice on the clock, the alarm rang once";
    minutesPass(30);
    ASSERT_EQ(questions.notices.size(), 3u);
    EXPECT_EQ(questions.notices[2].text, QStringLiteral("B"));
}

// The clock set on by three days and back again while the program runs, then the program closed for
// two days: the marks the jump left in the future must not hide what the next start has to list.
TEST_F(ClockJumpTest, AClockSetForwardAndBackLeavesNoMarkThatHidesLaterMisses) {
    settings("[nastaveni]\nzobrazovatBudiky=0\n");
    test::writeBytes(data("Nastaveni/Budiky.ini"), "[info]\npocetBudiku=1\n1=A\n" + dailyAlarm("A", "11:00:00"));
    open(); // Sunday 10:00
    clock.jumpMs(3 * DayMs);
    minutesPass(1.0 / 6);
    clock.jumpMs(-3 * DayMs);
    minutesPass(30); // Sunday 10:30
    EXPECT_TRUE(window->close());
    clock.advanceMs(2 * DayMs); // closed until Tuesday 10:30
    window.reset();
    open();
    const auto& missed = window->programState().zmeskaneBudiky.seznam;
    ASSERT_EQ(missed.size(), 2u) << "Sunday and Monday 11:00";
    EXPECT_EQ(missed[0].datum, *tryEncodeDateTime({2026, 12, 6}, {11, 0, 0, 0}));
    EXPECT_EQ(missed[1].datum, *tryEncodeDateTime({2026, 12, 7}, {11, 0, 0, 0}));
}

// Set on by three days and back at once: the alarms due from now on ring as they come, not only after
// the three days, and the one that rang late at the jump does not ring a second time.
TEST_F(ClockJumpTest, AfterAClockSetForwardAndBackTheAlarmsOfTodayStillRing) {
    settings("[nastaveni]\nzobrazovatBudiky=0\n");
    test::writeBytes(data("Nastaveni/Budiky.ini"),
                     "[info]\npocetBudiku=2\n1=A\n2=B\n" + dailyAlarm("A", "10:30:00") + dailyAlarm("B", "11:00:00"));
    open(); // Sunday 10:00
    clock.jumpMs(3 * DayMs);
    minutesPass(1.0 / 6);
    ASSERT_EQ(questions.notices.size(), 1u) << "A, due first, rings late at the jump";
    clock.jumpMs(-3 * DayMs);
    minutesPass(65); // Sunday 11:05
    for (const ZmeskanyBudik& m : window->programState().zmeskaneBudiky.seznam) {
        EXPECT_LE(m.datum, clock.now().days()) << "listed as missed, yet still to come";
    }
    ASSERT_EQ(questions.notices.size(), 2u);
    EXPECT_EQ(questions.notices[1].text, QStringLiteral("B"));
}
