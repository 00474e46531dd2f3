// The entry of the sound module: the program loads it when a sound is first wanted.
#include "platform/sdlaudiodevice.h"

extern "C" Q_DECL_EXPORT tavrok::AudioDevice* tavrok_create_audio_device() {
    return new tavrok::SdlAudioDevice;
}
