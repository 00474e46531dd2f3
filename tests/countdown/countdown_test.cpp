#include "countdown/countdown.h"

#include "sound/soundmanager.h"
#include "storage/inifile.h"
#include "support/fakeaudiodevice.h"
#include "support/fakeclock.h"
#include "support/tempdir.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrok;
using namespace tavrok::test;

namespace {

TDateTime seconds(double s) {
    return s / 86400.0;
}

class CountdownTest : public ::testing::Test {
protected:
    FakeClock clock{*tryEncodeDateTime({2026, 12, 7}, {9, 0, 0, 0})};
    FakeAudioDevice device{clock};
    FakeBeeper beeper;
    SoundManager sounds{device, clock, beeper, [](const QString& p) { return p; }, [](int) { return 0; }};
    Countdown countdown{{sounds, device, beeper, [](const QString& r) { return QStringLiteral("/data/") + r; }}};
    TDalsiOdpocit options;

    void SetUp() override {
        device.files[QStringLiteral("/data/Zvuky\\Standard\\Signald.wav")] = 2000;
        device.files[QStringLiteral("/data/Zvuky\\Standard\\Signalk.wav")] = 400;
    }
    Countdown::Tick at(double secondsFromStart, bool repeat = false, bool soundOn = true) {
        clock.setUtc(countdown.start() + seconds(secondsFromStart));
        return countdown.tick(clock.utcNow(), soundOn, repeat, options);
    }
    int plays(const QString& relative) const { return device.count(QStringLiteral("play /data/") + relative); }
};

} // namespace

TEST_F(CountdownTest, AZeroLengthDoesNotStart) {
    EXPECT_FALSE(countdown.zapniOdpocit(0, clock.utcNow(), options));
    EXPECT_FALSE(countdown.running());
    EXPECT_TRUE(countdown.zapniOdpocit(seconds(10), clock.utcNow(), options));
    EXPECT_TRUE(countdown.running());
}

TEST_F(CountdownTest, NoticesSoundAtTheirSecondsAndTooLongOnesAreSkipped) {
    options.upozornovatPredem = true;
    options.predem = {3, 5};
    ASSERT_TRUE(countdown.zapniOdpocit(seconds(10), clock.utcNow(), options));
    EXPECT_EQ(countdown.nextWarningIndex(), 1);
    for (const auto& [t, played] : {std::pair{4.9, 0}, {5.0, 1}, {6.0, 1}, {7.0, 2}}) { // 5 s and 3 s left
        at(t);
        EXPECT_EQ(plays(QStringLiteral("Zvuky\\Standard\\Signalk.wav")), played) << t << " s";
    }

    Countdown four{{sounds, device, beeper, [](const QString& r) { return QStringLiteral("/data/") + r; }}};
    ASSERT_TRUE(four.zapniOdpocit(seconds(4), clock.utcNow(), options));
    EXPECT_EQ(four.nextWarningIndex(), 0) << "a 4 s countdown skips the 5 s notice";
}

TEST_F(CountdownTest, NoticeSoundsFallBackFromTheNumberedFileToTheBeep) {
    options.upozornovatPredem = true;
    options.pridatCislo = true;
    options.zvuky = QStringLiteral("Moje");
    options.predem = {2};
    device.files[QStringLiteral("/data/Zvuky\\Moje\\Signalk2.wav")] = 300;
    ASSERT_TRUE(countdown.zapniOdpocit(seconds(3), clock.utcNow(), options));
    at(1);
    EXPECT_EQ(plays(QStringLiteral("Zvuky\\Moje\\Signalk2.wav")), 1);

    device.files.clear();
    device.commands.clear();
    (void)countdown.zapniOdpocit(seconds(3), clock.utcNow(), options); // running or not: stopped at once
    countdown.vypniOdpocit();
    ASSERT_TRUE(countdown.zapniOdpocit(seconds(3), clock.utcNow(), options));
    at(1);
    EXPECT_EQ(device.commands, (QStringList{QStringLiteral("play /data/Zvuky\\Moje\\Signalk2.wav"),
                                            QStringLiteral("play /data/Zvuky\\Moje\\Signalk.wav"),
                                            QStringLiteral("play /data/Zvuky\\Standard\\Signalk.wav")}));
    EXPECT_EQ(beeper.beeps, 1);
}

TEST_F(CountdownTest, WithSoundOffANoticeIsStillConsumed) {
    options.upozornovatPredem = true;
    options.predem = {1, 2};
    ASSERT_TRUE(countdown.zapniOdpocit(seconds(5), clock.utcNow(), options));
    at(3.5, false, false);
    EXPECT_EQ(countdown.nextWarningIndex(), 0);
    EXPECT_TRUE(device.commands.isEmpty());
}

