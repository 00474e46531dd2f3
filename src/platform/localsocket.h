#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QSocketNotifier;
class QLocalServer;
class QLocalSocket;

namespace tavrok {

// One end of a connection between programs of the same user on this machine: a stream socket named by
// a path (a name without a folder lies in the temporary folder). Programs that use Qt's local sockets
// connect to it as to their own. On Unix it is the system's socket itself, without Qt's network module.
class LocalSocket : public QObject {
    Q_OBJECT
public:
    ~LocalSocket() override;

    // Connects to whoever listens at that name, waiting up to `waitMs`; nothing when nobody does.
    static std::unique_ptr<LocalSocket> connectTo(const QString& name, int waitMs);

    // Connected, and the other end has not closed it as far as this end has read.
    bool isOpen() const;
    // What has come so far, without waiting.
    QByteArray readAll();
    // Waits up to `ms` for more to read: false when nothing came in that time or the other end closed.
    bool waitForReadyRead(int ms);
    // Sends all of it; false when the other end has gone.
    bool write(const QByteArray& bytes);
    // Whether the other end has closed the connection, looked at now without reading.
    bool peerClosed();
    // Ends the connection at once; what was not read is dropped.
    void close();

signals:
    // More has come (the end that listens): readAll takes it.
    void readyRead();
    // The other end closed the connection; what it sent before can still be read.
    void disconnected();

private:
    friend class LocalServer;
#ifdef Q_OS_UNIX
    explicit LocalSocket(int fd, bool watched, QObject* parent);
    void readAvailable();
    void deliver();
    int fd_ = -1;
    bool closedByPeer_ = false;
    bool delivering_ = false;
    bool toldClosed_ = false;
    quint64 taken_ = 0; // readAll calls
    QByteArray received_;
    QSocketNotifier* notifier_ = nullptr;
#else
    explicit LocalSocket(QLocalSocket* socket, QObject* parent);
    QLocalSocket* socket_ = nullptr;
#endif
};

// Listens at a name for programs of the same user; only they can connect.
class LocalServer : public QObject {
    Q_OBJECT
public:
    explicit LocalServer(QObject* parent = nullptr);
    ~LocalServer() override;

    // Listens at that name, in place of a socket a killed program left there.
    bool listen(const QString& name);
    bool isListening() const;

    // The full path a name stands for.
    static QString pathOf(const QString& name);

signals:
    // A program connected: the socket is this server's child until it is deleted.
    void newConnection(tavrok::LocalSocket* socket);

private:
#ifdef Q_OS_UNIX
    void acceptWaiting();
    int fd_ = -1;
    QByteArray path_;
    QSocketNotifier* notifier_ = nullptr;
#else
    QLocalServer* server_ = nullptr;
#endif
};

} // namespace tavrok
