#include "platform/qtlauncher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace tavrok {

namespace {

// Qt hands local files to xdg-open, which says nothing when no program takes web pages: ask first.
bool desktopHasBrowser() {
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) {
        return false;
    }
    if (!qEnvironmentVariableIsEmpty("BROWSER")) {
        return true;
    }
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!query.waitForFinished(3000)) {
        return true; // cannot tell: let xdg-open try
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

bool QtLauncher::openInBrowser(const QString& file) {
    return desktopHasBrowser() && QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

bool QtLauncher::start(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool QtLauncher::canStartAsAdministrator() const {
    return !QStandardPaths::findExecutable(QStringLiteral("pkexec")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("env")).isEmpty();
}

bool QtLauncher::startAsAdministrator(const QString& program, const QStringList& arguments) {
    if (!canStartAsAdministrator()) {
        return false;
    }
    // polkit asks for the password in the desktop's own dialog. pkexec clears the environment, so the
    // program is given back the display it is to show its windows on.
    QStringList command{QStandardPaths::findExecutable(QStringLiteral("pkexec")),
                        QStandardPaths::findExecutable(QStringLiteral("env"))};
    for (const char* name : {"DISPLAY", "XAUTHORITY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "LANG"}) {
        if (!qEnvironmentVariableIsEmpty(name)) {
            command << QString::fromLatin1(name) + u'=' + qEnvironmentVariable(name);
        }
    }
    command << program << arguments;
    // pkexec refuses to serve a process whose parent has gone, and a detached start has none: a copy
    // of this program stays as its parent until it ends.
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), QStringList{QString::fromLatin1(WaitForOption)} + command);
}

int runAndWait(const QStringList& command) {
    if (command.isEmpty()) {
        return 2;
    }
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.setInputChannelMode(QProcess::ForwardedInputChannel);
    child.start(command.first(), command.mid(1));
    if (!child.waitForStarted(-1) || !child.waitForFinished(-1)) {
        return 1;
    }
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
}

} // namespace tavrok
