#include "platform/singleinstance.h"

#include "platform/localsocket.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <sys/stat.h>
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
    const std::unique_ptr<LocalSocket> socket = LocalSocket::connectTo(name_, WaitMs);
    if (!socket) {
        return {}; // nobody listens: this is the first
    }
    lock_.reset();
    HandOver result;
    result.handedOver = true;
    if (words.isEmpty()) {
        (void)socket->write(Activate);
        return result;
    }
    // One line: "command", then each word, separated by tabs; the answer is "0", or "1" and the reason.
    QStringList line{QString::fromLatin1(Command)};
    for (const QString& w : words) {
        line << QString(w).replace(u'\t', u' ').replace(u'\n', u' ');
    }
    (void)socket->write(line.join(u'\t').toUtf8() + '\n');
    QByteArray answer;
    while (!answer.contains('\n') && socket->waitForReadyRead(AnswerWaitMs)) {
        answer += socket->readAll();
    }
    answer += socket->readAll();
    if (!answer.contains('\n')) {
        // An older program that does not know commands, or one that ended meanwhile.
        return {true, false, {Status::Refused, {}}};
    }
    const QString reply = QString::fromUtf8(answer.left(answer.indexOf('\n')));
    result.answer.status = reply.startsWith(u'0')   ? Status::Done
                           : reply.startsWith(u'2') ? Status::Usage
                                                    : Status::Refused;
    result.answer.why = reply.section(u'\t', 1).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return result;
}

void SingleInstance::listen() {
    server_ = new LocalServer(this);
    // Nobody answered on the name while the lock is held: a socket there is one a killed program left.
    (void)server_->listen(name_);
    lock_.reset();
    connect(server_, &LocalServer::newConnection, this, [this](LocalSocket* socket) {
        connect(socket, &LocalSocket::readyRead, this, [this, socket] { readLines(socket); });
        connect(socket, &LocalSocket::disconnected, this, [this, socket] {
            buffers_.erase(socket);
            socket->deleteLater();
        });
    });
}

void SingleInstance::readLines(LocalSocket* socket) {
    QByteArray& buffer = buffers_[socket];
    buffer += socket->readAll();
    const QPointer<LocalSocket> guarded(socket);
    // Each line is one request; a line may come in parts.
    for (qsizetype end = buffer.indexOf('\n'); end >= 0; end = buffer.indexOf('\n')) {
        const QByteArray text = buffer.left(end);
        buffer.remove(0, end + 1);
        if (text.startsWith("activate")) {
            emit activated();
            continue;
        }
        QStringList words = QString::fromUtf8(text).split(u'\t');
        if (words.takeFirst() != QLatin1String(Command)) {
            continue;
        }
        if (!onCommand_ || !waiting_.empty()) {
            // Before the handler, or behind words still waiting for it: in the order they came.
            waiting_.emplace_back(guarded, words);
            if (onCommand_) {
                QTimer::singleShot(0, this, &SingleInstance::carryOutWaiting);
            }
            continue;
        }
        // The actions may open a box with its own event loop: the connection can end meanwhile, and
        // with it this buffer.
        carryOut(guarded, words);
        if (!guarded || !buffers_.count(socket)) {
            return;
        }
    }
    if (buffer.size() > 64 * 1024) { // no command is that long
        socket->close();
        buffers_.erase(socket);
        socket->deleteLater();
    }
}

void SingleInstance::carryOut(const QPointer<LocalSocket>& socket, const QStringList& words) {
    // The start that asked gave up waiting and said so: a retry must not find the words done twice. Its
    // end may still wait behind the words it wrote.
    if (!socket || socket->peerClosed()) {
        return;
    }
    const Answer a = onCommand_(words);
    if (!socket || socket->peerClosed()) {
        return; // the start that asked went away while the actions ran; they stand
    }
    QString reason = a.why;
    reason.replace(u'\n', QStringLiteral("\\n")).replace(u'\t', u' ');
    const QByteArray status = QByteArray::number(static_cast<int>(a.status));
    (void)socket->write((a.status == Status::Done ? status : status + '\t' + reason.toUtf8()) + '\n');
}

void SingleInstance::setCommandHandler(CommandHandler handler) {
    onCommand_ = std::move(handler);
    if (!waiting_.empty()) {
        QTimer::singleShot(0, this, &SingleInstance::carryOutWaiting);
    }
}

void SingleInstance::carryOutWaiting() {
    while (!waiting_.empty()) {
        const auto [socket, words] = waiting_.front();
        waiting_.erase(waiting_.begin());
        carryOut(socket, words);
    }
}

SingleInstance::HandOver startAndHandOver(const QString& programFolder, const QString& program,
                                          const QStringList& arguments, const QStringList& words, int waitMs) {
    QProcess starter;
    starter.setProgram(program);
    starter.setArguments(arguments);
    // The program outlives this start: it must not hold the caller's pipes open (`$(tavrok --split)`
    // would wait for it), but its log may go where this start's goes when that is a file or the journal.
    starter.setStandardInputFile(QProcess::nullDevice());
    starter.setStandardOutputFile(QProcess::nullDevice());
    struct stat err {};
    if (isatty(STDERR_FILENO) || fstat(STDERR_FILENO, &err) != 0 || S_ISFIFO(err.st_mode)) {
        starter.setStandardErrorFile(QProcess::nullDevice());
    }
    if (!starter.startDetached()) {
        return {};
    }
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < waitMs) {
        SingleInstance instance(programFolder);
        if (SingleInstance::HandOver h = instance.handOver(words); h.handedOver) {
            return h;
        }
        QThread::msleep(50);
    }
    return {};
}

} // namespace tavrok
