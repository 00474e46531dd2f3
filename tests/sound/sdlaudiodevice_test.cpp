#include "platform/sdlaudiodevice.h"
#include "platform/soundmodule.h"

#include "support/tempdir.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

const QString DataDir = QStringLiteral(TAVROK_SOURCE_DATA);

// The real device with SDL's disk driver: what it mixes is written to a file in real time.
class SdlDiskTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString output = dir.filePath(QStringLiteral("mixed.raw"));
    SdlAudioDevice device;

    void SetUp() override {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        ASSERT_TRUE(device.open());
    }

    // Stereo 16-bit frames at 44.1 kHz: the first and last frame louder than a whisper.
    static std::pair<qsizetype, qsizetype> loudSpan(const QByteArray& raw, qsizetype from = 0) {
        const auto* s = reinterpret_cast<const std::int16_t*>(raw.constData());
        const qsizetype frames = raw.size() / 4;
        qsizetype first = -1;
        qsizetype last = -1;
        for (qsizetype f = from; f < frames; ++f) {
            if (std::abs(s[2 * f]) > 300 || std::abs(s[2 * f + 1]) > 300) {
                first = first < 0 ? f : first;
                last = f;
            }
        }
        return {first, last};
    }
};

// A mono 16-bit WAV of a steady 440 Hz tone, loud from its first sample to its last.
QString writeTone(const QString& path, int milliseconds, int rate = 22050) {
    const int samples = rate * milliseconds / 1000;
    QByteArray data;
    for (int i = 0; i < samples; ++i) {
        const auto v = static_cast<std::int16_t>(12000 * std::sin(2 * M_PI * 440 * i / rate));
        data.append(reinterpret_cast<const char*>(&v), 2);
    }
    const auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    const QByteArray wav = "RIFF" + u32(36 + static_cast<quint32>(data.size())) + "WAVEfmt " + u32(16) + u16(1) +
                           u16(1) + u32(static_cast<quint32>(rate)) + u32(static_cast<quint32>(rate) * 2) + u16(2) +
                           u16(16) + "data" + u32(static_cast<quint32>(data.size())) + data;
    test::writeBytes(path, wav);
    return path;
}

} // namespace

TEST_F(SdlDiskTest, PlaysTheWholeFileAudiblyAndKnowsItsLength) {
    EXPECT_EQ(device.lengthMs(DataDir + QStringLiteral("/Zvuky/Standard/Signalk.wav")), 400);
    const QString file = writeTone(dir.filePath(QStringLiteral("tone.wav")), 500);
    EXPECT_EQ(device.lengthMs(file), 500);
    ASSERT_TRUE(device.prepare(file));
    QThread::msleep(100);
    const qsizetype before = QFile(output).size() / 4;
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(device.play(file));
    EXPECT_LT(t.elapsed(), 30) << "a prepared sound starts at once";
    EXPECT_TRUE(device.isPlaying(file));
    while (device.isPlaying(file) && t.elapsed() < 3000) {
        QThread::msleep(10);
    }
    EXPECT_FALSE(device.isPlaying(file));
    device.close();

    const QByteArray raw = test::readBytes(output);
    const auto [first, last] = loudSpan(raw, before);
    ASSERT_GE(first, 0) << "nothing audible was played";
    const double seconds = static_cast<double>(last - first) / 44100.0;
    EXPECT_NEAR(seconds, 0.5, 0.02) << "the sound lasts as long as the file";
    EXPECT_LT(static_cast<double>(first - before) / 44.1, 120.0) << "started within a buffer or two of the call";
}

TEST_F(SdlDiskTest, StoppingEndsTheSoundAndAnotherPlayStartsItAgainButUndecodableFilesFail) {
    const QString file = DataDir + QStringLiteral("/Zvuky/Standard/Zvonek.wav");
    EXPECT_EQ(device.lengthMs(file), 2800);
    ASSERT_TRUE(device.play(file));
    QThread::msleep(200);
    device.stop(file);
    EXPECT_FALSE(device.isPlaying(file));
    ASSERT_TRUE(device.play(file));
    EXPECT_TRUE(device.isPlaying(file));
    EXPECT_TRUE(device.play(file)) << "playing a playing file lets it play on";

    const QString wma = dir.filePath(QStringLiteral("song.wma"));
    test::writeBytes(wma, QByteArray(4096, '\x30'));
    EXPECT_FALSE(device.play(wma));
    EXPECT_FALSE(device.play(dir.filePath(QStringLiteral("missing.wav"))));
    EXPECT_FALSE(device.play(QString()));
    EXPECT_EQ(device.lengthMs(wma), -1);
}

