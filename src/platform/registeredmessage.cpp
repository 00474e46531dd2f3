#include "platform/registeredmessage.h"

#include "platform/localsocket.h"

#include <memory>
#include <unistd.h>

namespace tavrok {

RegisteredMessage::RegisteredMessage(const QString& name, QObject* parent) : QObject(parent), name_(name) {
    const QString socket = socketName(name);
    if (LocalSocket::connectTo(socket, 200)) {
        return; // someone answers there: leave it to them
    }
    server_ = new LocalServer(this); // in place of a socket left behind by a program that was killed
    if (!server_->listen(socket)) {
        delete server_;
        server_ = nullptr;
        return;
    }
    connect(server_, &LocalServer::newConnection, this, [this](LocalSocket* client) {
        auto buffer = std::make_shared<QByteArray>();
        connect(client, &LocalSocket::disconnected, client, [this, client, buffer] {
            if ((*buffer + client->readAll()).trimmed() == name_.toUtf8()) {
                emit received(); // a sender that did not end its line
            }
            client->deleteLater();
        });
        connect(client, &LocalSocket::readyRead, this, [this, client, buffer] {
            *buffer += client->readAll();
            for (qsizetype end = buffer->indexOf('\n'); end >= 0; end = buffer->indexOf('\n')) {
                const bool ours = buffer->left(end).trimmed() == name_.toUtf8();
                buffer->remove(0, end + 1);
                if (ours) {
                    emit received();
                }
            }
            if (buffer->size() > 1024) { // no line of ours is that long
                client->close();
                client->deleteLater();
            }
        });
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
