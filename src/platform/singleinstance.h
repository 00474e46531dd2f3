#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

namespace tavrok {

// One running program per user and program folder: a second start hands over to the first (which comes
// to the front) and ends, instead of writing the same files beside it.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `programFolder` tells installations apart: two copies of the program keep their own files.
    explicit SingleInstance(const QString& programFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance runs and was told to come forward: this one should end.
    bool handedOver();
    // Starts listening for later starts; call when this instance goes on.
    void listen();

    static QString serverName(const QString& programFolder);

signals:
    // A later start asked this instance to come forward.
    void activated();

private:
    QString name_;
    QLocalServer* server_ = nullptr;
    std::unique_ptr<QLockFile> lock_; // held from looking for the first until listening
};

} // namespace tavrok
