#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <unistd.h>

namespace tavrok {

namespace {
constexpr char Activate[] = "activate\n";
constexpr int WaitMs = 1000;
} // namespace

SingleInstance::SingleInstance(const QString& programFolder, QObject* parent)
    : QObject(parent), name_(serverName(programFolder)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString& programFolder) {
    const QString folder = QString::fromLatin1(
        QCryptographicHash::hash(programFolder.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
    // The user's own runtime folder, which nobody else can write; the shared temporary folder with the
    // user's number where a session has none.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        return runtime + QStringLiteral("/tavrok-") + folder;
    }
    return QStringLiteral("tavrok-%1-%2").arg(getuid()).arg(folder);
}

bool SingleInstance::handedOver() {
    // Two starts at once: the lock lets one of them look and listen before the other looks.
    const QString lockPath = (name_.startsWith(u'/') ? name_ : QDir::tempPath() + u'/' + name_) + QStringLiteral(".lock");
    lock_ = std::make_unique<QLockFile>(lockPath);
    lock_->setStaleLockTime(10'000);
    if (!lock_->tryLock(5 * WaitMs)) {
        lock_.reset(); // the first one hangs: go on rather than refuse to start
    }
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(WaitMs)) {
        return false; // nobody listens: this is the first
    }
    socket.write(Activate);
    socket.flush();
    socket.waitForBytesWritten(WaitMs);
    socket.disconnectFromServer();
    lock_.reset();
    return true;
}

void SingleInstance::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Nobody answered on the name while the lock is held: a socket there is one a killed program left.
    QLocalServer::removeServer(name_);
    server_->listen(name_);
    lock_.reset();
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().startsWith("activate")) {
                    emit activated();
                }
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

} // namespace tavrok
