// The ticks and what the window shows of the state: while a box is open, while minimised, at start
// and at close.
#include "storage/inifile.h"
#include "support/windowfixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace tavrok;

using MainWindowTicksTest = test::WindowFixture;

TEST_F(MainWindowTicksTest, ARepeatingCountdownShowsOneBoxPerEndWhileItsFirstBoxIsOpen) {
    open();
    startCountdown("000002", "Dalsi kolo", true);
    QStringList titlesWhileOpen;
    questions.whileOpen = [&](int depth) {
        if (depth > 1) {
            return; // the later boxes close at once
        }
        // The first box stays open for three more ends; the planned ticks must go on meanwhile.
        for (int end = 2; end <= 4; ++end) {
            clock.advanceMs(1000);
            QTest::qWait(60);
            titlesWhileOpen << window->windowTitle();
            clock.advanceMs(1000);
            (void)QTest::qWaitFor([&] { return questions.notices.size() >= static_cast<size_t>(end); }, 1500);
        }
    };
    runFor(2000);
    EXPECT_EQ(questions.notices.size(), 4u) << "one box for each end, also while the first is open";
    EXPECT_EQ(titlesWhileOpen, (QStringList{QStringLiteral("O: 0;00:00:01"), QStringLiteral("O: 0;00:00:01"),
                                            QStringLiteral("O: 0;00:00:01")}));
    EXPECT_TRUE(window->countdown().running());
}

TEST_F(MainWindowTicksTest, AnAlarmRingsOnTimeWhileACountdownBoxIsOpen) {
    dailyAlarms({{"Ráno", "10:00:05", "Vstávej"}});
    open();
    startCountdown("000002", "Konec");
    questions.whileOpen = [&](int depth) {
        if (depth == 1) {
            clock.advanceMs(3000);
            (void)QTest::qWaitFor([&] { return questions.notices.size() >= 2; }, 1500);
        }
    };
    runFor(2000);
    ASSERT_EQ(questions.notices.size(), 2u);
    EXPECT_EQ(questions.notices[1].text, QStringLiteral("Vstávej"));
    EXPECT_EQ(questions.notices[1].caption, QStringLiteral("Tavrok: 6.12.2026 10:00:05"));
}

TEST_F(MainWindowTicksTest, AnIdleWindowWakesOnlyForTheClockTickWhichAlsoRingsTheAlarm) {
    dailyAlarms({{"Ráno", "10:00:05", "Vstávej"}});
    open();
    QTest::qWait(20); // the first ticks after showing
    EXPECT_FALSE(child<QTimer>("tmrFunkce")->isActive()) << "nothing is due before the next clock tick";
    clock.advanceMs(5001);
    window->tmrAktualizaceCasuTimer();
    ASSERT_EQ(questions.notices.size(), 1u);
    EXPECT_EQ(questions.notices[0].caption, QStringLiteral("Tavrok: 6.12.2026 10:00:05"));
    startStopwatch();
    EXPECT_TRUE(child<QTimer>("tmrFunkce")->isActive()) << "a running stopwatch has frames to draw";
}

TEST_F(MainWindowTicksTest, TheAlarmShownAtStartIsOnTheDigitsAndSurvivesASwitchAndASave) {
    dailyAlarms({{"Ráno", "7:30:15", "Vstávej"}});
    settings("[stavHlavnihoOkna]\nfunkce=1\n");
    open();
    EXPECT_EQ(child<QComboBox>("cbxBudiky")->currentText(), QStringLiteral("Ráno"));
    EXPECT_EQ(digits(), QStringLiteral("07:30:15.000"));
    EXPECT_EQ(child<QLineEdit>("edtD")->text(), QStringLiteral("Vstávej"));
    click("lblFceBudik"); // the function already shown: nothing changes
    EXPECT_EQ(digits(), QStringLiteral("07:30:15.000"));

    click("btnZapnout"); // switched off
    questions.script({Answer::Yes}); // save it switched off
    click("btnBudUlozit");
    const IniFile alarms(data("Nastaveni/Budiky.ini"));
    EXPECT_EQ(alarms.readString(u"Ráno", u"cas"), QStringLiteral("7:30:15"));
    EXPECT_EQ(alarms.readString(u"Ráno", u"zprava"), QStringLiteral("Vstávej"));
    EXPECT_FALSE(alarms.readBool(u"Ráno", u"stav", true));
}

TEST_F(MainWindowTicksTest, ACountdownEndedWhileMinimisedShowsItsLengthAndAMinimisedCloseStoresTheTimeLeft) {
    open();
    startCountdown("000010");
    window->showMinimized();
    runFor(4000);
    EXPECT_EQ(digits(), QStringLiteral("00:00:10.000")) << "nothing is drawn while minimised";
    runFor(6000);
    EXPECT_FALSE(window->countdown().running());
    window->showNormal();
    EXPECT_EQ(digits(), QStringLiteral("00:00:10.000"));
    click("btnZapnout");
    EXPECT_TRUE(window->countdown().running());
    EXPECT_EQ(toMilliseconds(window->countdown().span()), 10'000);

    // Closed while minimised: the time left of that moment is stored.
    window->showMinimized();
    runFor(1000);
    clock.advanceMs(3000); // no tick since: the last drawn value is three seconds old
    window->close();
    const IniFile ini(settingsPath());
    EXPECT_EQ(toMilliseconds(ini.readFloat(u"stavHlavnihoOkna", u"odpocitCas", 0)), 10'000 - 1000 - 3000);
}

TEST_F(MainWindowTicksTest, AStopAndASplitBetweenTicksTakeTheirOwnMoment) {
    open();
    startStopwatch();
    runFor(1000);
    clock.advanceMs(250);
    click("btnTvrMezicas");
    EXPECT_EQ(child<QComboBox>("cbxMezicasy")->currentText(), QStringLiteral("1:  0; 00:00:01,250"));
    clock.advanceMs(250);
    click("btnZapnout");
    EXPECT_EQ(digits(), QStringLiteral("00:00:01.500"));
}

// A tick woken in the last milliseconds before a due moment waits for it and meets it exactly: not a
// timer's millisecond later, and not before. A tick further off runs at once and waits for nothing.
TEST_F(MainWindowTicksTest, TicksJustBeforeADueMomentWaitForIt) {
    open();
    startCountdown("000002", "Konec");
    const UtcTime end = clock.utcNow() + 2.0 / 86'400;
    clock.advanceMs(1990);
    window->tmrFunkceTimer();
    EXPECT_EQ(toMilliseconds(end - clock.utcNow()), 10) << "ten milliseconds ahead: no wait";
    EXPECT_TRUE(questions.notices.empty());
    clock.advanceMs(7);
    window->tmrFunkceTimer();
    EXPECT_EQ(questions.notices.size(), 1u) << "the end, at its moment";
    EXPECT_EQ(toMilliseconds(clock.utcNow() - end), 0);
}

TEST_F(MainWindowTicksTest, AnAlarmWithAnImpossibleUntilDateClosesWithoutAQuestion) {
    test::writeBytes(data("Nastaveni/Budiky.ini"),
                     "[info]\npocetBudiku=1\n1=Konec\n[Konec]\ncas=7:30:00\nzprava=x\nstav=1\nvzdy=0\nOD=1\n"
                     "OM=1\nOR=2026\nDD=31\nDM=2\nDR=2027\nKD=0\nKM=0\nKR=0\nposledni=6.12.2026 9:00:00\n");
    open();
    runFor(1000);
    click("lblFceTavrok");
    click("lblFceBudik");
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(questions.asked.empty()) << questions.asked.front().text.toStdString();
}
