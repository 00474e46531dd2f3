#include "platform/qtlauncher.h"

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

bool QtLauncher::startAsAdministrator(const QString& program, const QStringList& arguments) {
    // polkit asks for the password in the desktop's own dialog.
    const QString pkexec = QStandardPaths::findExecutable(QStringLiteral("pkexec"));
    return !pkexec.isEmpty() && QProcess::startDetached(pkexec, QStringList{program} + arguments);
}

} // namespace tavrok
