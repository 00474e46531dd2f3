#include "platform/localsocket.h"

#include <QLocalServer>
#include <QLocalSocket>

// Where the system's sockets are not at hand: Qt's local sockets (named pipes on Windows).
namespace tavrok {

QString LocalServer::pathOf(const QString& name) {
    return name;
}

LocalSocket::LocalSocket(QLocalSocket* socket, QObject* parent) : QObject(parent), socket_(socket) {
    socket_->setParent(this);
    connect(socket_, &QLocalSocket::readyRead, this, &LocalSocket::readyRead);
    connect(socket_, &QLocalSocket::disconnected, this, &LocalSocket::disconnected);
}

LocalSocket::~LocalSocket() = default;

std::unique_ptr<LocalSocket> LocalSocket::connectTo(const QString& name, int waitMs) {
    auto* socket = new QLocalSocket;
    socket->connectToServer(name);
    if (!socket->waitForConnected(waitMs)) {
        delete socket;
        return nullptr;
    }
    return std::unique_ptr<LocalSocket>(new LocalSocket(socket, nullptr));
}

bool LocalSocket::isOpen() const {
    return socket_->state() == QLocalSocket::ConnectedState;
}

QByteArray LocalSocket::readAll() {
    return socket_->readAll();
}

bool LocalSocket::waitForReadyRead(int ms) {
    return isOpen() && socket_->waitForReadyRead(ms);
}

bool LocalSocket::write(const QByteArray& bytes) {
    if (!isOpen() || socket_->write(bytes) != bytes.size()) {
        return false;
    }
    socket_->flush();
    return socket_->waitForBytesWritten(1000) || socket_->bytesToWrite() == 0;
}

bool LocalSocket::peerClosed() {
    return !isOpen() || socket_->waitForDisconnected(0);
}

void LocalSocket::close() {
    socket_->abort();
}

LocalServer::LocalServer(QObject* parent) : QObject(parent) {}

LocalServer::~LocalServer() = default;

bool LocalServer::listen(const QString& name) {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(name);
    if (!server_->listen(name)) {
        return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            emit newConnection(new LocalSocket(socket, this));
        }
    });
    return true;
}

bool LocalServer::isListening() const {
    return server_ && server_->isListening();
}

} // namespace tavrok
