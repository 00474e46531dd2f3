#pragma once

// Small file systems of the test's own, seen by this process only: a private mount namespace (as root,
// or as root of a user namespace of its own), tmpfs mounts in it that can be filled, run out of inodes
// or be made read-only. Everything vanishes with the process.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace tavrok::test {

namespace detail {
inline bool writeProcFile(const char* path, const QByteArray& text) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::write(fd, text.constData(), static_cast<size_t>(text.size())) == text.size();
    ::close(fd);
    return ok;
}
} // namespace detail

// Call before any thread starts. False when this machine allows neither way.
inline bool enterPrivateMountNamespace() {
    if (::unshare(CLONE_NEWNS) != 0) {
        const QByteArray uid = QByteArray::number(::getuid());
        const QByteArray gid = QByteArray::number(::getgid());
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 || !detail::writeProcFile("/proc/self/setgroups", "deny") ||
            !detail::writeProcFile("/proc/self/uid_map", "0 " + uid + " 1") ||
            !detail::writeProcFile("/proc/self/gid_map", "0 " + gid + " 1")) {
            return false;
        }
    }
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// A tmpfs of `size` bytes and `inodes` inodes at `path`.
inline bool mountSmallTmpfs(const QString& path, int sizeKiB, int inodes, unsigned long flags = 0) {
    const QByteArray options = "size=" + QByteArray::number(sizeKiB) + "k,nr_inodes=" + QByteArray::number(inodes) +
                               ",mode=0755";
    return ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", flags, options.constData()) == 0;
}

inline bool remountReadOnly(const QString& path, int sizeKiB, int inodes) {
    return mountSmallTmpfs(path, sizeKiB, inodes, MS_REMOUNT | MS_RDONLY);
}

inline void unmount(const QString& path) {
    (void)::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
}

// Fills the file system holding `folder` to the last byte.
inline bool fillSpace(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder + QStringLiteral("/filler")).constData(),
                          O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const QByteArray block(4096, 'x');
    while (::write(fd, block.constData(), static_cast<size_t>(block.size())) > 0) {
    }
    const bool full = errno == ENOSPC;
    // Partial pages as well.
    while (::write(fd, "x", 1) > 0) {
    }
    ::close(fd);
    return full;
}

// Takes every free inode of the file system holding `folder` with empty files.
inline bool fillInodes(const QString& folder) {
    for (int i = 0; i < 100000; ++i) {
        const QByteArray name = QFile::encodeName(folder + QStringLiteral("/inode-%1").arg(i));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            return errno == ENOSPC;
        }
        ::close(fd);
    }
    return false;
}

} // namespace tavrok::test
