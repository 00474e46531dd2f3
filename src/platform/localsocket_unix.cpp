#include "platform/localsocket.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace tavrok {

namespace {

// The address of a path, or false when the path does not fit in one.
bool addressOf(const QByteArray& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<size_t>(path.size()) >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    return true;
}

// Waits up to `ms` for the events on the socket; the events that came (0 after the time).
short waitFor(int fd, short events, int ms) {
    pollfd p{fd, events, 0};
    int n;
    do {
        n = ::poll(&p, 1, ms);
    } while (n < 0 && errno == EINTR);
    return n > 0 ? p.revents : 0;
}

} // namespace

QString LocalServer::pathOf(const QString& name) {
    return name.startsWith(u'/') ? name : QDir::tempPath() + u'/' + name;
}

LocalSocket::LocalSocket(int fd, bool watched, QObject* parent) : QObject(parent), fd_(fd) {
    if (watched) {
        notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &LocalSocket::deliver);
    }
}

void LocalSocket::deliver() {
    readAvailable();
    if (closedByPeer_ && notifier_) {
        notifier_->setEnabled(false); // the end of the stream stays readable: it would fire on and on
    }
    // A reader may open a box with its own event loop, where more comes: it is kept for when the
    // reader is done, not handed to it again inside its turn.
    if (delivering_) {
        return;
    }
    const QPointer<LocalSocket> self(this);
    delivering_ = true;
    while (!received_.isEmpty()) {
        const quint64 taken = taken_;
        emit readyRead();
        if (!self) {
            return; // the reader deleted it
        }
        if (taken_ == taken) {
            break; // not read: the next readAll takes it
        }
    }
    delivering_ = false;
    if (closedByPeer_ && !toldClosed_) {
        toldClosed_ = true;
        emit disconnected();
    }
}

LocalSocket::~LocalSocket() {
    close();
}

std::unique_ptr<LocalSocket> LocalSocket::connectTo(const QString& name, int waitMs) {
    sockaddr_un address;
    if (!addressOf(QFile::encodeName(LocalServer::pathOf(name)), address)) {
        return nullptr;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return nullptr;
    }
    int result;
    do {
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (result < 0 && errno == EINTR);
    if (result < 0 && (errno == EAGAIN || errno == EINPROGRESS)) {
        // The listener's queue is full: it may still take this one.
        int error = 0;
        socklen_t length = sizeof error;
        result = (waitFor(fd, POLLOUT, waitMs) & POLLOUT) &&
                         ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0
                     ? 0
                     : -1;
    }
    if (result < 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<LocalSocket>(new LocalSocket(fd, false, nullptr));
}

bool LocalSocket::isOpen() const {
    return fd_ >= 0 && !closedByPeer_;
}

void LocalSocket::readAvailable() {
    char buffer[4096];
    while (fd_ >= 0 && !closedByPeer_) {
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            received_.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            closedByPeer_ = true; // the end of the stream, or the connection broke
        }
        return;
    }
}

QByteArray LocalSocket::readAll() {
    readAvailable();
    ++taken_;
    return std::exchange(received_, {});
}

bool LocalSocket::waitForReadyRead(int ms) {
    if (fd_ < 0 || closedByPeer_) {
        return false;
    }
    if (waitFor(fd_, POLLIN, ms) == 0) {
        return false;
    }
    const qsizetype before = received_.size();
    readAvailable();
    return received_.size() > before;
}

bool LocalSocket::write(const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (fd_ >= 0 && left > 0) {
        const ssize_t n = ::send(fd_, p, static_cast<size_t>(left), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            p += n;
            left -= n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!(waitFor(fd_, POLLOUT, 1000) & POLLOUT)) {
                return false; // nobody reads at the other end
            }
        } else {
            return false;
        }
    }
    return fd_ >= 0;
}

bool LocalSocket::peerClosed() {
    if (fd_ < 0 || closedByPeer_) {
        return true;
    }
#ifdef POLLRDHUP
    return (waitFor(fd_, POLLRDHUP, 0) & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
#else
    return (waitFor(fd_, POLLIN, 0) & (POLLHUP | POLLERR)) != 0;
#endif
}

void LocalSocket::close() {
    if (fd_ < 0) {
        return;
    }
    delete notifier_;
    notifier_ = nullptr;
    ::close(fd_);
    fd_ = -1;
}

LocalServer::LocalServer(QObject* parent) : QObject(parent) {}

LocalServer::~LocalServer() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(path_.constData());
    }
}

bool LocalServer::listen(const QString& name) {
    path_ = QFile::encodeName(pathOf(name));
    sockaddr_un address;
    if (fd_ >= 0 || !addressOf(path_, address)) {
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    ::unlink(path_.constData()); // left by a program that was killed: the caller found nobody there
    // Made for the user alone from the start: nobody else connects in a moment before a change.
    const mode_t mask = ::umask(0077);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::umask(mask);
    if (!bound || ::listen(fd, 16) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &LocalServer::acceptWaiting);
    return true;
}

bool LocalServer::isListening() const {
    return fd_ >= 0;
}

void LocalServer::acceptWaiting() {
    for (;;) {
        const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0) {
            if (errno == EINTR || errno == ECONNABORTED) {
                continue;
            }
            return; // none waiting, or out of descriptors: the rest wait for the next round
        }
        emit newConnection(new LocalSocket(client, true, this));
    }
}

} // namespace tavrok
