#pragma once

#include "platform/globalhotkey.h"

#include <QAbstractNativeEventFilter>
#include <QList>

namespace tavrok {

// The hotkey on X11: a passive grab of the key on the root window, for every state of Caps Lock and
// Num Lock, received through the application's native events.
class X11GlobalHotkey final : public GlobalHotkey, public QAbstractNativeEventFilter {
public:
    X11GlobalHotkey();
    ~X11GlobalHotkey() override;

    Result registerKey(int code) override;
    void unregisterKey() override;
    bool hasKey(int code) const override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // The X key symbol of a virtual key of the stored code; 0 for none.
    static unsigned long keysymFor(int virtualKey);

private:
    unsigned char keycode_ = 0;
    unsigned short modifiers_ = 0;
    QList<unsigned short> grabbed_; // the modifier sets grabbed, the lock variants included
    bool filtering_ = false;
};

} // namespace tavrok
