#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace tavrok {

bool RealFiles::exists(const QString& path) const {
    return QFileInfo::exists(path);
}

bool RealFiles::makePath(const QString& folder) {
    return QDir().mkpath(folder);
}

bool RealFiles::copy(const QString& from, const QString& to) {
    return QFile::copy(from, to);
}

bool RealFiles::remove(const QString& path) {
    // A file without any write permission is protected by its owner, also against root.
    constexpr auto Writable = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const QFileInfo info(path);
    if (info.isFile() && !info.isSymLink() && !(info.permissions() & Writable)) {
        return false;
    }
    return QFile::remove(path);
}

bool RealFiles::sameFile(const QString& a, const QString& b) const {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

bool RealFiles::canWriteIn(const QString& folder) {
    if (!QDir().mkpath(folder)) {
        return false;
    }
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tavrok-probe-XXXXXX")));
    return probe.open(); // removed again when it goes
}

RealFiles& RealFiles::instance() {
    static RealFiles files;
    return files;
}

} // namespace tavrok
