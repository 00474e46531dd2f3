// The window in the notification area: going there, what the icon shows meanwhile, coming back.
#include "display/trayicon.h"
#include "app/tickplanner.h"
#include "storage/inifile.h"
#include "display/notificationarea.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

class TrayTest : public test::WindowFixture {
protected:
    void checkDoIkony() {
        auto* a = window->findChild<QAction*>(QStringLiteral("mnuDoIkony"));
        ASSERT_TRUE(a && a->isEnabled());
        a->trigger();
        ASSERT_TRUE(a->isChecked());
    }
    void minimise() {
        window->showMinimized();
        QCoreApplication::processEvents(); // the window leaves for the tray once its state has changed
    }
    static int bluePixels(const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                n += image.pixel(x, y) == 0xFF0000FFu;
            }
        }
        return n;
    }
};

} // namespace

TEST_F(TrayTest, MinimisingGoesToTheTrayWhereTheCountdownEmptiesAndADoubleClickOrTheMenuBringsItBack) {
    open();
    checkDoIkony();
    startCountdown("000100");
    minimise();
    EXPECT_FALSE(window->isVisible()) << "the window leaves the taskbar";
    EXPECT_TRUE(tray.visible);
    EXPECT_TRUE(window->notificationArea().shown());
    EXPECT_EQ(tray.toolTip, window->windowTitle());
    EXPECT_EQ(tray.picture.size(), QSize(16, 16));
    EXPECT_EQ(bluePixels(tray.picture), 120 - 22) << "the whole disc is blue at the start, less 1 0 0";
    EXPECT_EQ(qAlpha(tray.picture.pixel(0, 0)), 0) << "the corners are see-through";

    // The next tick comes at the picture's next change (sooner than a frame: at a frame), not next second.
    auto* tmrFunkce = window->findChild<QTimer*>(QStringLiteral("tmrFunkce"));
    ASSERT_TRUE(tmrFunkce->isActive());
    EXPECT_LE(tmrFunkce->remainingTime(), tavrok::tickplan::FrameIntervalMs);
    EXPECT_GE(tmrFunkce->remainingTime(), tavrok::tickplan::FrameIntervalMs - 3);

    runFor(30'000);
    EXPECT_EQ(tray.toolTip, QStringLiteral("O: 0;00:00:30"));
    EXPECT_EQ(bluePixels(tray.picture), 60 - 10) << "the lower six rows are blue, less the strokes of 5 0 there";

    tray.doubleClick();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
    EXPECT_FALSE(tray.visible);
    EXPECT_FALSE(window->notificationArea().shown());
    EXPECT_EQ(digits(), QStringLiteral("00:00:30.000"));

    // The icon's menu restores and ends the program.
    ASSERT_TRUE(tray.menu);
    EXPECT_EQ(tray.menu->defaultAction()->objectName(), QStringLiteral("mnuObnovit"));
    minimise();
    tray.menu->findChild<QAction*>(QStringLiteral("mnuObnovit"))->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(tray.visible);
    minimise();
    ASSERT_TRUE(tray.visible);
    tray.menu->findChild<QAction*>(QStringLiteral("mnuKonec2"))->trigger();
    EXPECT_FALSE(tray.visible) << "closing removes the icon";
    EXPECT_TRUE(IniFile(settingsPath()).readBool(u"stavHlavnihoOkna", u"doIkony", false))
        << "the check mark is kept for the next start";
}

TEST_F(TrayTest, WithoutTheCheckMarkOrANotificationAreaTheWindowMinimisesAsUsual) {
    open();
    minimise();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
    EXPECT_FALSE(tray.visible);
    window->showNormal();

    tray.hasArea = false;
    checkDoIkony();
    minimise();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
    EXPECT_FALSE(tray.visible);
    EXPECT_EQ(questions.notices.size() + questions.asked.size(), 0u) << "and says nothing more";
}

TEST_F(TrayTest, TheIconIsHandedOverOnlyWhenItChangedAndMemoryStaysFlat) {
    open();
    checkDoIkony();
    startCountdown("000140"); // 100 s
    minimise();
    ASSERT_TRUE(tray.visible);
    const int picturesBefore = tray.pictures;
    const quint64 generationBefore = window->notificationArea().trayIcon().picture().generation();
    runFor(1); // the allocations of a first tick are not a leak
    const qint64 before = residentKiB();
    for (int tick = 1; tick < 100'000; ++tick) {
        runFor(1);
    }
    const qint64 grown = residentKiB() - before;
    EXPECT_FALSE(window->countdown().running());
    EXPECT_EQ(static_cast<quint64>(tray.pictures - picturesBefore),
              window->notificationArea().trayIcon().picture().generation() - generationBefore)
        << "one hand-over per new picture";
    EXPECT_LT(tray.pictures - picturesBefore, 3300) << "every distinct picture once, not one per tick";
    EXPECT_LE(tray.toolTips, 110) << "the tooltip changes once a second";
    if (test::MeasuresResidentMemory) {
        EXPECT_LT(grown, 4096) << "KiB grown over 100 000 ticks";
    }
}

TEST_F(TrayTest, ACountdownEndWithAMessageBringsTheWindowBackAndTheIconGoes) {
    open();
    checkDoIkony();
    startCountdown("000005", "Hotovo");
    minimise();
    ASSERT_TRUE(tray.visible);
    bool shownWithTheBox = false;
    questions.whileOpen = [&](int) { shownWithTheBox = window->isVisible() && !tray.visible; };
    runFor(5000);
    ASSERT_EQ(questions.notices.size(), 1u);
    EXPECT_TRUE(shownWithTheBox);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(tray.visible);
}

TEST_F(TrayTest, TheIconFollowsTheCountdownOnlyWhileItOwnsTheTitleAndIsIdleOnceItStops) {
    open();
    startCountdown("000100");
    runFor(1000);
    EXPECT_FALSE(window->notificationArea().trayIcon().nextDue(window->programState().clock.utcNow()))
        << "no icon in the tray: its picture wakes nobody";
    const quint64 drawnWhileShown = window->notificationArea().trayIcon().picture().generation();
    startStopwatch(); // the stopwatch runs and is shown: the title and the picture are its
    runFor(20'000);
    EXPECT_EQ(window->notificationArea().trayIcon().picture().generation(), drawnWhileShown);
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("T: ")));

    click("lblFceOdpocit");
    runFor(1000);
    EXPECT_GT(window->notificationArea().trayIcon().picture().generation(), drawnWhileShown);
    click("btnZapnout"); // stopped
    EXPECT_EQ(window->notificationArea().trayIcon().picture().bitmap(), TrayPicture().bitmap()) << "the ordinary icon again";
}
