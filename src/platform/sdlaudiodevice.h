#pragma once

#include "platform/audiodevice.h"

#include <QHash>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace tavrok {

// Sound through SDL2_mixer. Every file is decoded once into memory and kept, so its length is known
// exactly and playing it again never decodes it again. MIDI plays as music (one MIDI file at a time);
// formats SDL2_mixer cannot decode (wma, wmv, avi, mpg, mpeg) fail to play.
class SdlAudioDevice final : public AudioDevice {
public:
    SdlAudioDevice() = default;
    ~SdlAudioDevice() override;
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    bool open() override;
    void close() override;
    bool prepare(const QString& file) override;
    bool play(const QString& file) override;
    bool isPlaying(const QString& file) override;
    qint64 lengthMs(const QString& file) override;
    void stop(const QString& file) override;

    bool isOpen() const { return opened_; }

private:
    struct Sound {
        Mix_Chunk* chunk = nullptr;
        Mix_Music* music = nullptr;
        int channel = -1;
        qint64 lengthMs = -1;
    };
    Sound* load(const QString& file);

    bool opened_ = false;
    bool tried_ = false; // opened once, or failed to: a closed device stays closed
    int frequency_ = 0;
    int channels_ = 0;
    int bytesPerFrame_ = 0;
    QHash<QString, Sound> sounds_;
};

} // namespace tavrok
