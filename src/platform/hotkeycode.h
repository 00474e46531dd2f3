#pragma once

namespace tavrok {

// The split hotkey is stored as the Windows shortcut code: the virtual key in the low byte, 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt (122 is F11). These convert it to and from a Qt key combination (Qt::Key plus
// Qt::KeyboardModifier bits); 0 stands for a key that has no code.
int hotkeyFromQt(int keyCombination);
int hotkeyToQt(int code);

} // namespace tavrok
