// Rings the user may not see: the desktop's notifications while the window is out of sight, alarms put
// off (from the box, from the notice, across a restart, cancelled from the menu) and alarms due while the
// computer slept.
#include "alarms/alarmpanel.h"
#include "alarms/tfrmzmeskanebudiky.h"
#include "storage/inifile.h"
#include "support/fakedesktop.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

constexpr double MinuteMs = 60'000;

class RingsOutOfSightTest : public test::WindowFixture {
protected:
    test::FakeDesktop desktop;

    void SetUp() override {
        WindowFixture::SetUp();
        notifications = &desktop;
    }
    // The window takes its notices back as it goes: before the desktop does.
    void TearDown() override { window.reset(); }
    QComboBox* names() const { return child<QComboBox>("cbxBudiky"); }
    QString dateLabel() const { return child<QLabel>("lblDatumBudiku")->text(); }
    QString bellPath() const { return window->standardSound(u"Zvonek.wav"); }
    // The mark and the tip the name box's list gives an alarm.
    bool markedSnoozed(const QString& name) const {
        const int i = names()->findText(name);
        EXPECT_GE(i, 0) << name.toStdString();
        return !names()->itemIcon(i).isNull() && !names()->itemData(i, Qt::ToolTipRole).toString().isEmpty();
    }
    QAction* cancelSnooze() {
        // The menu decides whether the item is offered as it opens.
        emit child<QMenu>("mnuSoubor")->aboutToShow();
        return child<QAction>("mnuZrusitOdlozeni");
    }
    QByteArray settingsFile() const { return test::readBytes(settingsPath()); }
    // An option changed while the program runs, as the settings dialog writes it.
    void option(const char16_t* key, bool on) {
        ASSERT_TRUE(window->programState().storage.settingsIni().writeBool(u"nastaveni", key, on));
    }
};

} // namespace

