#include "platform/soundmodule.h"

namespace tavrok {

SoundModule::SoundModule(QString folder)
    : device_(std::move(folder), QStringLiteral("tavrok-sound"), "tavrok_create_audio_device") {}

AudioDevice* SoundModule::device() {
    return closed_ ? device_.made() : device_.get();
}

bool SoundModule::open() {
    closed_ = false;
    AudioDevice* d = device();
    return d && d->open();
}

void SoundModule::close() {
    if (AudioDevice* d = device_.made()) {
        d->close();
    }
    closed_ = true; // a device closed before its first use is not loaded for a sound, only by open()
}

bool SoundModule::prepare(const QString& file) {
    AudioDevice* d = device();
    return d && d->prepare(file);
}

bool SoundModule::play(const QString& file) {
    AudioDevice* d = device();
    return d && d->play(file);
}

bool SoundModule::isPlaying(const QString& file) {
    AudioDevice* d = device_.made();
    return d && d->isPlaying(file);
}

qint64 SoundModule::lengthMs(const QString& file) {
    AudioDevice* d = device();
    return d ? d->lengthMs(file) : -1;
}

void SoundModule::stop(const QString& file) {
    if (AudioDevice* d = device_.made()) {
        d->stop(file);
    }
}

} // namespace tavrok
