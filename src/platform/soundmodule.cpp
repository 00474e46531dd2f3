#include "platform/soundmodule.h"

#include "common/programlog.h"

#include <QDir>
#include <QLibrary>

namespace tavrok {

namespace {

// The module's one entry: a new device, owned by the caller.
using CreateDevice = AudioDevice* (*)();

} // namespace

SoundModule::SoundModule(QString folder) : folder_(std::move(folder)) {}

SoundModule::~SoundModule() {
    device_.reset(); // its code lives in the library: it goes first
}

AudioDevice* SoundModule::device() {
    if (device_ || tried_ || closed_) {
        return device_.get();
    }
    tried_ = true;
    library_ = std::make_unique<QLibrary>(QDir(folder_).filePath(QStringLiteral("tavrok-sound")));
    const auto create = reinterpret_cast<CreateDevice>(library_->resolve("tavrok_create_audio_device"));
    if (!create) {
        zapisDoLogu(QStringLiteral("No sound: %1").arg(library_->errorString()));
        return nullptr;
    }
    device_.reset(create());
    return device_.get();
}

bool SoundModule::open() {
    closed_ = false;
    AudioDevice* d = device();
    return d && d->open();
}

void SoundModule::close() {
    if (device_) {
        device_->close();
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
    return device_ && device_->isPlaying(file);
}

qint64 SoundModule::lengthMs(const QString& file) {
    AudioDevice* d = device();
    return d ? d->lengthMs(file) : -1;
}

void SoundModule::stop(const QString& file) {
    if (device_) {
        device_->stop(file);
    }
}

} // namespace tavrok
