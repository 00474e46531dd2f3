#include "platform/sdlaudiodevice.h"

#include <QFile>
#include <QFileInfo>
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

namespace tavrok {

namespace {

bool isMidi(const QString& file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == u"mid" || suffix == u"midi";
}

} // namespace

SdlAudioDevice::~SdlAudioDevice() {
    close();
}

bool SdlAudioDevice::open() {
    if (opened_) {
        return true;
    }
    tried_ = true;
    // SDL would otherwise turn SIGINT and SIGTERM into quit events that nobody reads, and the program
    // would no longer end when the session asks it to.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    Mix_Init(MIX_INIT_FLAC | MIX_INIT_MP3 | MIX_INIT_OGG | MIX_INIT_MID);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Uint16 format = 0;
    Mix_QuerySpec(&frequency_, &format, &channels_);
    bytesPerFrame_ = static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8) * channels_;
    Mix_AllocateChannels(32);
    opened_ = true;
    return true;
}

void SdlAudioDevice::close() {
    if (!opened_) {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (Sound& sound : sounds_) {
        if (sound.chunk) {
            Mix_FreeChunk(sound.chunk);
        }
        if (sound.music) {
            Mix_FreeMusic(sound.music);
        }
    }
    sounds_.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    opened_ = false;
}

SdlAudioDevice::Sound* SdlAudioDevice::load(const QString& file) {
    if (file.isEmpty()) {
        return nullptr;
    }
    // The device opens when first needed, once: a sound due before the program opened it plays anyway.
    if (!opened_ && (tried_ || !open())) {
        return nullptr;
    }
    if (const auto found = sounds_.find(file); found != sounds_.end()) {
        return &found.value();
    }
    if (!QFileInfo(file).isFile()) {
        return nullptr; // not remembered: the file may appear later
    }
    const QByteArray path = QFile::encodeName(file);
    Sound sound;
    if (isMidi(file)) {
        sound.music = Mix_LoadMUS(path.constData());
        if (sound.music) {
            const double seconds = Mix_MusicDuration(sound.music);
            sound.lengthMs = seconds > 0 ? static_cast<qint64>(seconds * 1000.0 + 0.5) : -1;
        }
    } else {
        sound.chunk = Mix_LoadWAV(path.constData());
        if (sound.chunk && bytesPerFrame_ > 0 && frequency_ > 0) {
            sound.lengthMs = static_cast<qint64>(sound.chunk->alen) / bytesPerFrame_ * 1000 / frequency_;
        }
    }
    if (!sound.chunk && !sound.music) {
        return nullptr;
    }
    return &sounds_.insert(file, sound).value();
}

bool SdlAudioDevice::prepare(const QString& file) {
    return load(file) != nullptr;
}

bool SdlAudioDevice::play(const QString& file) {
    Sound* s = load(file);
    if (!s) {
        return false;
    }
    if (isPlaying(file)) {
        return true;
    }
    if (s->music) {
        return Mix_PlayMusic(s->music, 0) == 0;
    }
    s->channel = Mix_PlayChannel(-1, s->chunk, 0);
    return s->channel >= 0;
}

bool SdlAudioDevice::isPlaying(const QString& file) {
    const auto found = sounds_.find(file);
    if (!opened_ || found == sounds_.end()) {
        return false;
    }
    const Sound& s = found.value();
    if (s.music) {
        return Mix_PlayingMusic() != 0 && Mix_GetMusicType(nullptr) != MUS_NONE;
    }
    return s.channel >= 0 && Mix_Playing(s.channel) != 0 && Mix_GetChunk(s.channel) == s.chunk;
}

qint64 SdlAudioDevice::lengthMs(const QString& file) {
    const Sound* s = load(file);
    return s ? s->lengthMs : -1;
}

void SdlAudioDevice::stop(const QString& file) {
    if (!isPlaying(file)) {
        return;
    }
    Sound& s = sounds_.find(file).value();
    if (s.music) {
        Mix_HaltMusic();
    } else {
        Mix_HaltChannel(s.channel);
        s.channel = -1;
    }
}

} // namespace tavrok
