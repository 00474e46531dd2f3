// The sound preview of the two dialogs that choose a sound, driven through their buttons, in the suite's
// zone and in one west of UTC: the local time and the sounds' time differ by hours in both directions.
#include "alarms/alarmpanel.h"
#include "alarms/tfrmdalsibudik.h"
#include "countdown/tfrmdalsiodpocit.h"

#include "support/windowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <ctime>
#include <gtest/gtest.h>

using namespace tavrok;
using namespace tavrok::test;

namespace {

struct Case {
    const char* zone;
    bool countdownDialog; // the countdown options; otherwise the alarm details
};

class SoundPreviewTest : public WindowFixture, public ::testing::WithParamInterface<Case> {
protected:
    QString tone;  // 20 s
    QString click; // 0.4 s

    void SetUp() override {
        qputenv("TZ", GetParam().zone);
        tzset();
        WindowFixture::SetUp();
        tone = data("Zvuky/ton.wav");
        click = data("Zvuky/klik.wav");
        audio.files[tone] = 20'000;
        audio.files[click] = 400;
        open();
        if (GetParam().countdownDialog) {
            this->WindowFixture::click("lblFceOdpocit");
        }
    }
    void TearDown() override {
        window.reset();
        qputenv("TZ", "Europe/Prague");
        tzset();
    }
    QWidget* dialog() const {
        return GetParam().countdownDialog ? static_cast<QWidget*>(window->frmDalsiOdpocit())
                                          : window->alarmPanel().frmDalsiBudik();
    }
    template <typename W = QWidget>
    W* control(const char* name) const {
        return childOf<W>(dialog(), name);
    }
    // Opens the dialog, lets `inside` work in it and leaves it with `button`.
    void inDialog(const std::function<void()>& inside, const char* button) {
        editAndPress(
            dialog(),
            [&] {
                control<QCheckBox>(GetParam().countdownDialog ? "chbUpozornovatNaKonci" : "chbUpozornovat")->setChecked(true);
                control<QRadioButton>("rbtVlastniZvuk")->click();
                inside();
            },
            button, [this] { child<QPushButton>("btnDalsi")->click(); });
    }
    void choose(const QString& file) { control<QLineEdit>("edtVlastniZvuk")->setText(file); }
    void press(const char* button) { QTest::mouseClick(control(button), Qt::LeftButton); }
    // Time passes with the sound timer running as often as it does.
    void soundsFor(int ms) {
        for (int t = 0; t < ms; t += 10) {
            clock.advanceMs(10);
            window->tmrPrehravaniZvukuTimer();
        }
    }
    int plays(const QString& file) const { return audio.count(QStringLiteral("play ") + file); }
};

} // namespace

TEST_P(SoundPreviewTest, PlaysOnceStopsAtOnceAndEndsWithTheDialogOrTheMenu) {
    inDialog(
        [&] {
            choose(tone);
            press("btnPlay");
            EXPECT_EQ(plays(tone), 1);
            soundsFor(2000);
            EXPECT_TRUE(audio.isPlaying(tone));
            press("btnStop");
            soundsFor(10);
            EXPECT_FALSE(audio.isPlaying(tone)) << "stopped at the next sound tick";
            EXPECT_TRUE(window->sounds().prehravaneZvuky().empty());
            soundsFor(30'000);
            EXPECT_EQ(plays(tone), 1) << "a stopped preview never starts again";

            press("btnPlay");
            soundsFor(21'000);
            EXPECT_EQ(plays(tone), 2) << "a preview plays once to its end";
            EXPECT_TRUE(window->sounds().prehravaneZvuky().empty());

            press("btnPlay");
            soundsFor(1000);
            window->findChild<QAction*>(QStringLiteral("mnuVypnoutUpozorneni"))->trigger();
            soundsFor(30'000);
            EXPECT_FALSE(audio.isPlaying(tone)) << "the menu silences a preview too";
            EXPECT_EQ(plays(tone), 3);
        },
        "btnOK");

    inDialog(
        [&] {
            choose(click);
            press("btnPlay");
            soundsFor(2000);
        },
        "btnStorno");
    soundsFor(10);
    EXPECT_TRUE(window->sounds().prehravaneZvuky().empty());
    soundsFor(5000);
    clock.advanceMs(3 * 3'600'000.0); // hours later
    soundsFor(100);
    EXPECT_EQ(plays(click), 1) << "cancelled: never again";

    inDialog(
        [&] {
            choose(tone);
            press("btnPlay");
            soundsFor(500);
        },
        "btnStorno");
    soundsFor(10);
    EXPECT_FALSE(audio.isPlaying(tone)) << "closing the dialog stops a preview still playing";
}

INSTANTIATE_TEST_SUITE_P(Zones, SoundPreviewTest,
                         ::testing::Values(Case{"Europe/Prague", false}, Case{"Europe/Prague", true},
                                           Case{"America/New_York", false}, Case{"America/New_York", true}),
                         [](const auto& param) {
                             return std::string(param.param.zone[0] == 'E' ? "Prague" : "NewYork") +
                                    (param.param.countdownDialog ? "CountdownOptions" : "AlarmDetails");
                         });