TEST_F(CountdownTest, PausingAMinuteMovesTheEndByAMinuteAndStopKeepsTheTimeLeft) {
    ASSERT_TRUE(countdown.zapniOdpocit(seconds(60), clock.utcNow(), options));
    const UtcTime plannedEnd = countdown.end();
    at(30);
    countdown.pauza(clock.utcNow());
    EXPECT_TRUE(countdown.paused());
    EXPECT_FALSE(countdown.running());
    clock.advanceMs(60'000);
    countdown.pokracovat(clock.utcNow());
    EXPECT_EQ(toMilliseconds(countdown.end() - plannedEnd), 60'000);
    countdown.tick(clock.utcNow(), true, false, options);
    EXPECT_EQ(toMilliseconds(countdown.left()), 30'000) << "the display resumes from 30 s";
    at(34);
    countdown.vypniOdpocit();
    EXPECT_FALSE(countdown.running());
    EXPECT_EQ(toMilliseconds(countdown.left()), 26'000);
}

TEST_F(CountdownTest, ARepeatingSecondEndsExactlyEverySecondWhateverTheTicks) {
    ASSERT_TRUE(countdown.zapniOdpocit(seconds(1), clock.utcNow(), options));
    const UtcTime first = countdown.start();
    int ends = 0;
    for (double t = 0.013; t < 60.0; t += 0.137) { // late, irregular ticks
        clock.setUtc(first + seconds(t));
        const Countdown::Tick tick = countdown.tick(clock.utcNow(), true, true, options);
        if (tick.ended) {
            ++ends;
            EXPECT_EQ(toMilliseconds(tick.endMoment - first), ends * 1000) << "end " << ends;
        }
    }
    EXPECT_EQ(ends, 59);
    EXPECT_TRUE(countdown.running());
}

TEST_F(CountdownTest, WithoutRepeatTheSetLengthOrZeroIsShownAgain) {
    ASSERT_TRUE(countdown.zapniOdpocit(seconds(10), clock.utcNow(), options));
    const Countdown::Tick t = at(10.002);
    EXPECT_TRUE(t.ended);
    EXPECT_EQ(toMilliseconds(t.lateness), 2);
    EXPECT_FALSE(countdown.running());
    EXPECT_EQ(toMilliseconds(countdown.left()), 10'000);
    EXPECT_GE(t.endSoundId, 0);
    EXPECT_EQ(plays(QStringLiteral("Zvuky\\Standard\\Signald.wav")), 1);

    options.nechatOdpocit = true;
    ASSERT_TRUE(countdown.zapniOdpocit(seconds(10), clock.utcNow(), options));
    at(11);
    EXPECT_EQ(countdown.left(), 0);
}

TEST_F(CountdownTest, TheRandomEndSoundIsChosenFiveSecondsEarly) {
    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("song.mp3"));
    test::writeBytes(song, "x");
    device.files[song] = 3000;
    options.naKonci.nahodnyZvuk = true;
    options.naKonci.nahodnyZvukCesta = dir.path();
    ASSERT_TRUE(countdown.zapniOdpocit(seconds(20), clock.utcNow(), options));
    EXPECT_EQ(toMilliseconds(*countdown.nextDue(true, options) - countdown.start()), 15'000);
    at(14.9);
    EXPECT_TRUE(countdown.soundState().isEmpty());
    at(15);
    EXPECT_EQ(countdown.soundState(), song);
    EXPECT_TRUE(device.commands.contains(QStringLiteral("prepare ") + song));
    EXPECT_FALSE(device.commands.contains(QStringLiteral("play ") + song));
    at(20);
    EXPECT_TRUE(device.commands.contains(QStringLiteral("play ") + song));
}

TEST_F(CountdownTest, TheStopwatchAtTheEnd) {
    EXPECT_EQ(stopwatchAtEnd(options, false, false), StopwatchAtEnd::Nothing);
    options.spustitTavrok = true;
    EXPECT_EQ(stopwatchAtEnd(options, false, false), StopwatchAtEnd::Start);
    EXPECT_EQ(stopwatchAtEnd(options, true, false), StopwatchAtEnd::Nothing) << "never while repeating";
    EXPECT_EQ(stopwatchAtEnd(options, false, true), StopwatchAtEnd::Ask);
    options.spustitTavrokZnovu = true;
    EXPECT_EQ(stopwatchAtEnd(options, false, true), StopwatchAtEnd::Restart);
    options.nespoustetTavrok = true;
    EXPECT_EQ(stopwatchAtEnd(options, false, false), StopwatchAtEnd::Nothing);
}

TEST(CountdownOptions, DefaultsAndTheNoticeList) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("Nastaveni.ini")));
    const TDalsiOdpocit d = nactiDalsiOdp(ini); // each key read with its own default
    EXPECT_FALSE(d.upozornovatPredem);
    EXPECT_TRUE(d.predem.isEmpty());
    EXPECT_EQ(d.zvuky, QStringLiteral("Standard"));
    EXPECT_TRUE(d.naKonci.upozornovat);
    EXPECT_TRUE(d.procenta && d.graf);
    test::writeBytes(ini.path(), "[dalsiNastaveniOdpocit]\npocetUpozorneni=3\nupozornovatNaKonci=0\n"
                                 "[dalsiNastaveniOdpocit-Upozorneni]\n0=10\n2=60\n[nastaveni]\nnechatOdpocit=1\n");
    const TDalsiOdpocit o = nactiDalsiOdp(ini);
    EXPECT_EQ(o.predem, (QList<int>{10, 2, 60})) << "a missing key i reads as i + 1";
    EXPECT_FALSE(o.naKonci.upozornovat);
    EXPECT_TRUE(o.nechatOdpocit);
}
