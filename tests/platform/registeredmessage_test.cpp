// Messages other programs send by name over the user's local socket, as the updater confirms a check.
#include "platform/registeredmessage.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tavrok::test {
namespace {

class RegisteredMessageTest : public ::testing::Test {
protected:
    QTemporaryDir runtime;
    void SetUp() override {
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    // Connects, writes, and closes, as a sender does.
    static void send(const QByteArray& bytes) {
        QLocalSocket socket;
        socket.connectToServer(RegisteredMessage::socketName(QStringLiteral("Zprava")));
        ASSERT_TRUE(socket.waitForConnected(2000));
        socket.write(bytes);
        ASSERT_TRUE(socket.waitForBytesWritten(2000));
        socket.disconnectFromServer();
        QTest::qWait(50);
    }
};

TEST_F(RegisteredMessageTest, EachLineWithTheNameIsOneMessage) {
    QFile stale(RegisteredMessage::socketName(QStringLiteral("Zprava")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly)); // a file left where a killed program's socket was
    stale.close();
    RegisteredMessage message(QStringLiteral("Zprava"));
    ASSERT_TRUE(message.listening()) << "the stale socket is taken over";
    EXPECT_EQ(RegisteredMessage::socketName(QStringLiteral("Zprava")), runtime.path() + QStringLiteral("/Zprava"));
    QSignalSpy received(&message, &RegisteredMessage::received);
    {
        RegisteredMessage second(QStringLiteral("Zprava"));
        EXPECT_FALSE(second.listening()) << "a second one leaves it alone";
        QSignalSpy stolen(&second, &RegisteredMessage::received);
        send("Zprava\n");
        EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() == 1; })) << received.size();
        EXPECT_EQ(stolen.size(), 0);
    }
    send("Zprava\r\nZprava\n"); // two in one write
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() == 3; })) << received.size();
    send("Zprava"); // no line end: the closing ends it
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() == 4; })) << received.size();
    send("Jina zprava\nZpravaX\n\n");
    send(QByteArray(4096, 'Z'));
    QTest::qWait(100);
    EXPECT_EQ(received.size(), 4) << "other texts and floods are no message";
}

TEST_F(RegisteredMessageTest, AFreshStartListensAndTheSocketGoesWithIt) {
    const QString path = RegisteredMessage::socketName(QStringLiteral("Zprava"));
    {
        RegisteredMessage message(QStringLiteral("Zprava"));
        ASSERT_TRUE(message.listening());
        QSignalSpy received(&message, &RegisteredMessage::received);
        send("Zprava\n");
        EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() == 1; })) << received.size();
    }
    EXPECT_FALSE(QFile::exists(path)) << "nothing is left for the next start to take over";
}

} // namespace
} // namespace tavrok::test
