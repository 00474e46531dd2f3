// A desktop's notification server for the scenarios: owns org.freedesktop.Notifications on the session
// bus and appends what it is sent to $FAKE_NOTIFICATIONS_LOG, a line each: "notify|id|summary|body|
// actions" (newlines as "\n", actions joined by ',') or "close|id". A scenario presses a button by calling
// cz.tavrok.test.Desktop.Press(ID, KEY) on its object /test (gdbus call --session --dest
// org.freedesktop.Notifications --object-path /test --method cz.tavrok.test.Desktop.Press ID KEY), and
// the server sends ActionInvoked and closes the notice, as a desktop does.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QVariantMap>

namespace {

void record(const QStringList& fields) {
    QFile log(qEnvironmentVariable("FAKE_NOTIFICATIONS_LOG"));
    if (log.open(QIODevice::Append)) {
        log.write(fields.join(u'|').replace(u'\n', QStringLiteral("\\n")).toUtf8() + '\n');
    }
}

class Server : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public slots:
    uint Notify(const QString& /*app*/, uint /*replaces*/, const QString& /*icon*/, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& /*hints*/, int /*timeout*/) {
        record({QStringLiteral("notify"), QString::number(++last_), summary, body, actions.join(u',')});
        return last_;
    }
    void CloseNotification(uint id) {
        record({QStringLiteral("close"), QString::number(id)});
        emit NotificationClosed(id, 3);
    }
    QStringList GetCapabilities() { return {QStringLiteral("actions"), QStringLiteral("body")}; }
    QString GetServerInformation(QString& vendor, QString& version, QString& spec) {
        vendor = QStringLiteral("tavrok-tests");
        version = QStringLiteral("1");
        spec = QStringLiteral("1.2");
        return QStringLiteral("fakenotifications");
    }

signals:
    void ActionInvoked(uint id, const QString& key);
    void NotificationClosed(uint id, uint reason);

private:
    uint last_ = 0;
};

class Control : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "cz.tavrok.test.Desktop")
public:
    explicit Control(Server& server) : server_(server) {}
public slots:
    void Press(uint id, const QString& key) {
        emit server_.ActionInvoked(id, key);
        emit server_.NotificationClosed(id, 2);
    }

private:
    Server& server_;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Server server;
    Control control(server);
    const auto all = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals;
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server, all) ||
        !bus.registerObject(QStringLiteral("/test"), &control, all) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        qCritical("fakenotifications: cannot serve on the session bus");
        return 1;
    }
    return QCoreApplication::exec();
}

#include "fakenotifications.moc"
