#include "storage/inifile.h"

#include "support/tempdir.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

QString payloadOf(int round) {
    return QString(QChar(u'a' + round % 26)).repeated(2000 + (round * 37) % 5000);
}

} // namespace

// A writer killed at any moment leaves either the file before one write or the file after it.
TEST(AtomicWrite, AKilledWriterNeverLeavesAPartialFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Nastaveni.ini"));
    QRandomGenerator random(20261206);
    int lastRound = -1;
    int progressed = 0;
    for (int run = 0; run < 60; ++run) {
        QProcess child;
        child.start(QStringLiteral(INI_WRITER_CHILD), {path});
        ASSERT_TRUE(child.waitForStarted());
        ASSERT_TRUE(child.waitForReadyRead(10000));
        ASSERT_EQ(child.readLine().trimmed(), QByteArray("ready"));
        QThread::usleep(random.bounded(200, 30000));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished();

        const QByteArray bytes = test::readBytes(path);
        ASSERT_TRUE(bytes.endsWith("[end]\nok=1\n")) << "run " << run << ": the file was cut";
        IniFile ini(path);
        const int round = ini.readInteger(u"data", u"round", -1);
        const int tail = ini.readInteger(u"data", u"tail", -1);
        const QString payload = ini.readString(u"data", u"payload");
        ASSERT_GE(round, 0) << "run " << run;
        ASSERT_TRUE(tail == round || tail == round - 1) << "run " << run;
        ASSERT_TRUE(payload == payloadOf(round) || payload == payloadOf(round - 1)) << "run " << run;
        progressed += round != lastRound;
        lastRound = round;
    }
    EXPECT_GT(progressed, 10) << "the writer must have been killed in the middle of its work";
}
