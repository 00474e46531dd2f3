#pragma once

#include <functional>

namespace tavrok {

// A key combination that reaches the program while another program has the focus.
class GlobalHotkey {
public:
    enum class Result {
        Registered,
        OnlyInOwnWindows, // held, but a Wayland desktop gives the keys only to the window with the focus
        Taken,       // another program holds the combination
        Unsupported, // the desktop offers no global keys to programs (a Wayland session)
        NoSuchKey,   // the code names no key this desktop's keyboard has (a key code of another system)
    };
    virtual ~GlobalHotkey() = default;
    // The stored shortcut code: virtual key in the low byte, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
    virtual Result registerKey(int code) = 0;
    // Whether the code names a key that can be grabbed here (its modifiers aside).
    virtual bool hasKey(int code) const = 0;
    virtual void unregisterKey() = 0;

    // The combination was pressed.
    std::function<void()> onPressed;
};

} // namespace tavrok
