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
    bool canStartAsAdministrator() const override;
    bool startAsAdministrator(const QString& program, const QStringList& arguments) override;
};

// "tavrok --wait-for PROGRAM ARGUMENTS...": runs the program and waits for it, so that it keeps a parent
// after the program that started it ended.
inline constexpr char WaitForOption[] = "--wait-for";
int runAndWait(const QStringList& command);

} // namespace tavrok
