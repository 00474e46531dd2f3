// A later start handing its switches to the running program over the user's local socket: the answers,
// words that come while the program still loads, several requests on one connection, and a start that
// gives up before the answer.
#include "platform/singleinstance.h"

#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace tavrok::test {
namespace {

using Status = SingleInstance::Status;

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir runtime;
    QString folder = QStringLiteral("/opt/tavrok-test");
    void SetUp() override {
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    // A later start, on its own thread: it blocks as the real one does while the program's loop answers.
    std::future<SingleInstance::HandOver> laterStart(QStringList words) {
        return std::async(std::launch::async,
                          [this, words] { return SingleInstance(folder).handOver(words); });
    }
    static SingleInstance::HandOver wait(std::future<SingleInstance::HandOver>& f) {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return f.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10'000));
        return f.get();
    }
    // Raw requests, as another client writes them, and the lines that come back.
    QList<QByteArray> exchange(const QByteArray& request, int answers) {
        QLocalSocket socket;
        socket.connectToServer(SingleInstance::serverName(folder));
        EXPECT_TRUE(socket.waitForConnected(2000));
        socket.write(request);
        socket.flush();
        QByteArray got;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                got += socket.readAll();
                return got.count('\n') >= answers;
            },
            5000));
        return got.split('\n').mid(0, answers);
    }
};

TEST_F(SingleInstanceTest, TheFirstListensAndALaterStartGetsTheAnswerWithItsStatusAndReason) {
    SingleInstance first(folder);
    ASSERT_FALSE(first.handOver().handedOver) << "nobody runs yet";
    first.listen();
    QStringList seen;
    first.setCommandHandler([&](const QStringList& words) {
        seen = words;
        if (words.contains(QStringLiteral("reset"))) {
            return SingleInstance::Answer{Status::Refused, QStringLiteral("nejde\tteď\nopravdu")};
        }
        if (words.contains(QStringLiteral("go"))) {
            return SingleInstance::Answer{Status::Usage, QStringLiteral("--stopwatch go")};
        }
        return SingleInstance::Answer{};
    });
    auto done = laterStart({QStringLiteral("--stopwatch"), QStringLiteral("start")});
    const SingleInstance::HandOver d = wait(done);
    EXPECT_TRUE(d.handedOver);
    EXPECT_TRUE(d.answered);
    EXPECT_EQ(d.answer.status, Status::Done);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("--stopwatch"), QStringLiteral("start")}));

    auto refused = laterStart({QStringLiteral("--stopwatch"), QStringLiteral("reset")});
    const SingleInstance::HandOver r = wait(refused);
    EXPECT_EQ(r.answer.status, Status::Refused);
    EXPECT_EQ(r.answer.why, QStringLiteral("nejde teď\nopravdu"))
        << "a tab cannot split the answer; lines stay";

    auto usage = laterStart({QStringLiteral("--stopwatch"), QStringLiteral("go")});
    EXPECT_EQ(wait(usage).answer.status, Status::Usage);

    QSignalSpy activated(&first, &SingleInstance::activated);
    auto plain = laterStart({});
    EXPECT_TRUE(wait(plain).handedOver);
    EXPECT_TRUE(activated.wait(2000)) << "a plain start brings the window forward";
}

TEST_F(SingleInstanceTest, WordsThatComeWhileTheProgramLoadsWaitForItsHandler) {
    SingleInstance first(folder);
    ASSERT_FALSE(first.handOver().handedOver);
    first.listen();
    auto early = laterStart({QStringLiteral("--split")});
    QTest::qWait(200);
    int handled = 0;
    first.setCommandHandler([&](const QStringList& words) {
        handled += words == QStringList{QStringLiteral("--split")};
        return SingleInstance::Answer{};
    });
    EXPECT_EQ(handled, 0) << "carried out from the event loop, not inside the setter";
    const SingleInstance::HandOver h = wait(early);
    EXPECT_TRUE(h.answered);
    EXPECT_EQ(h.answer.status, Status::Done);
    EXPECT_EQ(handled, 1);
}

TEST_F(SingleInstanceTest, EachLineOfOneConnectionIsAnsweredInOrder) {
    SingleInstance first(folder);
    ASSERT_FALSE(first.handOver().handedOver);
    first.listen();
    QStringList order;
    first.setCommandHandler([&](const QStringList& words) {
        order << words.join(u' ');
        return SingleInstance::Answer{Status::Refused, QStringLiteral("ne")};
    });
    const QList<QByteArray> answers = exchange("command\t--split\ncommand\t--show\n", 2);
    EXPECT_EQ(order, (QStringList{QStringLiteral("--split"), QStringLiteral("--show")}));
    EXPECT_EQ(answers, (QList<QByteArray>{"1\tne", "1\tne"}));
}

// A start that waited in vain (the program hung in a long save) has said "did not answer" and ended: its
// words are not carried out later, so a script that tries again does not get them done twice.
TEST_F(SingleInstanceTest, WordsOfAStartThatGaveUpAreNotCarriedOut) {
    SingleInstance first(folder);
    ASSERT_FALSE(first.handOver().handedOver);
    first.listen();
    QStringList done;
    first.setCommandHandler([&](const QStringList& words) {
        done << words.join(u' ');
        return SingleInstance::Answer{};
    });
    std::thread gaveUp([this] {
        QLocalSocket socket;
        socket.connectToServer(SingleInstance::serverName(folder));
        ASSERT_TRUE(socket.waitForConnected(2000));
        socket.write("command\t--stopwatch\tstop\n");
        socket.waitForBytesWritten(2000);
        socket.disconnectFromServer(); // gone before the program read a word
    });
    gaveUp.join(); // the program's loop runs only now, as after a hang
    auto later = laterStart({QStringLiteral("--split")});
    EXPECT_EQ(wait(later).answer.status, Status::Done);
    EXPECT_EQ(done, QStringList{QStringLiteral("--split")});
}

TEST_F(SingleInstanceTest, AProgramThatCannotStartIsNoHandOver) {
    const SingleInstance::HandOver h = startAndHandOver(folder, runtime.path() + QStringLiteral("/missing"),
                                                        {}, {QStringLiteral("--split")}, 2000);
    EXPECT_FALSE(h.handedOver);
}

} // namespace
} // namespace tavrok::test
