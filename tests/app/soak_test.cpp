// Days of use at high speed on the fake clock: 100 daily alarms, a countdown repeating every seven
// minutes, the stopwatch running with a split every hour. Every alarm rings once a day and every end of
// the countdown is told; memory and the files stay as large as after the first day.
// TAVROK_SOAK_DAYS sets the length (a week by default; bench/soak.sh runs it under heaptrack).
#include "support/windowfixture.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

using namespace tavrok;

using SoakTest = test::WindowFixture;

TEST_F(SoakTest, DaysOfAlarmsCountdownsAndSplitsKeepMemoryAndFilesFlat) {
    const int asked = qEnvironmentVariableIntValue("TAVROK_SOAK_DAYS");
    const int days = asked >= 2 ? asked : 7;
    settings("[nastaveni]\nzobrazovatBudiky=0\n");
    QByteArray alarms = "[info]\npocetBudiku=100\n";
    for (int i = 1; i <= 100; ++i) {
        alarms += QByteArray::number(i) + "=Budík " + QByteArray::number(i) + '\n';
    }
    for (int i = 1; i <= 100; ++i) {
        const int minute = 5 + i * 14; // spread over the day
        alarms += "[Budík " + QByteArray::number(i) + "]\ncas=" + QByteArray::number(minute / 60 % 24) + ':' +
                  QByteArray::number(minute % 60).rightJustified(2, '0') +
                  ":00\nzprava=Z\nstav=1\nvzdy=1\nposledni=6.12.2026 10:00:00\n";
    }
    test::writeBytes(data("Nastaveni/Budiky.ini"), alarms);
    open(); // Sunday 10:00
    startCountdown("000700", "Konec", true);
    startStopwatch();

    qint64 afterFirstDay = 0;
    qint64 alarmsFileSize = 0;
    qsizetype splitsAfterFirstDay = 0;
    for (int day = 0; day < days; ++day) {
        for (int tick = 0; tick < 8640; ++tick) { // every ten seconds
            runFor(10'000);
            window->tmrPrehravaniZvukuTimer(); // the sounds end after their length
            if (tick % 360 == 0) {
                click("btnTvrMezicas"); // a split every hour
            }
            if (tick % 6 == 0) {
                window->tmrAktualizaceCasuTimer();
                QCoreApplication::processEvents(); // what the window posted to itself (a notice raises it)
            }
        }
        const auto told = [&](const char* text) {
            return std::count_if(questions.notices.begin(), questions.notices.end(),
                                 [&](const auto& n) { return n.text == QString::fromUtf8(text); });
        };
        EXPECT_EQ(told("Z"), 100) << "day " << day << ": every alarm once";
        EXPECT_NEAR(static_cast<double>(told("Konec")), 86400.0 / 420, 1) << "day " << day;
        questions.notices.clear(); // closed by the user
        audio.commands.clear();    // the fake device's log of what it was asked
        if (day == 0) {
            afterFirstDay = residentKiB();
            alarmsFileSize = QFileInfo(data("Nastaveni/Budiky.ini")).size();
            splitsAfterFirstDay = window->stopwatch().splits().items().size();
        }
    }
    const qint64 atEnd = residentKiB();
    std::printf("resident memory after day 1: %lld KiB, after day %d: %lld KiB\n",
                static_cast<long long>(afterFirstDay), days, static_cast<long long>(atEnd));
    if (test::MeasuresResidentMemory) {
        EXPECT_LT(atEnd - afterFirstDay, 4 * 1024) << "memory grows with the days";
    }
    // Only the dates in "posledni" change (a day of two digits is one character longer).
    EXPECT_LE(QFileInfo(data("Nastaveni/Budiky.ini")).size() - alarmsFileSize, 200) << "the alarm file grows";
    EXPECT_EQ(window->stopwatch().splits().items().size(), splitsAfterFirstDay + (days - 1) * 24) << "one split an hour";
}
