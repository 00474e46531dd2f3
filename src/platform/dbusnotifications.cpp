#include "platform/dbusnotifications.h"

#include "common/programlog.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace tavrok {

namespace {
const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
constexpr uchar Normal = 1;
constexpr uchar Critical = 2; // stays until the user answers it, as a ringing alarm should
} // namespace

DbusNotifications::DbusNotifications(QString appName, QString iconPath, QDBusConnection bus, QObject* parent)
    : QObject(parent), appName_(std::move(appName)), iconPath_(std::move(iconPath)), bus_(std::move(bus)) {
    bus_.connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
                 SLOT(actionInvoked(uint, QString)));
    bus_.connect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this,
                 SLOT(notificationClosed(uint, uint)));
    if (bus_.isConnected()) {
        auto* watcher = new QDBusPendingCallWatcher(
            bus_.asyncCall(QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("GetCapabilities"))),
            this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
            w->deleteLater();
            const QDBusPendingReply<QStringList> reply = *w;
            if (!reply.isError()) {
                markup_ = reply.value().contains(QStringLiteral("body-markup"));
                capabilitiesKnown_ = true;
            }
        });
    }
}

DbusNotifications::~DbusNotifications() {
    if (closedAny_ && bus_.isConnected()) {
        // A call answered after them: the closes sent before it have reached the server.
        (void)bus_.call(QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("GetCapabilities")),
                        QDBus::Block, 300);
    }
}

quint64 DbusNotifications::send(const Notice& notice) {
    if (!bus_.isConnected()) {
        if (!std::exchange(failureLogged_, true)) {
            zapisDoLogu(QStringLiteral("No session bus: desktop notifications are not sent."));
        }
        return 0;
    }
    QStringList actions;
    for (const auto& [key, caption] : notice.buttons) {
        actions << key << caption;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(notice.lasting ? Critical : Normal)},
                            {QStringLiteral("desktop-entry"), QStringLiteral("cz.tavrok.Tavrok")}};
    // A message is shown as the user typed it: escaped where the server reads markup.
    call << appName_ << uint(0) << iconPath_ << notice.summary << (markup_ ? notice.body.toHtmlEscaped() : notice.body)
         << actions << hints << (notice.lasting ? 0 : -1);
    const quint64 ours = ++lastNotice_;
    pending_[ours] = false;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, ours](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        const bool withdrawn = pending_[ours];
        pending_.erase(ours);
        if (reply.isError()) {
            if (!std::exchange(failureLogged_, true)) {
                zapisDoLogu(QStringLiteral("Desktop notifications are not shown: ") + reply.error().message());
            }
            return;
        }
        failureLogged_ = false; // a server came: a later absence is news again
        if (withdrawn) {
            close(reply.value());
        } else {
            serverIds_[ours] = reply.value();
        }
    });
    return ours;
}

void DbusNotifications::withdraw(quint64 notice) {
    if (const auto it = serverIds_.find(notice); it != serverIds_.end()) {
        close(it->second);
        serverIds_.erase(it);
    } else if (const auto waiting = pending_.find(notice); waiting != pending_.end()) {
        waiting->second = true; // the server has not answered yet: closed when it does
    }
}

void DbusNotifications::close(uint serverId) {
    closedAny_ = true;
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("CloseNotification"));
    call << serverId;
    bus_.asyncCall(call);
}

void DbusNotifications::actionInvoked(uint id, const QString& key) {
    for (const auto& [ours, serverId] : serverIds_) {
        if (serverId == id) {
            if (onButton) {
                onButton(ours, key);
            }
            return;
        }
    }
}

void DbusNotifications::notificationClosed(uint id, uint /*reason*/) {
    for (auto it = serverIds_.begin(); it != serverIds_.end(); ++it) {
        if (it->second == id) {
            const quint64 ours = it->first;
            serverIds_.erase(it);
            if (onClosed) {
                onClosed(ours);
            }
            return;
        }
    }
}

} // namespace tavrok
