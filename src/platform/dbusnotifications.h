#pragma once

#include "platform/desktopnotifications.h"

#include <QDBusConnection>
#include <QObject>

#include <map>

namespace tavrok {

// DesktopNotifications through org.freedesktop.Notifications on the session bus. Calls are made without
// waiting: a server that is slow or missing never holds up a ring. A missing server is written to the
// program's log once.
class DbusNotifications : public QObject, public DesktopNotifications {
    Q_OBJECT
public:
    DbusNotifications(QString appName, QString iconPath, QDBusConnection bus = QDBusConnection::sessionBus(),
                      QObject* parent = nullptr);
    // Notices taken back just before the program ends reach the server before it does.
    ~DbusNotifications() override;

    quint64 send(const Notice& notice) override;
    // The server said what it can show (until then a body is escaped, as for one that reads markup).
    bool knowsCapabilities() const { return capabilitiesKnown_; }
    void withdraw(quint64 notice) override;

private slots:
    void actionInvoked(uint id, const QString& key);
    void notificationClosed(uint id, uint reason);

private:
    void close(uint serverId);

    QString appName_;
    QString iconPath_;
    QDBusConnection bus_;
    quint64 lastNotice_ = 0;
    std::map<quint64, uint> serverIds_;   // our notice -> the server's id, once it answered
    std::map<quint64, bool> pending_;     // sent, no answer yet: true when withdrawn meanwhile
    bool failureLogged_ = false;
    bool closedAny_ = false;
    // A server that shows markup reads "<" as a tag: the body is escaped for it, and only for it.
    bool markup_ = true;
    bool capabilitiesKnown_ = false;
};

} // namespace tavrok
