#include "sound/soundmanager.h"

#include "support/fakeaudiodevice.h"
#include "support/fakeclock.h"
#include "support/tempdir.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrok;
using namespace tavrok::test;

namespace {

const QString Standard = QStringLiteral("/data/Zvonek.wav");
const QString Own = QStringLiteral("/home/jana/budik.mp3");

class SoundManagerTest : public ::testing::Test {
protected:
    FakeClock clock{*tryEncodeDateTime({2026, 12, 7}, {7, 0, 0, 0})};
    FakeAudioDevice device{clock};
    FakeBeeper beeper;
    int nextRandom = 0;
    SoundManager sounds{device, clock, beeper, [](const QString& p) { return p; },
                        [this](int count) { return nextRandom % count; }};
    QString chosen;

    void SetUp() override { device.files[Standard] = 3000; }

    int ring(bool opakovat, int delka, bool vlastni = false, const QString& own = Own) {
        return sounds.obhospodarZvuk(true, true, vlastni, false, opakovat, Standard, own, {}, chosen, delka,
                                     clock.utcNow());
    }
    void after(double ms) {
        clock.advanceMs(ms);
        sounds.tmrPrehravaniZvukuTimer();
    }
};

} // namespace

TEST_F(SoundManagerTest, ARepeatingSoundRestartsUntilEndedOrStopped) {
    EXPECT_EQ(ring(true, 0), 0);
    EXPECT_EQ(device.count(QStringLiteral("play ") + Standard), 1);
    after(2000);
    EXPECT_EQ(device.count(QStringLiteral("play ") + Standard), 1) << "still playing: not restarted";
    after(1000);
    EXPECT_EQ(device.count(QStringLiteral("play ") + Standard), 2) << "ended: restarted";
    after(60'000);
    EXPECT_EQ(sounds.prehravaneZvuky().size(), 1u);

    device.files[Own] = 2000;
    const int own = ring(true, 0, true);
    sounds.ukoncitZvuk(0); // one sound can be ended early
    after(1);
    ASSERT_EQ(sounds.prehravaneZvuky().size(), 1u);
    EXPECT_EQ(sounds.prehravaneZvuky()[0].id, own);
    EXPECT_EQ(device.count(QStringLiteral("stop ") + Standard), 1);
    sounds.vypnoutUpozorneni();
    EXPECT_TRUE(sounds.prehravaneZvuky().empty());
    EXPECT_EQ(device.count(QStringLiteral("stop ") + Own), 1);
}

// A sound ends at its length with a stop, or at the end of its file by itself; played once it is never
// restarted, and a negative length ends it at the next tick.
TEST_F(SoundManagerTest, ASoundEndsAtItsLengthOrAtTheEndOfItsFile) {
    const struct {
        bool repeat;
        int length;
        double endsAfter; // ms
        int plays;
        int stops;
    } cases[] = {
        {true, 5000, 5000, 2, 1},    // restarted when the file ended, stopped at the length
        {false, 0, 3000, 1, 0},      // once: the file's own end, no stop needed
        {false, 1000, 1000, 1, 1},   // a length shorter than the file stops it early
        {false, 10'000, 3000, 1, 0}, // a longer one plays the file once to its end
        {true, -500, 0, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "repeat " << c.repeat << ", length " << c.length);
        device.stop(Standard); // each row starts with a silent device
        device.commands.clear();
        ring(c.repeat, c.length);
        if (c.endsAfter > 0) {
            after(c.endsAfter - 1);
            EXPECT_EQ(sounds.prehravaneZvuky().size(), 1u);
        }
        after(c.endsAfter > 0 ? 1 : 0);
        EXPECT_TRUE(sounds.prehravaneZvuky().empty());
        EXPECT_EQ(device.count(QStringLiteral("play ") + Standard), c.plays);
        EXPECT_EQ(device.count(QStringLiteral("stop ") + Standard), c.stops);
    }
}

TEST_F(SoundManagerTest, AFileInTwoEntriesIsStoppedOnceAndNotWhileTheOtherPlaysIt) {
    ring(true, 1000);
    clock.advanceMs(500);
    ring(true, 0);
    after(500);
    EXPECT_EQ(sounds.prehravaneZvuky().size(), 1u);
    EXPECT_EQ(device.count(QStringLiteral("stop ") + Standard), 0);
    sounds.vypnoutUpozorneni();
    EXPECT_EQ(device.count(QStringLiteral("stop ") + Standard), 1);

    ring(true, 1000);
    ring(true, 1000);
    after(1000);
    EXPECT_TRUE(sounds.prehravaneZvuky().empty());
    EXPECT_EQ(device.count(QStringLiteral("stop ") + Standard), 2) << "two entries ending together: once";
}

TEST_F(SoundManagerTest, NothingWithoutANotificationAndAMissingFileFallsBackToTheStandardSoundThenToABeep) {
    EXPECT_EQ(sounds.obhospodarZvuk(false, true, false, false, true, Standard, {}, {}, chosen, 0, clock.utcNow()), -1);
    EXPECT_TRUE(device.commands.isEmpty());

    EXPECT_GE(ring(true, 0, true, QStringLiteral("/nowhere/x.mp3")), 0);
    ASSERT_EQ(sounds.prehravaneZvuky().size(), 1u);
    EXPECT_EQ(sounds.prehravaneZvuky()[0].soubor, Standard);
    EXPECT_EQ(beeper.beeps, 0);

    device.files.clear();
    EXPECT_EQ(ring(true, 0), -1);
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(sounds.prehravaneZvuky().size(), 1u) << "a sound that cannot play registers nothing";
}

TEST_F(SoundManagerTest, RandomChoiceTakesMediaFilesOnlyAndIsUsedOnce) {
    QTemporaryDir dir;
    for (const char* name : {"a.txt", "b.WAV", "c.mp3", ".hidden.wav"}) {
        test::writeBytes(dir.filePath(QString::fromLatin1(name)), "x");
    }
    QDir(dir.path()).mkdir(QStringLiteral("d.wav"));
    const QString b = dir.filePath(QStringLiteral("b.WAV"));
    const QString c = dir.filePath(QStringLiteral("c.mp3"));
    QSet<QString> seen;
    for (nextRandom = 0; nextRandom < 6; ++nextRandom) {
        seen << sounds.nahodnySoubor(dir.path());
    }
    EXPECT_EQ(seen, (QSet<QString>{b, c}));

    // Preparing picks and decodes the file ahead; ringing plays it and forgets the choice.
    device.files[c] = 1000;
    nextRandom = 1;
    EXPECT_EQ(sounds.obhospodarZvuk(true, false, false, true, true, Standard, {}, dir.path(), chosen, 0, clock.utcNow()),
              -1);
    EXPECT_EQ(chosen, c);
    EXPECT_TRUE(device.commands.contains(QStringLiteral("prepare ") + c));
    EXPECT_TRUE(sounds.prehravaneZvuky().empty());
    EXPECT_GE(sounds.obhospodarZvuk(true, true, false, true, true, Standard, {}, dir.path(), chosen, 0, clock.utcNow()),
              0);
    EXPECT_EQ(sounds.prehravaneZvuky()[0].soubor, c);
    EXPECT_TRUE(chosen.isEmpty());

    // Nothing prepared (or an empty folder): the standard sound.
    EXPECT_GE(sounds.obhospodarZvuk(true, true, false, true, true, Standard, {}, dir.path(), chosen, 0, clock.utcNow()),
              0);
    EXPECT_EQ(sounds.prehravaneZvuky()[1].soubor, Standard);
    EXPECT_TRUE(sounds.nahodnySoubor(dir.filePath(QStringLiteral("missing"))).isEmpty());
}

TEST_F(SoundManagerTest, MediaExtensionsAreRecognisedInAnyCase) {
    for (const char16_t* e : {u".wav", u".WAV", u".Mp3", u".mid", u".wma", u".wmv", u".avi", u".mpg", u".mpeg"}) {
        EXPECT_TRUE(SoundManager::jeSouborMultimedialni(e)) << QString::fromUtf16(e).toStdString();
    }
    for (const char16_t* e : {u".txt", u"wav", u".ogg", u"", u".wav.bak"}) {
        EXPECT_FALSE(SoundManager::jeSouborMultimedialni(e)) << QString::fromUtf16(e).toStdString();
    }
}