TEST(SdlNoDevice, WithoutAnyOutputNothingPlaysAndNothingHangs) {
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    SdlAudioDevice device;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(device.open());
    EXPECT_FALSE(device.play(QStringLiteral(TAVROK_SOURCE_DATA "/Zvuky/Standard/Zvonek.wav")));
    EXPECT_FALSE(device.isPlaying(QStringLiteral("x")));
    device.stop(QStringLiteral("x"));
    device.close();
    EXPECT_LT(t.elapsed(), 2000);
}

TEST_F(SdlDiskTest, MidiPlaysThroughTheGeneralMidiSoundfont) {
    // One middle C, a beat long.
    const QByteArray track("\x00\x90\x3C\x64\x83\x60\x80\x3C\x00\x00\xFF\x2F\x00", 13);
    const QByteArray midi = QByteArray("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0", 14) + "MTrk" +
                            QByteArray("\x00\x00\x00", 3) + char(track.size()) + track;
    const QString file = dir.filePath(QStringLiteral("note.mid"));
    test::writeBytes(file, midi);
    const qsizetype before = QFile(output).size() / 4;
    ASSERT_TRUE(device.play(file));
    QElapsedTimer t;
    t.start();
    while (device.isPlaying(file) && t.elapsed() < 8000) {
        QThread::msleep(10);
    }
    EXPECT_FALSE(device.isPlaying(file)) << "the music ends by itself";
    device.close();
    const auto [first, last] = loudSpan(test::readBytes(output), before);
    EXPECT_GE(first, 0) << "the note was not heard";
}

// The program opens the device only after its window is on the screen; a sound due sooner opens it
// itself, once. A device closed at the end stays closed.
TEST(SdlLazyOpen, TheFirstSoundOpensTheDeviceAndAClosedOneStaysClosed) {
    QTemporaryDir dir;
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(dir.filePath(QStringLiteral("mixed.raw"))));
    SdlAudioDevice device;
    EXPECT_FALSE(device.isOpen());
    const QString tone = writeTone(dir.filePath(QStringLiteral("tone.wav")), 200);
    EXPECT_TRUE(device.play(tone)) << "opened for the first sound";
    EXPECT_TRUE(device.isOpen());
    device.close();
    EXPECT_FALSE(device.play(tone));
    EXPECT_FALSE(device.isOpen()) << "closed at the end: no sound opens it again";
}

// The program's device comes from the sound module beside it, loaded at the first sound.
class SoundModuleTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    void SetUp() override {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(dir.filePath(QStringLiteral("mixed.raw"))));
    }
};

TEST_F(SoundModuleTest, LoadedAtTheFirstSoundAndNotBefore) {
    SoundModule audio(QStringLiteral(TAVROK_MODULE_DIR));
    const QString tone = writeTone(dir.filePath(QStringLiteral("tone.wav")), 300);
    EXPECT_FALSE(audio.isPlaying(tone));
    audio.stop(tone);
    EXPECT_FALSE(audio.isLoaded()) << "asking whether a sound plays loads nothing";
    EXPECT_EQ(audio.lengthMs(tone), 300);
    EXPECT_TRUE(audio.isLoaded());
    ASSERT_TRUE(audio.play(tone));
    EXPECT_TRUE(audio.isPlaying(tone));
    audio.stop(tone);
    EXPECT_FALSE(audio.isPlaying(tone));
}

TEST_F(SoundModuleTest, WithoutTheModuleNothingPlaysAndNothingFails) {
    SoundModule audio(dir.path());
    const QString tone = writeTone(dir.filePath(QStringLiteral("tone.wav")), 100);
    EXPECT_FALSE(audio.open());
    EXPECT_FALSE(audio.play(tone));
    EXPECT_FALSE(audio.prepare(tone));
    EXPECT_EQ(audio.lengthMs(tone), -1);
    EXPECT_FALSE(audio.isLoaded());
}

TEST_F(SoundModuleTest, ClosedBeforeItsFirstUseOnlyOpenLoadsIt) {
    SoundModule audio(QStringLiteral(TAVROK_MODULE_DIR));
    const QString tone = writeTone(dir.filePath(QStringLiteral("tone.wav")), 100);
    audio.close();
    EXPECT_FALSE(audio.play(tone));
    EXPECT_FALSE(audio.isLoaded());
    EXPECT_TRUE(audio.open());
    EXPECT_TRUE(audio.play(tone));
}
