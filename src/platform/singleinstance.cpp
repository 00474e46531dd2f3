#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QStringList>
#include <unistd.h>

namespace tavrok {

namespace {
constexpr char Activate[] = "activate\n";
constexpr char Command[] = "command";
constexpr int WaitMs = 1000;
// A command may wait for the running program's loop (a long save, a start-up box opening).
constexpr int AnswerWaitMs = 30'000;
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

SingleInstance::HandOver SingleInstance::handOver(const QStringList& words) {
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
        return {}; // nobody listens: this is the first
    }
    lock_.reset();
    HandOver result;
    result.handedOver = true;
    if (words.isEmpty()) {
        socket.write(Activate);
        socket.flush();
        socket.waitForBytesWritten(WaitMs);
        socket.disconnectFromServer();
        return result;
    }
    // One line: "command", then each word, separated by tabs; the answer is "0", or "1" and the reason.
    QStringList line{QString::fromLatin1(Command)};
    for (const QString& w : words) {
        line << QString(w).replace(u'\t', u' ').replace(u'\n', u' ');
    }
    socket.write(line.join(u'\t').toUtf8() + '\n');
    socket.flush();
    QByteArray answer;
    while (!answer.contains('\n') && socket.state() == QLocalSocket::ConnectedState &&
           socket.waitForReadyRead(AnswerWaitMs)) {
        answer += socket.readAll();
    }
    answer += socket.readAll();
    if (!answer.contains('\n')) {
        // An older program that does not know commands, or one that ended meanwhile.
        return {true, false, false, {}};
    }
    const QString reply = QString::fromUtf8(answer.left(answer.indexOf('\n')));
    result.done = reply.startsWith(u'0');
    result.why = reply.section(u'\t', 1).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return result;
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
                // A line may come in parts; a second line on the same connection is not read.
                QByteArray& line = buffers_[socket];
                line += socket->readAll();
                const qsizetype end = line.indexOf('\n');
                if (end < 0) {
                    if (line.size() > 64 * 1024) {
                        socket->abort(); // no command is that long
                    }
                    return;
                }
                const QByteArray text = line.left(end);
                line.clear();
                if (text.startsWith("activate")) {
                    emit activated();
                    return;
                }
                QStringList words = QString::fromUtf8(text).split(u'\t');
                if (words.takeFirst() != QLatin1String(Command) || !onCommand) {
                    return;
                }
                const auto [done, why] = onCommand(words);
                QString reason = why;
                reason.replace(u'\n', QStringLiteral("\\n")).replace(u'\t', u' ');
                socket->write((done ? QByteArray("0") : "1\t" + reason.toUtf8()) + '\n');
                socket->flush();
            });
            connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
                buffers_.erase(socket);
                socket->deleteLater();
            });
        }
    });
}

} // namespace tavrok