// Minimised, a ring also goes to the desktop with the alarm's name and message; its "Vypnout zvuk" stops
// the sound while the program's box is still open, and the notice goes with the box. With the window in
// sight, or the setting off, only the box appears.
TEST_F(RingsOutOfSightTest, ARingWhileMinimisedIsOnTheDesktopAndItsButtonStopsTheSound) {
    settings("[nastaveni]\nodkladani=1\n");
    dailyAlarms({{"Čaj", "10:00:05", "Konvice"}, {"Oběd", "10:00:15"}, {"Svačina", "10:00:25"}, {"Večeře", "10:00:35"}});
    open();
    window->showMinimized();
    bool pressed = false;
    questions.whileOpen = [&](int) {
        ASSERT_EQ(desktop.sent.size(), 1u);
        EXPECT_EQ(desktop.sent[0].summary, QStringLiteral("Čaj"));
        EXPECT_EQ(desktop.sent[0].body, QStringLiteral("Konvice"));
        EXPECT_EQ(desktop.captions(0), (QStringList{QString(), QStringLiteral("Vypnout zvuk"), QStringLiteral("Odložit")}));
        EXPECT_TRUE(audio.isPlaying(bellPath()));
        desktop.press(1, 1);
        EXPECT_FALSE(audio.isPlaying(bellPath())) << "silenced from the desktop, the box still open";
        pressed = true;
    };
    runFor(5000);
    ASSERT_TRUE(pressed);
    EXPECT_EQ(questions.snoozeOffered, QStringList{QStringLiteral("Odložit")});
    EXPECT_EQ(desktop.withdrawn, std::vector<quint64>{1});

    questions.whileOpen = nullptr;
    window->showNormal();
    runFor(10'000);
    EXPECT_EQ(questions.notices.size(), 2u);
    EXPECT_EQ(desktop.sent.size(), 1u) << "in sight: the box alone";

    window->hide(); // as in the notification area
    runFor(10'000);
    ASSERT_EQ(desktop.sent.size(), 2u) << "hidden: on the desktop too";
    EXPECT_EQ(desktop.sent[1].summary, QStringLiteral("Svačina"));
    EXPECT_EQ(desktop.withdrawn.size(), 2u) << "its box was closed: the notice goes";

    option(u"oznameniNaPlose", false);
    runFor(10'000);
    EXPECT_EQ(questions.notices.size(), 4u);
    EXPECT_EQ(desktop.sent.size(), 2u) << "the setting is off";
}

// Put off from its box, an alarm is marked in the list and says when it rings again; it rings then with
// its own message, may be put off again, and once cancelled from the menu it does not come back.
TEST_F(RingsOutOfSightTest, ASnoozedAlarmIsListedRingsAgainAndCanBeCancelled) {
    settings("[nastaveni]\nodkladani=1\ndelkaOdlozeni=5\n");
    dailyAlarms({{"Čaj", "10:00:05", "Konvice"}, {"Oběd", "12:00:00"}});
    open();
    EXPECT_FALSE(cancelSnooze()->isEnabled()) << "nothing is put off";
    questions.snoozeAnswers = 1;
    runFor(5000);
    ASSERT_EQ(questions.notices.size(), 1u);
    EXPECT_TRUE(markedSnoozed(QStringLiteral("Čaj")));
    EXPECT_FALSE(markedSnoozed(QStringLiteral("Oběd")));
    names()->setCurrentIndex(names()->findText(QStringLiteral("Čaj")));
    runFor(1000);
    EXPECT_EQ(dateLabel(), QStringLiteral("Odlož. 10:05"));
    EXPECT_EQ(child<QLabel>("lblDatumBudiku")->toolTip(), QStringLiteral("Odloženo do 10:05"));
    EXPECT_TRUE(settingsFile().contains("[odlozeneBudiky]"));

    questions.snoozeAnswers = 1; // and once more
    minutesPass(5);
    ASSERT_EQ(questions.notices.size(), 2u) << "rang again after five minutes";
    EXPECT_EQ(questions.notices[1].text, QStringLiteral("Konvice"));
    EXPECT_EQ(dateLabel(), QStringLiteral("Odlož. 10:10"));

    click("lblFceTavrok");
    EXPECT_FALSE(cancelSnooze()->isEnabled()) << "the name box is not shown";
    click("lblFceBudik");
    ASSERT_TRUE(cancelSnooze()->isEnabled());
    cancelSnooze()->trigger();
    EXPECT_FALSE(markedSnoozed(QStringLiteral("Čaj")));
    EXPECT_EQ(dateLabel(), QStringLiteral("7.12.2026 Po")) << "its next regular ring again";
    EXPECT_FALSE(settingsFile().contains("[odlozeneBudiky]"));
    minutesPass(10);
    EXPECT_EQ(questions.notices.size(), 2u) << "cancelled: no third ring";
}

// Put off from the desktop's notice while the box is open, the alarm survives closing the program and
// rings at the next start, five minutes after the snooze, with its sound and message.
TEST_F(RingsOutOfSightTest, AnAlarmSnoozedFromTheDesktopRingsAgainAfterARestart) {
    settings("[nastaveni]\nodkladani=1\ndelkaOdlozeni=5\n");
    dailyAlarms({{"Čaj", "10:00:05", "Konvice"}});
    open();
    window->showMinimized();
    questions.whileOpen = [&](int) {
        desktop.press(1, 2);
        questions.whileOpen = nullptr;
    };
    runFor(5000);
    clock.advanceMs(100);
    window->programState().sounds.tmrPrehravaniZvukuTimer(); // the sound's own timer ends it
    EXPECT_FALSE(audio.isPlaying(bellPath())) << "put off: the sound ends";
    ASSERT_TRUE(window->close());
    window.reset();

    clock.advanceMs(2 * MinuteMs); // closed for two minutes
    open();
    EXPECT_TRUE(markedSnoozed(QStringLiteral("Čaj")));
    const qsizetype rings = questions.notices.size();
    minutesPass(2.5);
    EXPECT_EQ(questions.notices.size(), rings) << "not before its time";
    minutesPass(0.6);
    ASSERT_EQ(questions.notices.size(), rings + 1);
    EXPECT_EQ(questions.notices.back().text, QStringLiteral("Konvice"));
    EXPECT_TRUE(audio.commands.contains(QStringLiteral("play ") + bellPath()));
    EXPECT_FALSE(markedSnoozed(QStringLiteral("Čaj")));
}

// After a sleep past an alarm, with the limit on lateness set, the alarm is listed among the missed ones
// and the list is shown once, without a ring; without the limit it rings and says how late.
TEST_F(RingsOutOfSightTest, AnAlarmDueDuringASleepIsMissedBeyondTheLimitAndSaysHowLateOtherwise) {
    settings("[nastaveni]\nnezvonitZpozdene=1\nzpozdeniMinut=15\n");
    dailyAlarms({{"Budíček", "10:01:00", "Vstávej"}});
    open();
    // The list of missed alarms is a modal window: counted and closed as it comes.
    QDialog* list = window->alarmPanel().frmZmeskaneBudiky();
    int listsShown = 0;
    QObject::connect(list, &QDialog::finished, [&] { ++listsShown; });
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [list] {
        if (list->isVisible()) {
            list->reject();
        }
    });
    closer.start(10);
    clock.advanceMs(30 * MinuteMs); // asleep until 10:30
    runFor(1000);
    EXPECT_TRUE(questions.notices.empty()) << "half an hour late: not rung";
    const auto& missed = window->programState().zmeskaneBudiky.seznam;
    ASSERT_EQ(missed.size(), 1u);
    EXPECT_EQ(missed[0].nazev, QStringLiteral("Budíček"));
    EXPECT_EQ(listsShown, 1) << "listed once, though the sleep and the limit both found it";

    option(u"nezvonitZpozdene", false);
    clock.advanceMs(24 * 60 * MinuteMs); // asleep until 10:30 the next day
    runFor(1000);
    ASSERT_EQ(questions.notices.size(), 1u);
    EXPECT_EQ(questions.notices[0].text, QString::fromUtf16(u"Vstávej\nZpožděno o 29 min."));
}

// A snooze due while the computer slept is late as any alarm: beyond the limit it is listed among the
// missed alarms, within it (or without one) it rings and says how late. An alarm's own regular ring
// ends its snooze.
TEST_F(RingsOutOfSightTest, ASnoozeDueDuringASleepIsLateAsAnyAlarmAndARegularRingEndsIt) {
    settings("[nastaveni]\nodkladani=1\ndelkaOdlozeni=5\nnezvonitZpozdene=1\nzpozdeniMinut=15\nzobrazovatBudiky=0\n");
    dailyAlarms({{"Čaj", "10:00:05", "Konvice"}, {"Oběd", "11:00:00", "Polévka"}});
    open();
    questions.snoozeAnswers = 1;
    runFor(5000);
    clock.advanceMs(30 * MinuteMs); // asleep from 10:00:05 until 10:30:05
    runFor(1000);
    ASSERT_EQ(questions.notices.size(), 1u) << "put off until 10:05, 25 minutes late: not rung";
    const auto& missed = window->programState().zmeskaneBudiky.seznam;
    ASSERT_EQ(missed.size(), 1u);
    EXPECT_EQ(missed[0].nazev, QStringLiteral("Čaj"));
    EXPECT_FALSE(markedSnoozed(QStringLiteral("Čaj")));

    option(u"nezvonitZpozdene", false);
    questions.snoozeAnswers = 1;
    minutesPass(30); // Oběd at 11:00, put off until 11:05
    ASSERT_EQ(questions.notices.size(), 2u);
    clock.advanceMs(20 * MinuteMs); // asleep until about 11:20
    runFor(1000);
    ASSERT_EQ(questions.notices.size(), 3u);
    EXPECT_TRUE(questions.notices[2].text.startsWith(QString::fromUtf16(u"Polévka\nZpožděno o 15 min.")))
        << questions.notices[2].text.toStdString();

    // Put off for two hours from a ring at 11:25, then moved by the user to ring at 11:30: that ring ends
    // the snooze, which would have rung again at 13:25.
    ASSERT_TRUE(window->programState().storage.settingsIni().writeInteger(u"nastaveni", u"delkaOdlozeni", 120));
    const auto moveAlarm = [this](const char* digits) {
        names()->setEditText(QStringLiteral("Čaj"));
        click("btnBudNacist");
        typeOnDigits(digits);
        click("btnBudUlozit");
    };
    moveAlarm("112500");
    questions.snoozeAnswers = 1;
    minutesPass(5);
    ASSERT_EQ(questions.notices.size(), 4u) << "Čaj at 11:25";
    EXPECT_TRUE(markedSnoozed(QStringLiteral("Čaj")));
    moveAlarm("113000");
    minutesPass(5);
    ASSERT_EQ(questions.notices.size(), 5u) << "Čaj at 11:30";
    EXPECT_FALSE(markedSnoozed(QStringLiteral("Čaj")));
    minutesPass(125);
    EXPECT_EQ(questions.notices.size(), 5u) << "the snooze went with the regular ring";
}

// A countdown ending out of sight goes to the desktop with its message, and so do its advance notices,
// each passing by itself and replaced by the next.
TEST_F(RingsOutOfSightTest, ACountdownsAdvanceNoticesAndEndGoToTheDesktop) {
    settings("[dalsiNastaveniOdpocit]\nupozornovatPredem=1\npocetUpozorneni=2\n"
             "[dalsiNastaveniOdpocit-Upozorneni]\n0=2\n1=3\n");
    open();
    startCountdown("000005", "Hotovo");
    window->showMinimized();
    runFor(2000);
    ASSERT_EQ(desktop.sent.size(), 1u) << "three seconds left";
    EXPECT_TRUE(desktop.sent[0].body.startsWith(QString::fromUtf16(u"Zbývá"))) << desktop.sent[0].body.toStdString();
    EXPECT_FALSE(desktop.sent[0].lasting);
    runFor(1000);
    ASSERT_EQ(desktop.sent.size(), 2u) << "two seconds left";
    EXPECT_EQ(desktop.withdrawn, std::vector<quint64>{1}) << "the first replaced";
    runFor(2000);
    ASSERT_EQ(desktop.sent.size(), 3u);
    EXPECT_EQ(desktop.sent[2].summary, QString::fromUtf16(u"Odpočítávání"));
    EXPECT_EQ(desktop.sent[2].body, QStringLiteral("Hotovo"));
    EXPECT_TRUE(desktop.sent[2].lasting);
    ASSERT_EQ(questions.notices.size(), 1u);
    EXPECT_EQ(desktop.withdrawn, (std::vector<quint64>{1, 2, 3})) << "the end replaced the notice; its box closed";
}
