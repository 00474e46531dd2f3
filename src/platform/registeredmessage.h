#pragma once

#include <QObject>
#include <QString>

namespace tavrok {

class LocalServer;

// A message other programs of the same user send to the program by name, as the updater confirms a
// finished check: they connect to the local socket of that name in the user's runtime folder and write
// the name as one line. Only the user's own programs can connect.
class RegisteredMessage : public QObject {
    Q_OBJECT
public:
    explicit RegisteredMessage(const QString& name, QObject* parent = nullptr);
    ~RegisteredMessage() override;

    // The socket a sender connects to: $XDG_RUNTIME_DIR/NAME, or NAME-UID in the temporary folder
    // ($TMPDIR, else /tmp) where the session has no runtime folder.
    static QString socketName(const QString& name);
    // False when another program listens there already (a second installation of the program).
    bool listening() const;

signals:
    void received();

private:
    QString name_;
    LocalServer* server_ = nullptr;
};

} // namespace tavrok
