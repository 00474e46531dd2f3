// Stands in for the external updater and downloader: appends its arguments, joined by '|', as a line to
// $FAKE_UPDATER_LOG; shows the updater's window for $FAKE_UPDATER_WINDOW_MS ms (hidden at once while
// $FAKE_UPDATER_LOG.hidden exists, as an updater waiting in the notification area); then, unless
// FAKE_UPDATER_CONFIRM=0, confirms a finished check on the program's local socket.
#include <QFile>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QRasterWindow>
#include <QTimer>
#include <unistd.h>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QFile log(qEnvironmentVariable("FAKE_UPDATER_LOG"));
    if (log.open(QIODevice::Append)) {
        log.write(QCoreApplication::arguments().mid(1).join(u'|').toUtf8() + '\n');
        log.close();
    }
    QRasterWindow window;
    window.setTitle(QStringLiteral("Aktualizace programu Tavrok"));
    window.resize(320, 120);
    const int showMs = qEnvironmentVariableIntValue("FAKE_UPDATER_WINDOW_MS");
    if (showMs > 0) {
        window.show();
        if (QFile::exists(log.fileName() + QStringLiteral(".hidden"))) {
            QTimer::singleShot(100, &window, &QWindow::hide);
        }
    }
    QTimer::singleShot(showMs, &app, [] {
        if (qEnvironmentVariable("FAKE_UPDATER_CONFIRM") != QStringLiteral("0")) {
            const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
            const QString name = runtime.isEmpty() ? QStringLiteral("VerzeZkontrolovana-%1").arg(getuid())
                                                   : runtime + QStringLiteral("/VerzeZkontrolovana");
            QLocalSocket socket;
            socket.connectToServer(name);
            if (socket.waitForConnected(2000)) {
                socket.write("VerzeZkontrolovana\n");
                socket.waitForBytesWritten(2000);
                socket.disconnectFromServer();
            }
        }
        QCoreApplication::quit();
    });
    return QGuiApplication::exec();
}
