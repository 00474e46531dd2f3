#include "app/desktopnotifier.h"

#include "alarms/snooze.h"
#include "sound/soundmanager.h"
#include "storage/inifile.h"
#include "support/fakeaudiodevice.h"
#include "support/fakeclock.h"
#include "support/fakedesktop.h"
#include "support/tempdir.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrok;
using namespace tavrok::test;

namespace {

const QString Bell = QStringLiteral("/data/Zvonek.wav");

class DesktopNotifierTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    IniFile settings{dir.filePath(QStringLiteral("Nastaveni.ini"))};
    FakeClock clock{*tryEncodeDateTime({2026, 12, 7}, {7, 0, 0, 0})};
    FakeAudioDevice device{clock};
    FakeBeeper beeper;
    SoundManager sounds{device, clock, beeper, [](const QString& p) { return p; }, [](int) { return 0; }};
    OdlozeneBudiky snoozed{settings};
    FakeDesktop desktop;
    bool outOfSight = true;
    TextyZvoneni texts;
    DesktopNotifier notifier{{desktop, sounds, clock, settings, snoozed, texts}, [this] { return outOfSight; }};

    void SetUp() override { device.files[Bell] = 60'000; }
    int ringSound() {
        QString chosen;
        return sounds.obhospodarZvuk(true, true, false, false, true, Bell, {}, {}, chosen, 0, clock.utcNow());
    }
    Zazvoneni alarm(const QString& message = QStringLiteral("Vstávej")) {
        return {Zazvoneni::Druh::Budik, QStringLiteral("Ráno"), message, ringSound(), 0};
    }
    void press(quint64 notice, int button) { desktop.press(notice, button); }
};

} // namespace

// Out of sight, a ring goes to the desktop with the alarm's name and message; its button stops the sound
// as the menu does and the notice goes. In sight, or with the setting off, nothing is sent.
TEST_F(DesktopNotifierTest, ARingOutOfSightIsSentAndItsButtonStopsTheSound) {
    const quint64 id = notifier.zazvonilo(alarm());
    ASSERT_EQ(id, 1u);
    EXPECT_EQ(desktop.sent[0].summary, QStringLiteral("Ráno"));
    EXPECT_EQ(desktop.sent[0].body, QStringLiteral("Vstávej"));
    EXPECT_EQ(desktop.captions(0), (QStringList{QString(), QStringLiteral("Vypnout zvuk")})) << "no snooze by default";
    EXPECT_TRUE(device.isPlaying(Bell));
    press(id, 1);
    sounds.tmrPrehravaniZvukuTimer();
    EXPECT_FALSE(device.isPlaying(Bell));
    EXPECT_EQ(desktop.withdrawn, std::vector<quint64>{id});
    press(id, 1);
    EXPECT_EQ(desktop.withdrawn.size(), 1u) << "a notice already answered does nothing";

    outOfSight = false;
    EXPECT_EQ(notifier.zazvonilo(alarm()), 0u);
    outOfSight = true;
    ASSERT_TRUE(settings.writeBool(u"nastaveni", u"oznameniNaPlose", false));
    EXPECT_EQ(notifier.zazvonilo(alarm()), 0u);
    EXPECT_EQ(desktop.sent.size(), 1u);
}

// With snoozing on, an alarm's notice offers it; pressed, the sound ends and the alarm is put off by the
// set length. Closing the box in the program takes the notice back. A late ring says how late.
TEST_F(DesktopNotifierTest, SnoozeFromTheNoticeAndALateRing) {
    ASSERT_TRUE(settings.writeBool(u"nastaveni", u"odkladani", true));
    ASSERT_TRUE(settings.writeInteger(u"nastaveni", u"delkaOdlozeni", 15));
    bool listChanged = false;
    notifier.onSnoozed = [&] { listChanged = true; };
    const quint64 id = notifier.zazvonilo(alarm());
    ASSERT_EQ(desktop.captions(0), (QStringList{QString(), QStringLiteral("Vypnout zvuk"), QStringLiteral("Odložit")}));
    press(id, 2);
    EXPECT_TRUE(listChanged);
    EXPECT_EQ(snoozed.odlozenDo(QStringLiteral("Ráno")), clock.utcNow() + 15.0 / 1440);
    clock.advanceMs(1);
    sounds.tmrPrehravaniZvukuTimer();
    EXPECT_FALSE(device.isPlaying(Bell));

    Zazvoneni late = alarm(QString());
    late.zpozdeni = 95.5 / 1440;
    const quint64 second = notifier.zazvonilo(late);
    EXPECT_EQ(desktop.sent.back().body, QString::fromUtf16(u"Zpožděno o 95 min."));
    notifier.answered(second);
    EXPECT_EQ(desktop.withdrawn.back(), second);

    const quint64 end = notifier.zazvonilo({Zazvoneni::Druh::KonecOdpocitavani, {}, QStringLiteral("Hotovo"), -1, 0});
    EXPECT_EQ(desktop.sent.back().summary, QString::fromUtf16(u"Odpočítávání"));
    EXPECT_EQ(desktop.captions(end - 1), QStringList{QString()}) << "no sound to stop, no alarm to put off";
}

// An advance notice passes by itself and the next one replaces it; rings stay. A notice the desktop
// closed is not taken back again; stopping every sound from the menu takes the rest back, and so does
// the end of the program, after which the desktop's buttons reach nobody.
TEST_F(DesktopNotifierTest, NoticesDoNotOutliveTheirUse) {
    const Zazvoneni advance{Zazvoneni::Druh::UpozorneniPredem, {}, QStringLiteral("Zbývá 0:05:00"), -1, 0};
    const quint64 first = notifier.zazvonilo(advance);
    EXPECT_FALSE(desktop.sent.back().lasting);
    const quint64 second = notifier.zazvonilo(advance);
    EXPECT_EQ(desktop.withdrawn, std::vector<quint64>{first}) << "replaced by the next";

    const quint64 ring = notifier.zazvonilo(alarm());
    EXPECT_TRUE(desktop.sent.back().lasting);
    const quint64 dismissed = notifier.zazvonilo(alarm());
    desktop.onClosed(dismissed);
    notifier.answered(dismissed);
    EXPECT_EQ(desktop.withdrawn.size(), 1u) << "closed by the desktop already";

    notifier.withdrawAll();
    EXPECT_EQ(desktop.withdrawn, (std::vector<quint64>{first, second, ring}));
    notifier.answered(ring);
    EXPECT_EQ(desktop.withdrawn.size(), 3u);

    {
        DesktopNotifier other{{desktop, sounds, clock, settings, snoozed, texts}, [] { return true; }};
        const quint64 left = other.zazvonilo(alarm());
        desktop.withdrawn.clear();
        (void)left;
    }
    EXPECT_EQ(desktop.withdrawn.size(), 1u) << "taken back at the end";
    EXPECT_FALSE(desktop.onButton) << "nobody answers a button after the end";
}
