#pragma once

#include <QString>
#include <QStringList>

namespace tavrok {

// Other programs the program hands work to: the desktop's browser for the help pages, and external
// programs started with an argument list, never through a shell. Tests record what was asked for.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Opens a local page in the desktop's browser; false when the desktop has no way to open it.
    virtual bool openInBrowser(const QString& file) = 0;
    // Starts a program on its own; false when it cannot be started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
    // Starts a program with an administrator's rights, the user giving the password; false when the
    // desktop has no way to ask for them or the program cannot be started.
    virtual bool startAsAdministrator(const QString& program, const QStringList& arguments) = 0;
    // Whether the desktop has a way to ask for those rights at all.
    virtual bool canStartAsAdministrator() const = 0;
};

} // namespace tavrok
