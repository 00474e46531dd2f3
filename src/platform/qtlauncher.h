#pragma once

#include "platform/launcher.h"

namespace tavrok {

// The desktop's browser through xdg-open (QDesktopServices), programs through QProcess::startDetached
// with an argument list, never a shell.
class QtLauncher final : public Launcher {
public:
    bool openInBrowser(const QString& file) override;
    bool start(const QString& program, const QStringList& arguments) override;
    // Through pkexec.
    bool startAsAdministrator(const QString& program, const QStringList& arguments) override;
};

} // namespace tavrok
