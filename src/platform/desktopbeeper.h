#pragma once

#include "platform/audiodevice.h"

namespace tavrok {

// The desktop's information sound (the sound theme's "dialog-information" through libcanberra) where
// the desktop has it, else the X bell.
class DesktopBeeper final : public Beeper {
public:
    void informationBeep() override;
};

} // namespace tavrok
