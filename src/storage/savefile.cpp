#include "storage/savefile.h"

#include "storage/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace tavrok {

namespace {

// Beside "Budiky.ini": "Budiky.ini.tmp-k3Zq9a". Only names of this form are ever cleaned up.
constexpr QLatin1StringView TempInfix(".tmp-");
constexpr int TempRandomLength = 6;

// ".tmp-" and six random letters or digits.
QString temporarySuffix() {
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix = TempInfix;
    for (int i = 0; i < TempRandomLength; ++i) {
        suffix += QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof Letters) - 1)]);
    }
    return suffix;
}

QString finalTarget(const QString& path) {
    // Writing through a symbolic link replaces the file it points to, and the link stays.
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
}

} // namespace

#ifdef Q_OS_UNIX

bool replaceFileWhole(const QString& path, const std::function<bool(const ByteSink&)>& produce) {
    if (path.isEmpty()) {
        return false;
    }
    const QString target = finalTarget(path);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat old {};
    const bool existed = ::stat(targetName.constData(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode)) {
        return false; // a folder or a device where the file should be
    }
    if (existed && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return false; // write-protected by its owner: replacing it would defeat that, also for root
    }
    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        tempName = targetName + temporarySuffix().toLatin1();
        fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, existed ? (old.st_mode & 07777) : 0666);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    bool ok = produce([fd](const char* p, qsizetype left) {
        while (left > 0) {
            const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            p += n;
            left -= n;
        }
        return true;
    });
    // A file system that allocates late reports a full disk only here.
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && existed) {
        (void)::fchmodat(AT_FDCWD, tempName.constData(), old.st_mode & 07777, 0); // despite the umask
    }
    ok = ok && ::rename(tempName.constData(), targetName.constData()) == 0;
    if (!ok) {
        ::unlink(tempName.constData());
    }
    return ok;
}

#else

bool replaceFileWhole(const QString& path, const std::function<bool(const ByteSink&)>& produce) {
    if (path.isEmpty()) {
        return false;
    }
    QSaveFile file(finalTarget(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !produce([&file](const char* p, qsizetype n) { return file.write(p, n) == n; }) || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

#endif

bool replaceFileWhole(const QString& path, const QByteArray& bytes) {
    return replaceFileWhole(path,
                            [&bytes](const ByteSink& sink) { return sink(bytes.constData(), bytes.size()); });
}

QString temporaryNameBeside(const QString& path) {
    return path + temporarySuffix();
}

QString moveAsideIfUndecodable(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    file.close();
    // Without a NUL byte or a UTF-16 mark the bytes are UTF-8 or Windows-1250, both always readable.
    const bool suspicious = bytes.contains('\0') || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (!suspicious || tryDecodeTextFile(bytes)) {
        return {};
    }
    for (int n = 1; n < 1000; ++n) {
        const QString aside = path + QStringLiteral(".necitelny") + (n > 1 ? QStringLiteral("-%1").arg(n) : QString());
        if (!QFileInfo::exists(aside) && !QFileInfo(aside).isSymLink()) {
            return QFile::rename(path, aside) ? aside : QString();
        }
    }
    return {};
}

int removeLeftoverTemporaries(const QString& path) {
    const QFileInfo info(finalTarget(path));
    QDir dir = info.absoluteDir();
    const QString prefix = info.fileName() + TempInfix;
    // Compared by hand: a name filter or a pattern would start the regular-expression engine at every
    // start for a folder of a few files.
    const auto isRandomPart = [](QStringView s) {
        return s.size() == TempRandomLength && std::all_of(s.begin(), s.end(), [](QChar c) {
                   return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
               });
    };
    int removed = 0;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.startsWith(prefix) && isRandomPart(QStringView(name).sliced(prefix.size())) && dir.remove(name)) {
            ++removed;
        }
    }
    return removed;
}

bool deleteFileKeepingLink(const QString& path) {
    if (QFileInfo(path).isSymLink()) {
        return replaceFileWhole(path, QByteArray());
    }
    if (!QFileInfo::exists(path)) {
        return true;
    }
    // The file's own bits, not this user's access (root may write anything).
    constexpr auto Writable = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (!(QFile::permissions(path) & Writable)) {
        return false; // write-protected: not deleted either
    }
    return QFile::remove(path);
}

} // namespace tavrok
