#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

class QLockFile;

namespace tavrok {

class LocalServer;
class LocalSocket;

// One running program per user and program folder: a second start hands over to the first and ends,
// instead of writing the same files beside it. A plain start brings the first to the front; a start
// with commands (the command line's switches) has the first carry them out and answer.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `programFolder` tells installations apart: two copies of the program keep their own files.
    explicit SingleInstance(const QString& programFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // What the running program made of the commands: the exit status the command line ends with.
    enum class Status { Done = 0, Refused = 1, Usage = 2 };
    struct Answer {
        Status status = Status::Done;
        QString why; // the reason of a refusal or a usage error, in the user's language
    };
    struct HandOver {
        bool handedOver = false; // another instance runs and was told: this one should end
        bool answered = true;    // false: it did not answer the commands (an older version, or it ended)
        Answer answer;
    };
    // Without words the running instance comes to the front; with words it carries them out.
    HandOver handOver(const QStringList& words = {});
    // Starts listening for later starts; call when this instance goes on.
    void listen();

    static QString serverName(const QString& programFolder);

    // Carries out the words later starts hand over. Words that come before there is a handler (the
    // program still loading) wait for it, and are carried out from the event loop once it is set.
    using CommandHandler = std::function<Answer(const QStringList& words)>;
    void setCommandHandler(CommandHandler handler);

signals:
    // A later start asked this instance to come forward.
    void activated();

private:
    void readLines(LocalSocket* socket);
    void carryOut(const QPointer<LocalSocket>& socket, const QStringList& words);
    void carryOutWaiting();

    QString name_;
    CommandHandler onCommand_;
    std::vector<std::pair<QPointer<LocalSocket>, QStringList>> waiting_; // words that came before a handler
    LocalServer* server_ = nullptr;
    std::unique_ptr<QLockFile> lock_; // held from looking for the first until listening
    std::map<LocalSocket*, QByteArray> buffers_; // what each later start has sent so far
};

// For a start with commands when no program runs: starts the program in the background (`program` with
// `arguments`, without the commands), waits up to `waitMs` for it to listen and hands the words over, so
// the command line answers as it does to a program that ran already. `handedOver` is false when the
// program could not be started or did not come up in time.
SingleInstance::HandOver startAndHandOver(const QString& programFolder, const QString& program,
                                          const QStringList& arguments, const QStringList& words, int waitMs);

} // namespace tavrok
