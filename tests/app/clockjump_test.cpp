// The wall clock set while the program runs, the computer sleeping and summer time (the suite runs with
// TZ=Europe/Prague): the engines keep their true length, no alarm rings twice and none is lost.
#include "support/windowfixture.h"

#include <gtest/gtest.h>

using namespace tavrok;

namespace {

constexpr double MinuteMs = 60'000;
constexpr double HourMs = 60 * MinuteMs;
constexpr double DayMs = 24 * HourMs;

class ClockJumpTest : public test::WindowFixture {
protected:
    void startEngines(const char* countdownDigits, const char* message = "") {
        startCountdown(countdownDigits, message);
        startStopwatch();
    }
    qint64 stopwatchMs() const { return toMilliseconds(window->stopwatch().elapsed()); }
    qint64 countdownLeftMs() const { return toMilliseconds(window->countdown().end() - clock.utcNow()); }
    // The missed ones are listed in the menu, not shown.
    void quietAlarms(std::initializer_list<Alarm> alarms) {
        settings("[nastaveni]\nzobrazovatBudiky=0\n");
        dailyAlarms(alarms);
    }
    const std::vector<ZmeskanyBudik>& missed() const { return window->programState().zmeskaneBudiky.seznam; }
    void startAt(int month, int day, int hour, int minute) {
        clock.set(*tryEncodeDateTime({2026, month, day}, {hour, minute, 0, 0}));
        open();
    }
    void minutesAndClockTick(int minutes) {
        minutesPass(minutes);
        window->tmrAktualizaceCasuTimer();
    }
};

} // namespace

TEST_F(ClockJumpTest, TheEnginesKeepTheirTrueLengthWhenTheClockIsSetBackOrForwardAndCountASleep) {
    open();
    startEngines("003000", "Konec");
    minutesPass(5);
    clock.jumpMs(-HourMs);
    minutesPass(5);
    EXPECT_EQ(stopwatchMs(), 10 * MinuteMs);
    EXPECT_EQ(countdownLeftMs(), 20 * MinuteMs);
    clock.jumpMs(DayMs);
    minutesPass(5);
    EXPECT_EQ(stopwatchMs(), 15 * MinuteMs);
    EXPECT_EQ(countdownLeftMs(), 15 * MinuteMs);
    EXPECT_TRUE(questions.notices.empty()) << "the countdown has not ended";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("T: 0;00:15:00"));

    clock.advanceMs(8 * HourMs); // the computer sleeps eight hours: no tick
    minutesPass(1.0 / 6);
    EXPECT_EQ(stopwatchMs(), 8 * HourMs + 15 * MinuteMs + 10'000);
    ASSERT_EQ(questions.notices.size(), 1u) << "the countdown ended in the sleep: told once, at waking";
    EXPECT_EQ(questions.notices[0].text, QStringLiteral("Konec"));
    minutesPass(2);
    EXPECT_EQ(questions.notices.size(), 1u);
}

TEST_F(ClockJumpTest, APausedCountdownKeepsItsTimeLeftWhenTheClockIsSet) {
    open();
    startCountdown("003000");
    minutesPass(5);
    click("btnPauza");
    ASSERT_TRUE(window->countdown().paused());
    minutesPass(1);
    clock.jumpMs(-HourMs);
    minutesPass(1);
    click("btnPauza");
    ASSERT_TRUE(window->countdown().running());
    EXPECT_EQ(countdownLeftMs(), 25 * MinuteMs) << "the pause does not take the hour the clock went back";
}

TEST_F(ClockJumpTest, ASleepOfTwoDaysListsEveryOccurrenceItMissed) {
    quietAlarms({{"A", "11:00:00"}});
    open(); // Sunday 10:00
    clock.advanceMs(2 * DayMs + HourMs); // asleep until Tuesday 11:00
    minutesPass(1.0 / 6);
    ASSERT_EQ(missed().size(), 3u) << "Sunday, Monday and Tuesday 11:00";
    EXPECT_EQ(missed()[1].datum, *tryEncodeDateTime({2026, 12, 7}, {11, 0, 0, 0}));
    EXPECT_EQ(questions.notices.size(), 1u) << "and the alarm due rings once";
}

TEST_F(ClockJumpTest, NoAlarmIsLostInAGapAndNoneRingsTwiceWhenTheClockGoesBack) {
    quietAlarms({{"A", "11:00:00"}, {"B", "12:00:00"}});
    open(); // Sunday 10:00
    clock.jumpMs(DayMs); // Sunday's 11:00 and 12:00 fall in the jump
    minutesPass(1.0 / 6);
    ASSERT_EQ(questions.notices.size(), 1u) << "the alarm that was due rings at the jump";
    EXPECT_EQ(questions.notices[0].text, QString::fromUtf16(u"A\nZpožděno o 1380 min.")) << "and says how late";
    ASSERT_EQ(missed().size(), 2u) << "and everything that fell in the jump is listed as missed";
    EXPECT_EQ(missed()[0].nazev, QStringLiteral("A"));
    EXPECT_EQ(missed()[1].nazev, QStringLiteral("B"));
    EXPECT_EQ(missed()[1].datum, *tryEncodeDateTime({2026, 12, 6}, {12, 0, 0, 0}));

    minutesPass(61); // Monday 11:01
    ASSERT_EQ(questions.notices.size(), 2u);
    clock.jumpMs(-HourMs); // back to 10:01
    minutesPass(90);       // to 11:31
    EXPECT_EQ(questions.notices.size(), 2u) << "11:00 came twice on the clock, the alarm rang once";
    minutesPass(30);
    ASSERT_EQ(questions.notices.size(), 3u);
    EXPECT_EQ(questions.notices[2].text, QStringLiteral("B"));
}

