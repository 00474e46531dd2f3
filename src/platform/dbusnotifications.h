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

    quint64 send(const Notice& notice) override;
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
};

} // namespace tavrok
