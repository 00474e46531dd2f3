#include "platform/registeredmessage.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace tavrok {

RegisteredMessage::RegisteredMessage(const QString& name, QObject* parent) : QObject(parent), name_(name) {
    const QString socket = socketName(name);
    QLocalSocket probe;
    probe.connectToServer(socket);
    if (probe.waitForConnected(200)) {
        return; // someone answers there: leave it to them
    }
    QLocalServer::removeServer(socket); // left behind by a program that was killed
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socket)) {
        delete server_;
        server_ = nullptr;
        return;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, [this, client] {
                if (client->readAll().trimmed() == name_.toUtf8()) {
                    emit received(); // a sender that did not end its line
                }
                client->deleteLater();
            });
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                while (client->canReadLine()) {
                    if (client->readLine().trimmed() == name_.toUtf8()) {
                        emit received();
                    }
                }
                if (client->bytesAvailable() > 1024) {
                    client->abort(); // no line of ours is that long
                }
            });
        }
    });
}

RegisteredMessage::~RegisteredMessage() = default;

QString RegisteredMessage::socketName(const QString& name) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        return runtime + u'/' + name;
    }
    return QStringLiteral("%1-%2").arg(name).arg(getuid()); // Qt puts it in the temporary folder
}

bool RegisteredMessage::listening() const {
    return server_ && server_->isListening();
}

} // namespace tavrok
