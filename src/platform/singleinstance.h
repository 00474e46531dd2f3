#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <utility>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace tavrok {

// One running program per user and program folder: a second start hands over to the first and ends,
// instead of writing the same files beside it. A plain start brings the first to the front; a start
// with commands (the command line's switches) has the first carry them out and answer.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `programFolder` tells installations apart: two copies of the program keep their own files.
    explicit SingleInstance(const QString& programFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    struct HandOver {
        bool handedOver = false; // another instance runs and was told: this one should end
        bool answered = true;    // false: it did not answer the commands (an older version, or it ended)
        bool done = true;        // the commands were carried out
        QString why;             // else the running program's reason
    };
    // Without words the running instance comes to the front; with words it carries them out.
    HandOver handOver(const QStringList& words = {});
    // Starts listening for later starts; call when this instance goes on.
    void listen();

    static QString serverName(const QString& programFolder);

    // Carries out the words a later start handed over: done, or refused with the reason.
    std::function<std::pair<bool, QString>(const QStringList& words)> onCommand;

signals:
    // A later start asked this instance to come forward.
    void activated();

private:
    QString name_;
    QLocalServer* server_ = nullptr;
    std::unique_ptr<QLockFile> lock_; // held from looking for the first until listening
    std::map<QLocalSocket*, QByteArray> buffers_; // what each later start has sent so far
};

} // namespace tavrok
