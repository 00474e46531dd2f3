#pragma once

#include <QString>

namespace tavrok {

// The shared sound device: one named sound per file. Playing a file that already plays lets it play on.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    virtual bool open() = 0;
    virtual void close() = 0;
    // Decodes the file ahead of its first play, so that playing it later starts at once.
    virtual bool prepare(const QString& file) = 0;
    virtual bool play(const QString& file) = 0;
    virtual bool isPlaying(const QString& file) = 0;
    // The file's own length; -1 when it is not known.
    virtual qint64 lengthMs(const QString& file) = 0;
    virtual void stop(const QString& file) = 0;
};

// The desktop's short information sound: what plays when no sound file can.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void informationBeep() = 0;
};

} // namespace tavrok
