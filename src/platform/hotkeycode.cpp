#include "platform/hotkeycode.h"

#include <Qt>

namespace tavrok {

namespace {
constexpr int Shift = 0x2000;
constexpr int Ctrl = 0x4000;
constexpr int Alt = 0x8000;
} // namespace

int hotkeyFromQt(int combination) {
    const int key = combination & ~int(Qt::KeyboardModifierMask);
    int vk = 0;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        vk = 'A' + (key - Qt::Key_A);
    } else if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        vk = '0' + (key - Qt::Key_0);
    } else if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        vk = 0x70 + (key - Qt::Key_F1);
    } else if (key == Qt::Key_Space) {
        vk = 0x20;
    } else if (key == Qt::Key_Pause) {
        vk = 0x13;
    } else if (key == Qt::Key_Insert) {
        vk = 0x2D;
    } else if (key == Qt::Key_Home) {
        vk = 0x24;
    } else if (key == Qt::Key_End) {
        vk = 0x23;
    } else {
        return 0;
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
    } else if (vk >= 0x70 && vk <= 0x87) {
        key = Qt::Key_F1 + (vk - 0x70);
    } else if (vk == 0x20) {
        key = Qt::Key_Space;
    } else if (vk == 0x13) {
        key = Qt::Key_Pause;
    } else if (vk == 0x2D) {
        key = Qt::Key_Insert;
    } else if (vk == 0x24) {
        key = Qt::Key_Home;
    } else if (vk == 0x23) {
        key = Qt::Key_End;
    } else {
        return 0;
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
