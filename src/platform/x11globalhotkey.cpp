#include "platform/x11globalhotkey.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

namespace tavrok {

namespace {

constexpr int ShiftCode = 0x2000;
constexpr int CtrlCode = 0x4000;
constexpr int AltCode = 0x8000;

struct X11 {
    Display* display = nullptr;
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
};

X11 x11() {
    X11 x;
    if (auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        x.display = app->display();
        x.connection = app->connection();
        if (x.connection) {
            if (const xcb_setup_t* setup = xcb_get_setup(x.connection)) {
                const xcb_screen_iterator_t screen = xcb_setup_roots_iterator(setup);
                x.root = screen.data ? screen.data->root : 0;
            }
        }
    }
    return x;
}

// The modifier bit Num Lock is mapped to (often Mod2, but that is the keyboard map's choice).
unsigned short numLockMask(Display* display) {
    unsigned short mask = 0;
    const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
    if (XModifierKeymap* map = XGetModifierMapping(display)) {
        for (int modifier = 0; modifier < 8 && numLock != 0; ++modifier) {
            for (int k = 0; k < map->max_keypermod; ++k) {
                if (map->modifiermap[modifier * map->max_keypermod + k] == numLock) {
                    mask = static_cast<unsigned short>(1u << modifier);
                }
            }
        }
        XFreeModifiermap(map);
    }
    return mask;
}

} // namespace

unsigned long X11GlobalHotkey::keysymFor(int vk) {
    if (vk >= 'A' && vk <= 'Z') {
        return XK_a + static_cast<unsigned long>(vk - 'A');
    }
    if (vk >= '0' && vk <= '9') {
        return XK_0 + static_cast<unsigned long>(vk - '0');
    }
    if (vk >= 0x70 && vk <= 0x87) {
        return XK_F1 + static_cast<unsigned long>(vk - 0x70);
    }
    if (vk >= 0x60 && vk <= 0x69) {
        return XK_KP_0 + static_cast<unsigned long>(vk - 0x60);
    }
    switch (vk) {
    case 0x08: return XK_BackSpace;
    case 0x09: return XK_Tab;
    case 0x0D: return XK_Return;
    case 0x13: return XK_Pause;
    case 0x1B: return XK_Escape;
    case 0x20: return XK_space;
    case 0x21: return XK_Prior;
    case 0x22: return XK_Next;
    case 0x23: return XK_End;
    case 0x24: return XK_Home;
    case 0x25: return XK_Left;
    case 0x26: return XK_Up;
    case 0x27: return XK_Right;
    case 0x28: return XK_Down;
    case 0x2C: return XK_Print;
    case 0x2D: return XK_Insert;
    case 0x2E: return XK_Delete;
    case 0x6A: return XK_KP_Multiply;
    case 0x6B: return XK_KP_Add;
    case 0x6D: return XK_KP_Subtract;
    case 0x6E: return XK_KP_Decimal;
    case 0x6F: return XK_KP_Divide;
    case 0x91: return XK_Scroll_Lock;
    default: return 0;
    }
}

namespace {

// The program's grabs by key and modifier set. Every instance grabs through the same connection, and the
// X server keeps one grab per client and combination: the split key and the colour picker may both want
// Pause, and the first to let go must not take the other's grab away.
QHash<quint32, int>& grabCounts() {
    static QHash<quint32, int> counts;
    return counts;
}
quint32 grabId(KeyCode keycode, unsigned short set) {
    return (quint32(keycode) << 16) | set;
}

} // namespace

X11GlobalHotkey::X11GlobalHotkey() = default;

X11GlobalHotkey::~X11GlobalHotkey() {
    unregisterKey();
    if (filtering_ && QCoreApplication::instance()) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

GlobalHotkey::Result X11GlobalHotkey::registerKey(int code) {
    unregisterKey();
    const X11 x = x11();
    if (!x.display || !x.connection || !x.root) {
        return Result::Unsupported; // not an X11 session
    }
    const unsigned long keysym = keysymFor(code & 0xFF);
    const KeyCode keycode = keysym ? XKeysymToKeycode(x.display, keysym) : 0;
    if (keycode == 0) {
        return Result::NoSuchKey; // grabbing works here, this key does not
    }
    unsigned short modifiers = 0;
    if (code & ShiftCode) {
        modifiers |= XCB_MOD_MASK_SHIFT;
    }
    if (code & CtrlCode) {
        modifiers |= XCB_MOD_MASK_CONTROL;
    }
    if (code & AltCode) {
        modifiers |= XCB_MOD_MASK_1;
    }
    const unsigned short numLock = numLockMask(x.display);
    const unsigned short locks[] = {0, XCB_MOD_MASK_LOCK, numLock, static_cast<unsigned short>(XCB_MOD_MASK_LOCK | numLock)};
    bool taken = false;
    for (const unsigned short lock : locks) {
        const unsigned short set = modifiers | lock;
        if (grabbed_.contains(set)) {
            continue;
        }
        int& holders = grabCounts()[grabId(keycode, set)];
        if (holders > 0) { // held by another instance of this program already
            ++holders;
            grabbed_ << set;
            continue;
        }
        xcb_generic_error_t* error = xcb_request_check(
            x.connection, xcb_grab_key_checked(x.connection, 1, x.root, set, keycode, XCB_GRAB_MODE_ASYNC,
                                                XCB_GRAB_MODE_ASYNC));
        if (error) {
            taken = true; // BadAccess: another client has grabbed it
            free(error);
            break;
        }
        holders = 1;
        grabbed_ << set;
    }
    keycode_ = keycode;
    modifiers_ = modifiers;
    if (taken) {
        unregisterKey();
        return Result::Taken;
    }
    if (!filtering_) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        filtering_ = true;
    }
    // Through XWayland the grab holds while an X11 window has the focus: the program's own, not the others.
    const bool wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
                         qgetenv("XDG_SESSION_TYPE") == QByteArrayLiteral("wayland");
    return wayland ? Result::OnlyInOwnWindows : Result::Registered;
}

bool X11GlobalHotkey::hasKey(int code) const {
    const unsigned long keysym = keysymFor(code & 0xFF);
    if (keysym == 0) {
        return false;
    }
    const X11 x = x11();
    // Without an X11 display there is no keyboard map to ask: registering says what the desktop allows.
    return !x.display || XKeysymToKeycode(x.display, keysym) != 0;
}

void X11GlobalHotkey::unregisterKey() {
    if (grabbed_.isEmpty()) {
        return;
    }
    const X11 x = x11();
    for (const unsigned short set : grabbed_) {
        const auto held = grabCounts().find(grabId(keycode_, set));
        if (held != grabCounts().end() && --*held > 0) {
            continue; // another instance still wants it
        }
        grabCounts().remove(grabId(keycode_, set));
        if (x.connection && x.root) {
            xcb_ungrab_key(x.connection, keycode_, x.root, set);
        }
    }
    if (x.connection) {
        xcb_flush(x.connection);
    }
    grabbed_.clear();
}

bool X11GlobalHotkey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (grabbed_.isEmpty() || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS) {
        return false;
    }
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    const unsigned short relevant = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    if (key->detail != keycode_ || (key->state & relevant) != modifiers_) {
        return false;
    }
    if (onPressed) {
        onPressed();
    }
    return true;
}

} // namespace tavrok
