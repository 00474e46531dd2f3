#pragma once

#include <QString>
#include <QtGlobal>

namespace tavrok {

// The top-level windows of every program on the desktop, as the window manager lists them.
class WindowList {
public:
    virtual ~WindowList() = default;
    // True when a top-level window has exactly this title. A desktop that does not let programs see
    // each other's windows answers false.
    virtual bool existsWithTitle(const QString& title) = 0;
    // Whether the program's own window (its native id) is on the workspace the user looks at; a desktop
    // without workspaces, or one that does not say, answers true.
    virtual bool onCurrentWorkspace(quintptr window) {
        (void)window;
        return true;
    }
};

} // namespace tavrok
