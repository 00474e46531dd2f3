#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>

namespace tavrok {

bool RealFiles::exists(const QString& path) const {
    return QFileInfo::exists(path);
}

bool RealFiles::makePath(const QString& folder) {
    return QDir().mkpath(folder);
}

bool RealFiles::copy(const QString& from, const QString& to) {
    if (!QFile::copy(from, to)) {
        return false;
    }
    // A copy of a write-protected file (from a read-only medium) is the user's own to change.
    (void)QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
    return true;
}

bool RealFiles::writeProtected(const QString& path) const {
    // Judged by the file's own bits, also for root.
    constexpr auto Writable = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink() && !(info.permissions() & Writable);
}

bool RealFiles::remove(const QString& path) {
    return !writeProtected(path) && QFile::remove(path);
}

bool RealFiles::replace(const QString& from, const QString& to) {
    if (writeProtected(to)) {
        return false;
    }
    std::error_code error;
    std::filesystem::rename(from.toStdU16String(), to.toStdU16String(), error);
    return !error;
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
