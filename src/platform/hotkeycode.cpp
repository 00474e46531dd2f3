#include "platform/hotkeycode.h"

#include <Qt>
#include <iterator>

namespace tavrok {

namespace {

constexpr int Shift = 0x2000;
constexpr int Ctrl = 0x4000;
constexpr int Alt = 0x8000;

struct KeyPair {
    int vk;
    int qtKey;
    bool keypad; // the key of the numeric keypad
};

// Every key a shortcut field can hold besides letters, digits and F1-F24.
constexpr KeyPair Keys[] = {
    {0x08, Qt::Key_Backspace, false}, {0x09, Qt::Key_Tab, false},        {0x0D, Qt::Key_Return, false},
    {0x13, Qt::Key_Pause, false},     {0x1B, Qt::Key_Escape, false},     {0x20, Qt::Key_Space, false},
    {0x21, Qt::Key_PageUp, false},    {0x22, Qt::Key_PageDown, false},   {0x23, Qt::Key_End, false},
    {0x24, Qt::Key_Home, false},      {0x25, Qt::Key_Left, false},       {0x26, Qt::Key_Up, false},
    {0x27, Qt::Key_Right, false},     {0x28, Qt::Key_Down, false},       {0x2C, Qt::Key_Print, false},
    {0x2D, Qt::Key_Insert, false},    {0x2E, Qt::Key_Delete, false},     {0x6A, Qt::Key_Asterisk, true},
    {0x6B, Qt::Key_Plus, true},       {0x6D, Qt::Key_Minus, true},       {0x6E, Qt::Key_Period, true},
    {0x6F, Qt::Key_Slash, true},      {0x91, Qt::Key_ScrollLock, false},
};

} // namespace

int hotkeyFromQt(int combination) {
    const int key = combination & ~int(Qt::KeyboardModifierMask);
    const bool keypad = combination & Qt::KeypadModifier;
    int vk = 0;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        vk = 'A' + (key - Qt::Key_A);
    } else if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        vk = (keypad ? 0x60 : '0') + (key - Qt::Key_0);
    } else if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        vk = 0x70 + (key - Qt::Key_F1);
    } else {
        for (const KeyPair& k : Keys) {
            if (k.qtKey == key && (k.keypad == keypad || !k.keypad)) {
                vk = k.vk;
                break;
            }
        }
        if (vk == 0) {
            return 0;
        }
    }
    if (combination & Qt::ShiftModifier) {
        vk |= Shift;
    }
    if (combination & Qt::ControlModifier) {
        vk |= Ctrl;
    }
    if (combination & Qt::AltModifier) {
        vk |= Alt;
    }
    return vk;
}

int hotkeyToQt(int code) {
    const int vk = code & 0xFF;
    int key = 0;
    if (vk >= 'A' && vk <= 'Z') {
        key = Qt::Key_A + (vk - 'A');
    } else if (vk >= '0' && vk <= '9') {
        key = Qt::Key_0 + (vk - '0');
    } else if (vk >= 0x60 && vk <= 0x69) {
        key = (Qt::Key_0 + (vk - 0x60)) | Qt::KeypadModifier;
    } else if (vk >= 0x70 && vk <= 0x87) {
        key = Qt::Key_F1 + (vk - 0x70);
    } else {
        for (const KeyPair& k : Keys) {
            if (k.vk == vk) {
                key = k.qtKey | (k.keypad ? int(Qt::KeypadModifier) : 0);
                break;
            }
        }
        if (key == 0) {
            return 0;
        }
    }
    if (code & Shift) {
        key |= Qt::ShiftModifier;
    }
    if (code & Ctrl) {
        key |= Qt::ControlModifier;
    }
    if (code & Alt) {
        key |= Qt::AltModifier;
    }
    return key;
}

} // namespace tavrok
