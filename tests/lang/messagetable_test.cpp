#include "lang/messagetable.h"

#include "storage/inifile.h"
#include "support/tempdir.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrok;

TEST(MessageTable, HoldsTheBuiltInTextsWithLineBreaks) {
    const MessageTable table;
    EXPECT_EQ(table.text(56), QStringLiteral("Některý ze souborů nastavení v nové cestě již existuje.\n"
                                             "Chcete jej přepsat aktuálním nastavením?"));
    for (int n = 1; n <= MessageTable::Count; ++n) {
        EXPECT_FALSE(table.text(n).isEmpty()) << n;
        EXPECT_FALSE(table.text(n).contains(QStringLiteral("%13"))) << n;
    }
    EXPECT_TRUE(table.text(0).isEmpty());
    EXPECT_TRUE(table.text(MessageTable::Count + 1).isEmpty());
}

TEST(MessageTable, ALanguageFileLoadsOverTheBuiltInTexts) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("English.ini"));
    test::writeBytes(path, "[Messages]\nmessage2=No time entered.\nmessage14=Paused.%13Quit?\nmessage15=\n");
    MessageTable table;
    table.nacti(IniFile(path).snapshot());
    EXPECT_EQ(table.text(2), QStringLiteral("No time entered."));
    EXPECT_EQ(table.text(14), QStringLiteral("Paused.\nQuit?"));
    EXPECT_EQ(table.text(15), QString()) << "an empty value is a value";
    EXPECT_EQ(table.text(16), MessageTable::builtIn(16)) << "a missing key keeps the built-in text";

    table.nacti(IniFile(dir.filePath(QStringLiteral("missing.ini"))).snapshot());
    EXPECT_EQ(table.text(2), MessageTable::builtIn(2));
}

TEST(MessageTable, PlaceholdersAreReplacedAsPlainText) {
    EXPECT_EQ(fillPlaceholders(u"Soubor %d nelze uložit.", QStringLiteral("/home/a/%d/Nastaveni.ini")),
              QStringLiteral("Soubor /home/a/%d/Nastaveni.ini nelze uložit."));
    EXPECT_EQ(fillPlaceholders(u"%d and %d", QStringLiteral("x")), QStringLiteral("x and x"));
    EXPECT_EQ(fillPlaceholders(u"100% %s %1", QStringLiteral("x")), QStringLiteral("100% %s %1"));
    EXPECT_EQ(fillPlaceholders(u"v %d1 se zprávou: %d2",
                               {{u"%d1", QStringLiteral("7:00:00")}, {u"%d2", QStringLiteral("%d1!")}}),
              QStringLiteral("v 7:00:00 se zprávou: %d1!"));
}