// The marks a jump forward and back leaves in the future hide nothing the next start has to list.
TEST_F(ClockJumpTest, AClockSetForwardAndBackLeavesNoMarkThatHidesLaterMisses) {
    quietAlarms({{"A", "11:00:00"}});
    open(); // Sunday 10:00
    clock.jumpMs(3 * DayMs);
    minutesPass(1.0 / 6);
    clock.jumpMs(-3 * DayMs);
    minutesPass(30); // Sunday 10:30
    EXPECT_TRUE(window->close());
    clock.advanceMs(2 * DayMs); // closed until Tuesday 10:30
    window.reset();
    open();
    ASSERT_EQ(missed().size(), 2u) << "Sunday and Monday 11:00";
    EXPECT_EQ(missed()[0].datum, *tryEncodeDateTime({2026, 12, 6}, {11, 0, 0, 0}));
    EXPECT_EQ(missed()[1].datum, *tryEncodeDateTime({2026, 12, 7}, {11, 0, 0, 0}));
}

// After a jump forward and back the alarms due from now on ring as they come; the late one rings once.
TEST_F(ClockJumpTest, AfterAClockSetForwardAndBackTheAlarmsOfTodayStillRing) {
    quietAlarms({{"A", "10:30:00"}, {"B", "11:00:00"}});
    open(); // Sunday 10:00
    clock.jumpMs(3 * DayMs);
    minutesPass(1.0 / 6);
    ASSERT_EQ(questions.notices.size(), 1u) << "A, due first, rings late at the jump";
    clock.jumpMs(-3 * DayMs);
    minutesPass(65); // Sunday 11:05
    for (const ZmeskanyBudik& m : missed()) {
        EXPECT_LE(m.datum, clock.now().days()) << "listed as missed, yet still to come";
    }
    ASSERT_EQ(questions.notices.size(), 2u);
    EXPECT_EQ(questions.notices[1].text, QStringLiteral("B"));
}

TEST_F(ClockJumpTest, TheAutumnChangeAddsNoHourToTheStopwatchOrTheCountdown) {
    startAt(10, 25, 2, 58); // CEST; two minutes later the clocks go back to 02:00 CET
    startEngines("001000");
    minutesAndClockTick(5);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("T: 0;00:05:00"));
    EXPECT_EQ(countdownLeftMs(), 5 * MinuteMs);
    EXPECT_EQ(toMilliseconds(clock.now() - LocalTime(*tryEncodeDateTime({2026, 10, 25}, {2, 3, 0, 0}))), 0)
        << "the wall clock went back";
    click("lblFceOdpocit");
    EXPECT_EQ(digits(), QStringLiteral("00:05:00.000"));
}

TEST_F(ClockJumpTest, TheSpringChangeEndsNoCountdownAnHourEarly) {
    startAt(3, 29, 1, 58); // CET; two minutes later the clocks go forward to 03:00 CEST
    startCountdown("001000");
    minutesAndClockTick(5);
    ASSERT_TRUE(window->countdown().running());
    EXPECT_EQ(digits(), QStringLiteral("00:05:00.000"));
    minutesAndClockTick(5);
    EXPECT_FALSE(window->countdown().running()) << "it ends after its ten minutes";
}

TEST_F(ClockJumpTest, AnAlarmInTheSkippedHourRingsAtTheChangeAndOneInTheRepeatedHourOnce) {
    dailyAlarms({{"Noc", "2:30:00", "Budik"}}, "29.3.2026 1:00:00");
    startAt(3, 29, 1, 50);
    minutesAndClockTick(9);
    EXPECT_TRUE(questions.notices.empty()) << "01:59 CET";
    minutesAndClockTick(2);
    ASSERT_EQ(questions.notices.size(), 1u) << "02:30 never comes: it rings at the change";
    EXPECT_EQ(questions.notices[0].text, QStringLiteral("Budik")) << "on time in real time: not late";
    window.reset();

    questions.notices.clear();
    settings("[nastaveni]\nzobrazovatBudiky=0\n"); // seven months later: the missed ones are not the point
    startAt(10, 25, 2, 20); // CEST
    minutesAndClockTick(15);
    ASSERT_EQ(questions.notices.size(), 1u) << "02:30 CEST";
    minutesAndClockTick(60);
    EXPECT_EQ(questions.notices.size(), 1u) << "02:30 CET is the same alarm's moment again: no second ring";
}
