#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace tavrok {

namespace {

QString defaultUserFolder() {
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    return (config.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : config) + QStringLiteral("/autostart");
}

// A folder may be changed when it is writable, or when it does not exist yet and its nearest existing
// parent is writable.
bool writableFolder(const QString& folder) {
    QFileInfo info(folder);
    while (!info.exists()) {
        const QString parent = info.absolutePath();
        if (parent == info.absoluteFilePath()) {
            return false;
        }
        info = QFileInfo(parent);
    }
    return info.isDir() && info.isWritable();
}

} // namespace

XdgAutostart::XdgAutostart() : XdgAutostart(defaultUserFolder(), QStringLiteral("/etc/xdg/autostart")) {}

XdgAutostart::XdgAutostart(QString userFolder, QString systemFolder)
    : userFolder_(std::move(userFolder)), systemFolder_(std::move(systemFolder)) {}

QString XdgAutostart::entryPath(Scope scope) const {
    return (scope == Scope::CurrentUser ? userFolder_ : systemFolder_) + QStringLiteral("/Tavrok.desktop");
}

bool XdgAutostart::isEnabled(Scope scope) const {
    return QFileInfo::exists(entryPath(scope));
}

bool XdgAutostart::canChange(Scope scope) const {
    return writableFolder(scope == Scope::CurrentUser ? userFolder_ : systemFolder_);
}

QString XdgAutostart::entryText(const QString& executable) {
    QString quoted = executable;
    for (const QChar c : {u'\\', u'"', u'`', u'$'}) {
        quoted.replace(c, QString(u'\\') + c);
    }
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=Tavrok\nExec=\"") + quoted +
           QStringLiteral("\"\nX-GNOME-Autostart-enabled=true\n");
}

void XdgAutostart::set(Scope scope, bool enabled, const QString& executable) {
    const QString path = entryPath(scope);
    if (!enabled) {
        QFile::remove(path);
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Unbuffered, so a full disk shows at the write and the old entry is kept rather than cut short.
    const QByteArray bytes = entryText(executable).toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return;
    }
    (void)file.commit();
}

} // namespace tavrok
