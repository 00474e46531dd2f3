// Summer time under a running program (the suite runs with TZ=Europe/Prague): the engines count real
// time across both changes, and the alarms follow the wall clock.
#include "support/windowfixture.h"

#include <gtest/gtest.h>

using namespace tavrok;

namespace {

class SummerTimeTest : public test::WindowFixture {
protected:
    void startAt(int month, int day, int hour, int minute) {
        clock.set(*tryEncodeDateTime({2026, month, day}, {hour, minute, 0, 0}));
        open();
    }
    void minutesPass(int minutes) {
        for (int i = 0; i < minutes * 6; ++i) { // a tick every ten seconds
            runFor(10'000);
        }
        window->tmrAktualizaceCasuTimer();
    }
    QString alarmFile(const char* time) const {
        return QStringLiteral("[info]\npocetBudiku=1\n1=Noc\n[Noc]\ncas=%1\nzprava=Budik\nstav=1\nvzdy=1\n"
                              "OD=1\nOM=1\nOR=2000\nDD=1\nDM=1\nDR=2000\nKD=0\nKM=0\nKR=0\n"
                              "posledni=29.3.2026 1:00:00\n") // saved shortly before the test starts
            .arg(QString::fromLatin1(time));
    }
};

} // namespace

TEST_F(SummerTimeTest, TheAutumnChangeAddsNoHourToTheStopwatchOrTheCountdown) {
    startAt(10, 25, 2, 58); // CEST; two minutes later the clocks go back to 02:00 CET
    click("lblFceOdpocit");
    typeOnDigits("001000");
    click("btnZapnout");
    click("lblFceTavrok");
    click("btnZapnout");
    minutesPass(5);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("T: 0;00:05:00"));
    EXPECT_EQ(toMilliseconds(window->countdown().end() - clock.utcNow()), 5 * 60'000) << "five minutes left";
    EXPECT_EQ(toMilliseconds(clock.now() - LocalTime(*tryEncodeDateTime({2026, 10, 25}, {2, 3, 0, 0}))), 0)
        << "the wall clock went back";
    click("lblFceOdpocit");
    EXPECT_EQ(digits(), QStringLiteral("00:05:00.000"));
}

TEST_F(SummerTimeTest, TheSpringChangeEndsNoCountdownAnHourEarly) {
    startAt(3, 29, 1, 58); // CET; two minutes later the clocks go forward to 03:00 CEST
    click("lblFceOdpocit");
    typeOnDigits("001000");
    click("btnZapnout");
    minutesPass(5);
    ASSERT_TRUE(window->countdown().running());
    EXPECT_EQ(digits(), QStringLiteral("00:05:00.000"));
    minutesPass(5);
    EXPECT_FALSE(window->countdown().running()) << "it ends after its ten minutes";
}

TEST_F(SummerTimeTest, AnAlarmInTheSkippedHourRingsAtTheChangeAndOneInTheRepeatedHourOnce) {
    test::writeBytes(data("Nastaveni/Budiky.ini"), alarmFile("2:30:00").toUtf8());
    startAt(3, 29, 1, 50);
    minutesPass(9);
    EXPECT_TRUE(questions.notices.empty()) << "01:59 CET";
    minutesPass(2);
    ASSERT_EQ(questions.notices.size(), 1u) << "02:30 never comes: it rings at the change";
    window.reset();

    questions.notices.clear();
    settings("[nastaveni]\nzobrazovatBudiky=0\n"); // seven months later: the missed ones are not the point here
    startAt(10, 25, 2, 20); // CEST
    minutesPass(15);
    ASSERT_EQ(questions.notices.size(), 1u) << "02:30 CEST";
    minutesPass(60);
    EXPECT_EQ(questions.notices.size(), 1u) << "02:30 CET is the same alarm's moment again: no second ring";
}
