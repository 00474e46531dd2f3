#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
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
    const QByteArray folder = QCryptographicHash::hash(programFolder.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("tavrok-%1-%2").arg(getuid()).arg(QString::fromLatin1(folder.left(16)));
}

bool SingleInstance::handedOver() {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(WaitMs)) {
        return false; // nobody listens: this is the first
    }
    socket.write(Activate);
    socket.flush();
    socket.waitForBytesWritten(WaitMs);
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // A socket left by a program that was killed: nobody answered on it, so it is removed.
        QLocalServer::removeServer(name_);
        server_->listen(name_);
    }
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
