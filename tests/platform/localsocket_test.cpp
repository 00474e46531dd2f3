// The connection between starts of the program, as both ends see it: what a reader gets while it
// waits in a box of its own, the end of the connection, and a socket only the user may reach.
#include "platform/localsocket.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace tavrok::test {
namespace {

TEST(LocalSocket, AReaderWaitingInItsOwnLoopGetsTheRestAfterItsTurnInOrderThenTheEnd) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("sock"));
    LocalServer server;
    ASSERT_TRUE(server.listen(name));
    EXPECT_EQ(QFileInfo(name).permissions() & (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup), 0)
        << "only the user may connect";

    QByteArray got;
    int turns = 0;
    int nested = 0;
    int ends = 0;
    bool inTurn = false;
    QObject::connect(&server, &LocalServer::newConnection, &server, [&](LocalSocket* s) {
        QObject::connect(s, &LocalSocket::readyRead, s, [&, s] {
            nested += inTurn ? 1 : 0;
            inTurn = true;
            ++turns;
            got += s->readAll();
            if (turns == 1) { // a box: its loop runs while the sender goes on and closes
                QEventLoop box;
                QTimer::singleShot(300, &box, &QEventLoop::quit);
                box.exec();
            }
            inTurn = false;
        });
        QObject::connect(s, &LocalSocket::disconnected, s, [&, s] {
            ++ends;
            got += s->readAll();
            s->deleteLater();
        });
    });

    QLocalSocket sender; // another program, with Qt's own socket
    sender.connectToServer(name);
    ASSERT_TRUE(sender.waitForConnected(2000));
    sender.write("one\n");
    sender.flush();
    QTimer::singleShot(100, &sender, [&] {
        sender.write("two\nthree\n");
        sender.flush();
        sender.disconnectFromServer();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends > 0; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(got, QByteArray("one\ntwo\nthree\n"));
    EXPECT_EQ(nested, 0) << "no turn inside a turn";
    EXPECT_EQ(turns, 2);
    EXPECT_EQ(ends, 1);
}

TEST(LocalSocket, AClientFindsNobodyWhereNobodyListensAndSeesTheOtherEndGo) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("sock"));
    EXPECT_EQ(LocalSocket::connectTo(name, 100), nullptr);
    QFile stale(name); // a file where a killed program's socket was
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    EXPECT_EQ(LocalSocket::connectTo(name, 100), nullptr);

    LocalServer server;
    ASSERT_TRUE(server.listen(name)) << "in place of the stale one";
    LocalSocket* accepted = nullptr;
    QObject::connect(&server, &LocalServer::newConnection, &server, [&](LocalSocket* s) { accepted = s; });
    const std::unique_ptr<LocalSocket> client = LocalSocket::connectTo(name, 1000);
    ASSERT_NE(client, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return accepted != nullptr; }, 2000));
    EXPECT_FALSE(accepted->peerClosed());
    EXPECT_TRUE(accepted->write("answer\n"));
    EXPECT_TRUE(client->waitForReadyRead(1000));
    EXPECT_EQ(client->readAll(), QByteArray("answer\n"));
    client->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return accepted->peerClosed(); }, 2000)) << "the other end gave up";
    EXPECT_FALSE(accepted->write(QByteArray(1 << 20, 'x'))) << "nobody reads there";
}

} // namespace
} // namespace tavrok::test
