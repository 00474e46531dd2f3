#pragma once

#include "platform/audiodevice.h"
#include "platform/clock.h"

#include <QMap>
#include <QStringList>

namespace tavrok::test {

// A sound device that plays in the fake clock's time: a file plays from its start for its length.
// Files it knows play; any other file fails to play. It records every command.
class FakeAudioDevice final : public AudioDevice {
public:
    explicit FakeAudioDevice(const Clock& clock) : clock_(clock) {}

    QMap<QString, qint64> files; // the files that can play, with their lengths in ms
    QStringList commands;        // "play x", "stop x", "prepare x"
    int opens = 0;

    bool open() override {
        ++opens;
        return true;
    }
    void close() override {}
    bool prepare(const QString& file) override {
        commands << QStringLiteral("prepare ") + file;
        return files.contains(file);
    }
    bool play(const QString& file) override {
        commands << QStringLiteral("play ") + file;
        if (!files.contains(file)) {
            return false;
        }
        if (!isPlaying(file)) {
            startedAt_[file] = clock_.utcNow();
        }
        return true;
    }
    bool isPlaying(const QString& file) override {
        return startedAt_.contains(file) && clock_.utcNow() < startedAt_[file] + files.value(file) / MsPerDay;
    }
    qint64 lengthMs(const QString& file) override { return files.value(file, -1); }
    void stop(const QString& file) override {
        commands << QStringLiteral("stop ") + file;
        startedAt_.remove(file);
    }

    int count(const QString& command) const { return static_cast<int>(commands.count(command)); }

private:
    const Clock& clock_;
    QMap<QString, UtcTime> startedAt_; // sound plays in real time, which summer time does not move
};

class FakeBeeper final : public Beeper {
public:
    int beeps = 0;
    void informationBeep() override { ++beeps; }
};

} // namespace tavrok::test
