// The information sound comes from the desktop's sound theme when it has a player for it.
#include "platform/desktopbeeper.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tavrok::test {
namespace {

TEST(DesktopBeeper, PlaysTheThemesInformationSoundThroughItsPlayer) {
    QTemporaryDir bin;
    const QString calls = bin.filePath(QStringLiteral("calls"));
    QFile player(bin.filePath(QStringLiteral("canberra-gtk-play")));
    ASSERT_TRUE(player.open(QIODevice::WriteOnly));
    player.write("#!/bin/sh\necho \"$@\" >> '" + calls.toUtf8() + "'\n");
    player.close();
    ASSERT_TRUE(player.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
    DesktopBeeper().informationBeep();
    qputenv("PATH", path);
    for (int i = 0; i < 200 && QFileInfo(calls).size() == 0; ++i) {
        QTest::qWait(10);
    }
    QFile played(calls);
    ASSERT_TRUE(played.open(QIODevice::ReadOnly)) << "the player was started";
    EXPECT_EQ(played.readAll(), QByteArray("--id=dialog-information --description=Tavrok\n"));
}

} // namespace
} // namespace tavrok::test
