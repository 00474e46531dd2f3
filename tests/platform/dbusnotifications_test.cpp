// Desktop notifications over a private session bus, with a notification server of the test's own.
#include "platform/dbusnotifications.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace tavrok::test {

// org.freedesktop.Notifications as a desktop offers it: records what it is sent and presses buttons.
class FakeNotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Shown {
        QString app, icon, summary, body;
        QStringList actions;
        QVariantMap hints;
        int timeout = 0;
    };
    std::map<uint, Shown> shown;
    std::vector<uint> closed;
    QStringList capabilities{QStringLiteral("actions"), QStringLiteral("body"), QStringLiteral("body-markup")};

    void press(uint id, const QString& key) { emit ActionInvoked(id, key); }

public slots:
    uint Notify(const QString& app, uint /*replaces*/, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout) {
        shown[++last_] = {app, icon, summary, body, actions, hints, timeout};
        return last_;
    }
    void CloseNotification(uint id) {
        closed.push_back(id);
        emit NotificationClosed(id, 3);
    }
    QStringList GetCapabilities() { return capabilities; }

signals:
    void ActionInvoked(uint id, const QString& key);
    void NotificationClosed(uint id, uint reason);

private:
    uint last_ = 0;
};

namespace {

// A bus of the test's own: nothing reaches the desktop the tests run on.
class PrivateBus : public ::testing::Test {
protected:
    QProcess daemon;
    QString address;
    void SetUp() override {
        daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                     QStringLiteral("--print-address")});
        ASSERT_TRUE(daemon.waitForStarted(5000));
        for (int i = 0; i < 500 && !daemon.canReadLine(); ++i) {
            daemon.waitForReadyRead(10);
        }
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        ASSERT_FALSE(address.isEmpty());
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("server"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        daemon.terminate();
        daemon.waitForFinished(2000);
    }
    QDBusConnection connect(const char* name) {
        return QDBusConnection::connectToBus(address, QString::fromLatin1(name));
    }
};

} // namespace

// A ring's notice reaches the server with the program's name, its texts and buttons, and stays until
// answered; a pressed button comes back under the notice's own number, and a withdrawn one is closed.
TEST_F(PrivateBus, ANoticeGoesOutItsButtonComesBackAndAWithdrawnOneCloses) {
    QDBusConnection serverBus = connect("server");
    FakeNotificationServer server;
    ASSERT_TRUE(serverBus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                                         QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
    ASSERT_TRUE(serverBus.registerService(QStringLiteral("org.freedesktop.Notifications")));

    DbusNotifications notifications(QStringLiteral("Tavrok"), QStringLiteral("/usr/share/icons/tavrok.png"),
                                    connect("client"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return notifications.knowsCapabilities(); }));
    std::vector<std::pair<quint64, QString>> pressed;
    notifications.onButton = [&](quint64 notice, const QString& key) { pressed.emplace_back(notice, key); };
    const quint64 first = notifications.send(
        {QStringLiteral("Ráno"), QStringLiteral("Vstávej <hned> & teď"), {{QStringLiteral("stop"), QStringLiteral("Vypnout zvuk")}}});
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.shown.size() == 1; }));
    const auto& shown = server.shown.begin()->second;
    EXPECT_EQ(shown.app, QStringLiteral("Tavrok"));
    EXPECT_EQ(shown.icon, QStringLiteral("/usr/share/icons/tavrok.png"));
    EXPECT_EQ(shown.summary, QStringLiteral("Ráno"));
    EXPECT_EQ(shown.body, QStringLiteral("Vstávej &lt;hned&gt; &amp; teď")) << "shown as typed, not as markup";
    EXPECT_EQ(shown.hints.value(QStringLiteral("urgency")).toInt(), 2) << "critical: a ring stays";
    EXPECT_EQ(shown.actions, (QStringList{QStringLiteral("stop"), QStringLiteral("Vypnout zvuk")}));
    EXPECT_EQ(shown.timeout, 0) << "stays until answered";

    server.press(server.shown.begin()->first, QStringLiteral("stop"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pressed.size() == 1; }));
    EXPECT_EQ(pressed[0], (std::pair<quint64, QString>{first, QStringLiteral("stop")}));

    const quint64 second = notifications.send({QStringLiteral("Oběd"), {}, {}});
    notifications.withdraw(second); // before the server answered: closed once it does
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.closed.size() == 1; }));
    EXPECT_EQ(server.closed[0], 2u);
    server.press(2, QStringLiteral("stop"));
    QTest::qWait(100);
    EXPECT_EQ(pressed.size(), 1u) << "a closed notice's button is nobody's";
}

// A server that shows plain text gets the message as typed; a passing notice goes by itself; a notice the
// server closed is said to be closed.
TEST_F(PrivateBus, PlainTextServersPassingNoticesAndClosedOnes) {
    QDBusConnection serverBus = connect("server");
    FakeNotificationServer server;
    server.capabilities = {QStringLiteral("actions"), QStringLiteral("body")};
    ASSERT_TRUE(serverBus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                                         QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
    ASSERT_TRUE(serverBus.registerService(QStringLiteral("org.freedesktop.Notifications")));
    DbusNotifications notifications(QStringLiteral("Tavrok"), QString(), connect("client"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return notifications.knowsCapabilities(); }));
    std::vector<quint64> closed;
    notifications.onClosed = [&](quint64 notice) { closed.push_back(notice); };

    DesktopNotifications::Notice passing{QStringLiteral("Odpočítávání"), QStringLiteral("Zbývá <5> min & víc"), {}};
    passing.lasting = false;
    const quint64 id = notifications.send(passing);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.shown.size() == 1; }));
    EXPECT_EQ(server.shown[1].body, QStringLiteral("Zbývá <5> min & víc"));
    EXPECT_EQ(server.shown[1].hints.value(QStringLiteral("urgency")).toInt(), 1);
    EXPECT_EQ(server.shown[1].timeout, -1) << "the server's own time";
    server.CloseNotification(1); // as the user dismissing it
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed.size() == 1; }));
    EXPECT_EQ(closed[0], id);
}

// Without a server the notice is dropped quietly: the sender goes on, and the log says so once.
TEST_F(PrivateBus, WithoutAServerNothingBreaks) {
    DbusNotifications notifications(QStringLiteral("Tavrok"), QString(), connect("client"));
    EXPECT_NE(notifications.send({QStringLiteral("Ráno"), {}, {}}), 0u);
    EXPECT_NE(notifications.send({QStringLiteral("Ráno"), {}, {}}), 0u);
    QTest::qWait(200);
    notifications.withdraw(1);
}

} // namespace tavrok::test

#include "dbusnotifications_test.moc"
