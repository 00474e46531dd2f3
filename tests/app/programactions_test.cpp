// The one set of actions every input calls, on the real main window: what each does, what it refuses and
// why, and what it tells its watchers.
#include "app/programactions.h"
#include "support/windowfixture.h"

#include <QComboBox>
#include <QMessageBox>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

class ProgramActionsTest : public test::WindowFixture {
protected:
    ProgramActions& actions() { return window->actions(); }
    QString message(int n) { return window->messageTable().text(n); }
    int splits() { return child<QComboBox>("cbxMezicasy")->count(); }
};

} // namespace

TEST_F(ProgramActionsTest, TheStopwatchStartsTakesSplitsStopsAndResets) {
    open();
    QSignalSpy taken(&actions(), &ProgramActions::splitTaken);
    const ActionResult early = actions().split();
    EXPECT_FALSE(early.done);
    EXPECT_EQ(early.why, message(MessageTable::StopwatchNotRunning));

    EXPECT_TRUE(actions().stopwatchStart().done);
    runFor(1500);
    EXPECT_TRUE(actions().split().done);
    EXPECT_TRUE(actions().stopwatchStart().done) << "running: nothing changes";
    const ActionResult reset = actions().stopwatchReset();
    EXPECT_FALSE(reset.done);
    EXPECT_EQ(reset.why, message(MessageTable::ResetWhileRunning));
    runFor(1000);
    EXPECT_TRUE(actions().split().done);
    ASSERT_EQ(taken.count(), 2);
    EXPECT_EQ(toMilliseconds(taken[1][0].value<TDateTime>()), 2500);
    EXPECT_TRUE(actions().stopwatchStop().done);
    EXPECT_FALSE(window->stopwatch().running());
    EXPECT_EQ(toMilliseconds(window->stopwatch().elapsed()), 2500);
    EXPECT_TRUE(actions().stopwatchStop().done) << "stopped: nothing changes";
    EXPECT_TRUE(actions().stopwatchReset().done);
    EXPECT_EQ(window->stopwatch().elapsed(), 0);
}

TEST_F(ProgramActionsTest, TheCountdownTakesALengthStartsPausesGoesOnAndStops) {
    open();
    QSignalSpy ended(&actions(), &ProgramActions::countdownEnded);
    const ActionResult empty = actions().countdownStart();
    EXPECT_FALSE(empty.done);
    EXPECT_EQ(empty.why, message(2)) << "no time set";
    EXPECT_FALSE(actions().countdownPause().done);
    EXPECT_EQ(actions().countdownPause().why, message(MessageTable::CountdownNotRunning));

    ASSERT_TRUE(actions()
                    .run(parseCommandLine({QStringLiteral("--countdown-length"), QStringLiteral("0:00:10"),
                                           QStringLiteral("--countdown"), QStringLiteral("start")})
                             .commands)
                    .done);
    EXPECT_TRUE(window->countdown().running());
    const ActionResult busy = actions().countdownLength(1.0 / 24);
    EXPECT_FALSE(busy.done);
    EXPECT_EQ(busy.why, message(MessageTable::LengthWhileCounting));
    runFor(4000);
    EXPECT_TRUE(actions().countdownPause().done);
    EXPECT_TRUE(window->countdown().paused());
    runFor(60'000);
    EXPECT_TRUE(actions().countdownStart().done) << "goes on";
    runFor(5900);
    EXPECT_EQ(ended.count(), 0);
    runFor(200);
    EXPECT_EQ(ended.count(), 1) << "ten seconds of counting, the pause not counted";
    EXPECT_TRUE(actions().countdownStop().done);
}

// While a box waits for an answer, the engines still start, stop and take splits (a ring's box must not
// hold up a start switch); only a new countdown length waits, and the refusal names it. A run of several
// steps stops at the first refused.
TEST_F(ProgramActionsTest, ABoxOpenRefusesOnlyANewLength) {
    open();
    ASSERT_TRUE(actions().stopwatchStart().done);
    std::vector<ActionResult> meanwhile;
    questions.whileOpen = [&](int) {
        meanwhile.push_back(actions().split());
        meanwhile.push_back(actions().run(
            parseCommandLine({QStringLiteral("--show"), QStringLiteral("--stopwatch"), QStringLiteral("stop"),
                              QStringLiteral("--countdown-length"), QStringLiteral("0:01:00"),
                              QStringLiteral("--stopwatch"), QStringLiteral("start")})
                .commands));
        meanwhile.push_back(actions().countdownStart());
    };
    QMessageBox box; // a modal box as the user sees it
    QTimer::singleShot(0, &box, [&] {
        questions.notify(QStringLiteral("Tavrok"), QStringLiteral("..."));
        box.reject();
    });
    box.exec();
    ASSERT_EQ(meanwhile.size(), 3u);
    EXPECT_TRUE(meanwhile[0].done) << "a split is a moment: taken";
    EXPECT_EQ(splits(), 2) << "a separator and the split";
    EXPECT_FALSE(meanwhile[1].done);
    EXPECT_EQ(meanwhile[1].why,
              fillPlaceholders(message(MessageTable::CommandWhileBox), QStringLiteral("--countdown-length")));
    EXPECT_FALSE(window->stopwatch().running()) << "stopped, and not started again after the refused step";
    EXPECT_EQ(meanwhile[2].why, message(2)) << "past the box, the countdown's own rule answers";
    EXPECT_TRUE(actions().countdownLength(1.0 / 1440).done) << "once the box is closed";
}

// The close saves the state before it asks its questions: a start answered then would be lost, so until
// the close is called off only showing the window is done.
TEST_F(ProgramActionsTest, WhileTheProgramClosesOnlyShowingIsDone) {
    open();
    ASSERT_TRUE(actions()
                    .run(parseCommandLine({QStringLiteral("--countdown-length"), QStringLiteral("0:01:00"),
                                           QStringLiteral("--countdown"), QStringLiteral("start"),
                                           QStringLiteral("--countdown"), QStringLiteral("pause")})
                             .commands)
                    .done);
    std::vector<ActionResult> meanwhile;
    questions.whileOpen = [&](int) {
        meanwhile.push_back(actions().stopwatchStart());
        meanwhile.push_back(actions().show());
    };
    questions.script({Answer::No}); // the countdown is paused: close anyway? No
    EXPECT_FALSE(window->close());
    ASSERT_EQ(meanwhile.size(), 2u);
    EXPECT_FALSE(meanwhile[0].done);
    EXPECT_EQ(meanwhile[0].why,
              fillPlaceholders(message(MessageTable::CommandWhileBox), QStringLiteral("--stopwatch start")));
    EXPECT_FALSE(window->stopwatch().running());
    EXPECT_TRUE(meanwhile[1].done);
    questions.whileOpen = nullptr;
    EXPECT_TRUE(actions().stopwatchStart().done) << "the close was called off";
}

TEST_F(ProgramActionsTest, ShowBringsTheWindowBackAndARingIsTold) {
    dailyAlarms({{"Čaj", "10:00:05"}});
    open();
    QSignalSpy rang(&actions(), &ProgramActions::alarmRang);
    window->showMinimized();
    EXPECT_TRUE(actions().show().done);
    EXPECT_FALSE(window->isMinimized());
    runFor(5000);
    ASSERT_EQ(rang.count(), 1);
    EXPECT_EQ(rang[0][0].toString(), QStringLiteral("Čaj"));
}
