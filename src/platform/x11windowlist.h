#pragma once

#include "platform/windowlist.h"

namespace tavrok {

// The window manager's list of client windows (_NET_CLIENT_LIST) and their titles; without a window
// manager, the root window's children. Outside X11 no other program's window can be seen.
class X11WindowList final : public WindowList {
public:
    bool existsWithTitle(const QString& title) override;
    // _NET_WM_DESKTOP of the window against _NET_CURRENT_DESKTOP of its screen.
    bool onCurrentWorkspace(quintptr window) override;
};

} // namespace tavrok
