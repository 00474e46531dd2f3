#pragma once

#include "platform/audiodevice.h"
#include "platform/lazymodule.h"

namespace tavrok {

// The sound device lives in a module of its own (tavrok-sound, beside the program) with the sound
// libraries it needs: they are loaded when a sound is first wanted, not at every start. Until then the
// device is closed; a device closed before it was loaded is loaded again only by open().
class SoundModule final : public AudioDevice {
public:
    // `folder`: where the module is looked for.
    explicit SoundModule(QString folder);
    SoundModule(const SoundModule&) = delete;
    SoundModule& operator=(const SoundModule&) = delete;

    bool open() override;
    void close() override;
    bool prepare(const QString& file) override;
    bool play(const QString& file) override;
    bool isPlaying(const QString& file) override;
    qint64 lengthMs(const QString& file) override;
    void stop(const QString& file) override;

    // The module was loaded (it may still have failed to open the device).
    bool isLoaded() const { return device_.made() != nullptr; }

private:
    // The device from the module, loaded on the first call; null when it cannot be.
    AudioDevice* device();

    bool closed_ = false; // closed before it was loaded
    ModuleObject<AudioDevice> device_;
};

} // namespace tavrok
