#include "storage/inifile.h"
#include "storage/inidocument.h"
#include "storage/savefile.h"
#include "storage/textcodec.h"

#include "support/diskfull.h"
#include "support/tempdir.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrok;
using tavrok::test::readBytes;
using tavrok::test::writeBytes;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Nastaveni.ini"));

    IniFile fileWith(const QByteArray& bytes) {
        writeBytes(path, bytes);
        return IniFile(path);
    }
};

} // namespace

TEST_F(IniFileTest, AMissingFileSectionOrKeyGivesTheDefaultAndTheFirstWriteCreatesTheFileButNotItsFolder) {
    IniFile ini(path);
    EXPECT_EQ(ini.readString(u"a", u"b", QStringLiteral("def")), QStringLiteral("def"));
    EXPECT_EQ(ini.readInteger(u"a", u"b", 5), 5);
    EXPECT_FALSE(ini.sectionExists(u"a"));
    EXPECT_FALSE(QFileInfo::exists(path)) << "reading never creates";
    ASSERT_TRUE(ini.writeString(u"info", u"program", QStringLiteral("Tavrok")));
    EXPECT_EQ(readBytes(path), QByteArray("[info]\nprogram=Tavrok\n"));
    ASSERT_TRUE(ini.writeInteger(u"a", u"b", 1));
    EXPECT_EQ(ini.readInteger(u"a", u"c", 9), 9);
    EXPECT_EQ(ini.readInteger(u"x", u"b", 9), 9);
    EXPECT_EQ(ini.readInteger(u"a", u"b", 9), 1);
    const QByteArray written = readBytes(path);

    IniFile nowhere(dir.filePath(QStringLiteral("missing/folder/x.ini")));
    EXPECT_FALSE(nowhere.writeInteger(u"a", u"b", 1));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
    EXPECT_EQ(nowhere.readInteger(u"a", u"b", 7), 7);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("blocker")));
    EXPECT_FALSE(IniFile(dir.filePath(QStringLiteral("blocker"))).writeInteger(u"a", u"b", 1))
        << "a folder in its place";
    EXPECT_FALSE(IniFile().writeInteger(u"a", u"b", 1));
    EXPECT_EQ(readBytes(path), written);
}

// Found by fuzzing: a key read from a hand-edited file ("[a]*k") written back with a value ending in ']'
// became a section header, and the value was gone.
TEST_F(IniFileTest, AKeyOrSectionThatWouldNotReadBackIsRefused) {
    IniFile ini = fileWith("[s]\n[a]*k=1\n");
    const QByteArray before = readBytes(path);
    for (const char* key : {"[a]*k", "a=b", ";k", "a\x01", "  "}) {
        EXPECT_FALSE(ini.writeString(u"s", QString::fromLatin1(key), QStringLiteral("x]"))) << key;
    }
    // Control characters (C0, DEL, C1) and the line and paragraph separators end or garble the line.
    for (const char16_t c : {u'\x7f', u'\x80', u'\x9f', u'\x2028'}) {
        const QString inside = QStringLiteral("a") + QChar(c) + QStringLiteral("b");
        EXPECT_FALSE(ini.writeString(u"s", inside, QStringLiteral("1"))) << int(c);
        EXPECT_FALSE(ini.writeString(inside, u"k", QStringLiteral("1"))) << int(c);
    }
    for (const QString& section : {QStringLiteral("a]b"), QStringLiteral("a[b"), QString(QChar(0x2029))}) {
        EXPECT_FALSE(ini.writeString(section, u"k", QStringLiteral("1"))) << section.toStdString();
    }
    EXPECT_FALSE(ini.writeString(u"a\nb", u"k", QStringLiteral("1")));
    // Half of a surrogate pair has no form in the file: the name would come back as another one.
    EXPECT_FALSE(ini.writeString(QString(QChar(0xD801)) + QLatin1Char('a'), u"k", QStringLiteral("1")));
    EXPECT_FALSE(ini.writeString(u"s", QString(QChar(0xDC00)), QStringLiteral("1")));
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(ini.readString(u"s", u"[a]*k"), QStringLiteral("1"));
    EXPECT_TRUE(ini.writeString(u"s", u"a]*k[", QStringLiteral("x]"))); // brackets inside a key are fine
    EXPECT_TRUE(
        ini.writeString(u"s\u00a0\u2027", u"k~\u00a0\u2030", QStringLiteral("1"))); // printable neighbours
    EXPECT_EQ(IniFile(path).readString(u"s", u"a]*k["), QStringLiteral("x]"));
    // Line breaks in a value become spaces.
    ASSERT_TRUE(ini.writeString(u"m", u"msg", QStringLiteral("line1\r\nline2\n[evil]\nx=1")));
    EXPECT_FALSE(ini.sectionExists(u"evil"));
    EXPECT_EQ(ini.readString(u"m", u"msg"), QStringLiteral("line1 line2 [evil] x=1"));
}

// A batch that stays open while the user answers questions: what the program wrote to the same file
// meanwhile stays, the batch's own steps are made again on top of it.
TEST_F(IniFileTest, ABatchThatKeepsOthersRedoesItsStepsOnAFileChangedMeanwhile) {
    IniFile mine = fileWith("[a]\nx=1\n[gone]\ny=1\n");
    IniBatch batch(mine, true);
    batch.writeString(u"a", u"x", QStringLiteral("2"));
    batch.eraseSection(u"gone");
    ASSERT_TRUE(IniFile(path).writeString(u"program", u"posledni", QStringLiteral("ring")));
    batch.deleteKey(u"a", u"z");
    ASSERT_TRUE(batch.commit());
    EXPECT_EQ(readBytes(path), QByteArray("[a]\nx=2\n[program]\nposledni=ring\n"));

    IniFile plain = fileWith("[a]\nx=1\n");
    IniBatch once(plain);
    once.writeString(u"a", u"x", QStringLiteral("2"));
    ASSERT_TRUE(IniFile(path).writeString(u"program", u"posledni", QStringLiteral("ring")));
    ASSERT_TRUE(once.commit());
    EXPECT_EQ(readBytes(path), QByteArray("[a]\nx=2\n")) << "an ordinary batch is one replacement";
}

// Parsing each form: IniValues. Here: what does not parse reads as the default, an empty value too.
TEST_F(IniFileTest, TypedReadsFallBackToTheDefaultOnBadValues) {
    IniFile ini = fileWith("[s]\nbad=12x\nb0=0\nb2=2\nbx=yes\nfx=1,2,3\ndtx=32.1.2026\nempty=\n");
    EXPECT_EQ(ini.readInteger(u"s", u"bad", -1), -1);
    EXPECT_EQ(ini.readInteger(u"s", u"empty", -1), -1);
    EXPECT_FALSE(ini.readBool(u"s", u"b0", true));
    EXPECT_TRUE(ini.readBool(u"s", u"b2", false)) << "any non-zero integer is true";
    EXPECT_TRUE(ini.readBool(u"s", u"bx", true));
    EXPECT_FALSE(ini.readBool(u"s", u"bx", false));
    EXPECT_EQ(ini.readFloat(u"s", u"fx", 7), 7);
    EXPECT_EQ(ini.readDateTime(u"s", u"dtx", -3), -3);
    EXPECT_EQ(ini.readString(u"s", u"empty", QStringLiteral("d")), QString()) << "an empty value is a value";
}

TEST_F(IniFileTest, OddFilesReadAsAPersonMeantThem) {
    IniFile ini =
        fileWith("\xEF\xBB\xBF; a comment\r\norphan=before any section\r\n  [ Sekce ]  \r\n"
                 "  klic   =   hodnota s mezerami   \r\ngarbage line without equals\r\n=no key\r\n"
                 "dup=first\r\nDUP=second\r\n[sekce]\r\ndup=third\r\nextra=from the repeated section\r\n"
                 "[other]\r\nlast=no final newline");
    EXPECT_EQ(ini.readString(u"SEKCE", u"KLIC"), QStringLiteral("hodnota s mezerami"));
    EXPECT_EQ(ini.readString(u"sekce", u"dup"), QStringLiteral("first"));
    EXPECT_EQ(ini.readString(u"sekce", u"extra"), QStringLiteral("from the repeated section"));
    EXPECT_EQ(ini.readString(u"other", u"last"), QStringLiteral("no final newline"));
    EXPECT_FALSE(ini.valueExists(u"", u"orphan"));
    EXPECT_EQ(ini.sectionNames(), (QStringList{QStringLiteral("Sekce"), QStringLiteral("other")}));
    EXPECT_EQ(ini.keyNames(u"sekce"),
              (QStringList{QStringLiteral("klic"), QStringLiteral("dup"), QStringLiteral("extra")}));
    EXPECT_EQ(fileWith("\xEF\xBB\xBF\xEF\xBB\xBF[a]\nk=1\n").readInteger(u"a", u"k", 0), 1) << "a mark twice";
    // Written back, every line of every section reads as a line break of one kind and entries without
    // blanks around them; comments and other lines stay as they were.
    IniFile mixed = fileWith("[a]\nk=1\n  s = 2 \nt=3\r\nu=4\rv=5\nn =8\no= 9\np\xC2\xA0=\xC2\xA0" "10\n=11\n"
                             ";q = 12\nr=\n m=13\nl=14 \n; c \n\n[b]\nw=6");
    ASSERT_TRUE(mixed.writeString(u"b", u"x", QStringLiteral("7")));
    EXPECT_EQ(readBytes(path), QByteArray("[a]\nk=1\ns=2\nt=3\nu=4\nv=5\nn=8\no=9\np=10\n=11\n;q = 12\nr=\n"
                                          "m=13\nl=14\n; c \n\n[b]\nw=6\nx=7\n"));
}

TEST_F(IniFileTest, CzechTextInUtf8AndInWindows1250) {
    IniFile utf8 = fileWith("[Budík]\nzpráva=Žluťoučký kůň úpěl ďábelské ódy\n");
    EXPECT_EQ(utf8.readString(u"BUDÍK", u"ZPRÁVA"), QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy"));

    // The same text as the Windows version wrote it.
    IniFile cp1250 = fileWith("[Bud\xEDk]\nzpr\xE1va=\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1\x62\x65lsk\xE9 \xF3\x64y\n");
    EXPECT_EQ(cp1250.readString(u"budík", u"zpráva"), QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy"));

    // Writing it back turns the file into UTF-8 and keeps the text.
    ASSERT_TRUE(cp1250.writeString(u"budík", u"nový", QStringLiteral("€ – ř")));
    const QByteArray bytes = readBytes(path);
    EXPECT_TRUE(bytes.contains("[Bud\xC3\xADk]"));
    EXPECT_EQ(IniFile(path).readString(u"budík", u"zpráva"), QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy"));
    EXPECT_EQ(IniFile(path).readString(u"budík", u"nový"), QStringLiteral("€ – ř"));

    // A UTF-8 file with one comment line another editor wrote in Windows-1250 keeps every other value,
    // also after the next save.
    IniFile mixed = fileWith("; pozn\xE1mka\n[nastaveni]\nzprava=P\xC5\x99\xC3\xADli\xC5\xA1 \xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88\n");
    EXPECT_EQ(mixed.readString(u"nastaveni", u"zprava"), QStringLiteral("Příliš žluťoučký kůň"));
    ASSERT_TRUE(mixed.writeInteger(u"nastaveni", u"vyska", 300));
    EXPECT_EQ(IniFile(path).readString(u"nastaveni", u"zprava"), QStringLiteral("Příliš žluťoučký kůň"));
    EXPECT_TRUE(readBytes(path).startsWith("; pozn\xC3\xA1mka\n")) << "the odd line is kept as its editor meant it";
}

TEST_F(IniFileTest, NamesMatchByUnicodeCaseAndAMissingSectionStaysMissingUntilWritten) {
    IniFile ini = fileWith("[Žluťoučký kůň]\n\xC2\xA0klíč\xC2\xA0=\xE2\x80\x83hodnota\xC2\xA0\n"
                           "[\xF0\x90\x90\x80]\nx=deseret\n" // U+10400, whose lower case is U+10428
                           "[ostatní]\ny=2\nkey=kelvin\n");
    EXPECT_EQ(ini.readString(u"ŽLUŤOUČKÝ KŮŇ", u"KLÍČ"), QStringLiteral("hodnota"));
    EXPECT_EQ(ini.readString(u"ostatní", u"\u212Aey"), QStringLiteral("kelvin")) << "the Kelvin sign folds to k";
    EXPECT_EQ(ini.readString(QString::fromUtf8("\xF0\x90\x90\xA8"), u"X"), QStringLiteral("deseret"));
    // Asked for twice after another section was read, a missing section is missing both times, and a
    // write creates it rather than landing in the section read before.
    EXPECT_EQ(ini.readInteger(u"ostatní", u"y", 0), 2);
    EXPECT_FALSE(ini.sectionExists(u"nová"));
    EXPECT_FALSE(ini.valueExists(u"nová", u"y"));
    ASSERT_TRUE(ini.writeInteger(u"nová", u"y", 3));
    EXPECT_EQ(ini.readInteger(u"ostatní", u"y", 0), 2);
    EXPECT_EQ(ini.readInteger(u"NOVÁ", u"y", 0), 3);
    EXPECT_TRUE(readBytes(path).endsWith("[nová]\ny=3\n"));
}

TEST_F(IniFileTest, ALongSectionWrittenKeyByKeyInOneBatchTakesTimeInProportionToItsLength) {
    IniFile ini(path);
    QElapsedTimer timer;
    timer.start();
    IniBatch batch(ini);
    for (int i = 0; i < 50000; ++i) {
        batch.writeString(u"mezicasy", QString::number(i), QStringLiteral("0;00:00:%1").arg(i % 60));
    }
    ASSERT_TRUE(batch.commit());
    EXPECT_LT(timer.elapsed(), 5000) << "each write searched the whole section";
    EXPECT_EQ(IniFile(path).readString(u"mezicasy", u"49999"), QStringLiteral("0;00:00:19"));
}

// Lines ended by a carriage return alone, as old Mac editors wrote them: each line is found from the one
// before, not by a search through the rest of the file.
TEST_F(IniFileTest, AFileOfCarriageReturnsOnlyIsReadAndSavedInTimeInProportionToItsLength) {
    QByteArray text = "[mezicasy]\r";
    for (int i = 0; i < 200000; ++i) {
        text += QByteArray::number(i) + "=0;00:00:" + QByteArray::number(i % 60) + "\r";
    }
    QElapsedTimer timer;
    timer.start();
    IniFile ini = fileWith(text);
    EXPECT_EQ(ini.readString(u"mezicasy", u"199999"), QStringLiteral("0;00:00:19"));
    ASSERT_TRUE(ini.writeString(u"jine", u"k", QStringLiteral("1")));
    EXPECT_LT(timer.elapsed(), 3000) << "each line searched the rest of the file";
    const QByteArray saved = readBytes(path);
    EXPECT_FALSE(saved.contains('\r'));
    EXPECT_TRUE(saved.startsWith("[mezicasy]\n0=0;00:00:0\n1=0;00:00:1\n"));
    EXPECT_EQ(IniFile(path).readString(u"mezicasy", u"199999"), QStringLiteral("0;00:00:19"));
}

TEST_F(IniFileTest, ALongSectionReadsTheSameWhetherSearchedWhereItStandsOrThroughItsIndex) {
    QByteArray text = "[seznam]\npocet=6000\n";
    for (int i = 1; i <= 6000; ++i) {
        text += QByteArray::number(i) + "=jmeno " + QByteArray::number(i) + "\n";
    }
    text += "POCET=second\n 17 = repeated\n[dalsi]\nk=1\n";
    const IniSnapshot ini = fileWith(text).snapshot();
    // The first reads search the text, later ones the index; another section read between them.
    for (int round = 0; round < 12; ++round) {
        EXPECT_EQ(ini.readString(u"seznam", u"Pocet"), QStringLiteral("6000")) << round;
        EXPECT_EQ(ini.readString(u"seznam", u"17"), QStringLiteral("jmeno 17")) << round;
        EXPECT_EQ(ini.readString(u"seznam", u"6000"), QStringLiteral("jmeno 6000")) << round;
        EXPECT_FALSE(ini.valueExists(u"seznam", u"6001")) << round;
        EXPECT_EQ(ini.readInteger(u"dalsi", u"k", 0), 1) << round;
    }
    EXPECT_EQ(ini.numberedValues(u"seznam", 5999, 3, QStringLiteral("?")),
              (QStringList{QStringLiteral("jmeno 5999"), QStringLiteral("jmeno 6000"), QStringLiteral("?")}));
    EXPECT_EQ(boundedListCount(ini, u"seznam", 100000, 1), 6000);
}

TEST_F(IniFileTest, AKeyIsWrittenOnceWhereverItsSectionStandsAndHoweverItWasRead) {
    // A section given twice: a new key goes to its first block, a key of the second is rewritten there.
    IniFile twice = fileWith("[a]\nx=1\n[b]\nk=1\n[A]\ny=2\n");
    ASSERT_TRUE(twice.writeString(u"a", u"z", QStringLiteral("3")));
    ASSERT_TRUE(twice.writeString(u"a", u"y", QStringLiteral("4")));
    EXPECT_EQ(readBytes(path), QByteArray("[a]\nx=1\nz=3\n[b]\nk=1\n[A]\ny=4\n"));
    // A list read often enough to have a key index, then given a new key and a changed one.
    QByteArray text = "[seznam]\n";
    for (int i = 1; i <= 100; ++i) {
        text += QByteArray::number(i) + "=v" + QByteArray::number(i) + "\n";
    }
    IniFile list = fileWith(text);
    for (int round = 0; round < 12; ++round) {
        EXPECT_EQ(list.readString(u"seznam", u"50"), QStringLiteral("v50")) << round;
    }
    for (const char* value : {"new", "newer"}) {
        ASSERT_TRUE(list.writeString(u"seznam", u"101", QString::fromLatin1(value)));
        ASSERT_TRUE(list.writeString(u"seznam", u"7", QString::fromLatin1(value)));
    }
    EXPECT_EQ(list.readString(u"seznam", u"101"), QStringLiteral("newer"));
    EXPECT_EQ(list.readString(u"seznam", u"7"), QStringLiteral("newer"));
    const QByteArray saved = readBytes(path);
    EXPECT_EQ(saved.count("\n101="), 1);
    EXPECT_EQ(saved.count("\n7="), 1);
    EXPECT_TRUE(saved.endsWith("\n100=v100\n101=newer\n"));
}

TEST_F(IniFileTest, GarbageAndVeryLongValuesNeverBreakReading) {
    QByteArray garbage;
    for (int i = 0; i < 20000; ++i) {
        garbage.append(static_cast<char>((i * 7919 + 13) % 255 + 1)); // no NUL: that would be no text
    }
    IniFile ini = fileWith(garbage + "\n[ok]\nkey=" + QByteArray(200000, 'x') + "\n");
    EXPECT_EQ(ini.readString(u"ok", u"key").size(), 200000);
    ASSERT_TRUE(ini.writeInteger(u"ok", u"n", 1));
    EXPECT_EQ(IniFile(path).readString(u"ok", u"key").size(), 200000);
}

TEST_F(IniFileTest, WritesKeepOrderAndRewriteInPlace) {
    IniFile ini = fileWith("; settings\n[b]\nx=1\ny=2\n\n[a]\nz=3\n");
    ASSERT_TRUE(ini.writeInteger(u"B", u"X", 10));
    ASSERT_TRUE(ini.writeString(u"b", u"new", QStringLiteral("v")));
    ASSERT_TRUE(ini.writeBool(u"c", u"flag", true));
    ASSERT_TRUE(ini.writeFloat(u"a", u"f", 0.5));
    EXPECT_EQ(readBytes(path), QByteArray("; settings\n[b]\nx=10\ny=2\nnew=v\n\n[a]\nz=3\nf=0,5\n\n[c]\nflag=1\n"));
}

TEST_F(IniFileTest, Utf16WithItsMarkIsReadAndWrittenBackAsUtf8) {
    const QString text = QStringLiteral("[info]\r\npocetBudiku=1\r\n1=Ráno\r\n[Ráno]\r\nzprava=Vstávej ☀\r\n");
    QByteArray le("\xFF\xFE"), be("\xFE\xFF");
    for (const QChar c : text) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    EXPECT_EQ(detectTextEncoding(le), TextEncoding::Utf16LE);
    EXPECT_EQ(detectTextEncoding(be), TextEncoding::Utf16BE);
    for (const QByteArray& bytes : {le, be}) {
        IniFile ini = fileWith(bytes);
        EXPECT_EQ(ini.readString(u"ráno", u"zprava"), QStringLiteral("Vstávej ☀"));
        ASSERT_TRUE(ini.writeString(u"info", u"program", QStringLiteral("Tavrok")));
        const QByteArray written = readBytes(path);
        EXPECT_FALSE(written.contains('\0'));
        EXPECT_EQ(IniFile(path).readString(u"Ráno", u"zprava"), QStringLiteral("Vstávej ☀"));
    }
}

TEST_F(IniFileTest, BytesThatAreNoTextAreNeverOverwritten) {
    static constexpr char JunkBytes[] = "[a]\nk=1\n\0\0\x01\x02binary";
    static constexpr char OddUtf16Bytes[] = "\xFF\xFE[\0a\0]";
    const QByteArray junk(JunkBytes, sizeof JunkBytes - 1);
    const QByteArray oddUtf16(OddUtf16Bytes, sizeof OddUtf16Bytes - 1);
    for (const QByteArray& bytes : {junk, oddUtf16}) {
        EXPECT_EQ(detectTextEncoding(bytes), TextEncoding::Undecodable);
        IniFile ini = fileWith(bytes);
        EXPECT_FALSE(ini.sectionExists(u"a"));
        EXPECT_FALSE(ini.writeString(u"a", u"b", QStringLiteral("c")));
        EXPECT_EQ(readBytes(path), bytes);
    }
    EXPECT_EQ(detectTextEncoding("k=\xE8"), TextEncoding::Windows1250);
    EXPECT_EQ(detectTextEncoding("\xEF\xBB\xBFk=\xC3\xA8"), TextEncoding::Utf8);
}

TEST_F(IniFileTest, ARepeatedKeyReadsAsItsFirstLineInWhateverOrderKeysAreRead) {
    IniFile ini = fileWith("[a]\nx=1\ny=2\nX=3\nz=4\n[b]\nx=5\n[A]\nx=6\ny=7\n");
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(ini.readInteger(u"a", u"z", 0), 4);
        EXPECT_EQ(ini.readInteger(u"a", u"x", 0), 1) << "the first line, though a later one was read last";
        EXPECT_EQ(ini.readInteger(u"a", u"y", 0), 2);
        EXPECT_EQ(ini.readInteger(u"b", u"x", 0), 5);
        EXPECT_EQ(ini.readInteger(u"A", u"Y", 0), 2);
    }
    EXPECT_EQ(ini.snapshot().keyNames(u"a"), (QStringList{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}));
}

TEST_F(IniFileTest, AFullDiskFailsTheSaveAndKeepsTheOldFile) {
    QByteArray old = "[a]\nkeep=1\n";
    for (int i = 0; i < 400; ++i) {
        old += "key" + QByteArray::number(i) + "=some value of the old file\n";
    }
    IniFile ini = fileWith(old);
    {
        const test::DiskFull full(4096); // room for part of the new file only
        EXPECT_FALSE(ini.writeString(u"a", u"new", QStringLiteral("x")));
    }
    EXPECT_EQ(readBytes(path), old) << "the old file stays whole";
    EXPECT_FALSE(ini.valueExists(u"a", u"new"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Nastaveni.ini")})
        << "no temporary file is left behind";
}

TEST_F(IniFileTest, EraseSectionAndDeleteKeyTakeEveryOccurrence) {
    IniFile ini = fileWith("[a]\nk=1\nj=2\n[b]\nk=3\n[A]\nk=4\n");
    ASSERT_TRUE(ini.deleteKey(u"a", u"K"));
    EXPECT_FALSE(ini.valueExists(u"a", u"k")) << "a repeated key must not surface after the delete";
    EXPECT_EQ(ini.readInteger(u"a", u"j", 0), 2);
    ASSERT_TRUE(ini.eraseSection(u"A"));
    EXPECT_FALSE(ini.sectionExists(u"a"));
    EXPECT_EQ(readBytes(path), QByteArray("[b]\nk=3\n"));
    ASSERT_TRUE(ini.eraseSection(u"nothing"));
    ASSERT_TRUE(ini.deleteKey(u"b", u"nothing"));
}

TEST_F(IniFileTest, AKeyAddedToSectionsNobodyReadLandsBeforeTheirBlankLines) {
    // Line breaks of both kinds, a comment last, a repeated section, a last line without its break.
    IniFile ini = fileWith("[a]\r\nk=1\r\n\r\n[b]\nk=2\n; note\n\n\n[a]\nm=3\n[c]\nk=4");
    IniBatch batch(ini);
    for (const char16_t* section : {u"a", u"b", u"c"}) {
        batch.writeString(section, u"p", QStringLiteral("X"));
    }
    // A snapshot held in between: the batch goes on in a copy, and the snapshot keeps what it saw.
    const IniSnapshot seen = batch.view();
    batch.writeString(u"b", u"q", QStringLiteral("Y"));
    batch.writeString(u"a", u"p", QStringLiteral("Z"));
    batch.writeString(u"c", u"k", QStringLiteral("5"));
    ASSERT_TRUE(batch.commit());
    EXPECT_EQ(readBytes(path), QByteArray("[a]\nk=1\np=Z\n\n[b]\nk=2\n; note\np=X\nq=Y\n\n\n[a]\nm=3\n[c]\nk=5\np=X\n"));
    EXPECT_EQ(seen.readString(u"a", u"p"), QStringLiteral("X"));
    EXPECT_EQ(seen.readString(u"c", u"k"), QStringLiteral("4"));
    EXPECT_FALSE(seen.valueExists(u"b", u"q"));
    EXPECT_EQ(seen.keyNames(u"b"), (QStringList{QStringLiteral("k"), QStringLiteral("p")}));
    // Erased after the keys were added, a section takes them along.
    ASSERT_TRUE(ini.eraseSection(u"b"));
    EXPECT_EQ(readBytes(path), QByteArray("[a]\nk=1\np=Z\n\n[a]\nm=3\n[c]\nk=5\np=X\n"));
}

TEST_F(IniFileTest, ASectionAddedAndErasedLeavesTheFileAsItWas) {
    for (const QByteArray& text : {QByteArray("[cesty]\nnastaveni=a\n"), QByteArray("[a]\nk=1\n\n[b]\nk=2\n"),
                                   QByteArray("; only a comment\n"), QByteArray("[a]\nk=1\n\n\n")}) {
        IniFile ini = fileWith(text);
        ASSERT_TRUE(ini.writeString(u"test", u"zapis", QStringLiteral("ok")));
        ASSERT_TRUE(ini.eraseSection(u"test"));
        EXPECT_EQ(readBytes(path), text);
    }
    // The last section erased and written again, as an import's overwrite does, again and again.
    IniFile ini = fileWith("[a]\nk=1\n\n[b]\nk=2\n");
    for (int i = 0; i < 3; ++i) {
        IniBatch overwrite(ini);
        overwrite.eraseSection(u"b");
        overwrite.writeString(u"b", u"k", QStringLiteral("2"));
        ASSERT_TRUE(overwrite.commit());
    }
    EXPECT_EQ(readBytes(path), QByteArray("[a]\nk=1\n\n[b]\nk=2\n"));
    // A header with a comment behind it is that section.
    const IniFile commented = fileWith("[nastaveni] ; moje\nvyska=300\n[x]# the rest\nk=1\n");
    EXPECT_EQ(commented.readInteger(u"nastaveni", u"vyska", 0), 300);
    EXPECT_EQ(commented.readInteger(u"x", u"k", 0), 1);
}

TEST_F(IniFileTest, AChangeByAnyoneIsSeenByTheNextRead) {
    IniFile ini = fileWith("[a]\nb=1\n");
    IniFile other(path);
    EXPECT_EQ(ini.readInteger(u"a", u"b", 0), 1);

    ASSERT_TRUE(other.writeInteger(u"a", u"b", 2));
    EXPECT_EQ(ini.readInteger(u"a", u"b", 0), 2);

    // Rewritten in place by another program, same size, within the same clock tick.
    writeBytes(path, "[a]\nb=3\n");
    EXPECT_EQ(ini.readInteger(u"a", u"b", 0), 3);

    // A write through a stale handle must not undo the other writer's change.
    writeBytes(path, "[a]\nb=3\nc=4\n");
    ASSERT_TRUE(other.writeInteger(u"a", u"d", 5));
    EXPECT_EQ(ini.readInteger(u"a", u"c", 0), 4);

    QFile::remove(path);
    EXPECT_EQ(ini.readInteger(u"a", u"b", -1), -1);
}

TEST_F(IniFileTest, EveryValueTypeRoundTrips) {
    IniFile ini(path);
    const TDateTime moment = *tryEncodeDateTime({2031, 7, 4}, {23, 59, 58, 0});
    ASSERT_TRUE(ini.writeInteger(u"s", u"i", -123456));
    ASSERT_TRUE(ini.writeBool(u"s", u"b", false));
    ASSERT_TRUE(ini.writeFloat(u"s", u"f", 3.141592653589793));
    ASSERT_TRUE(ini.writeDateTime(u"s", u"dt", moment));
    ASSERT_TRUE(ini.writeTime(u"s", u"t", *tryEncodeTime(6, 7, 8)));
    ASSERT_TRUE(ini.writeString(u"s", u"text", QStringLiteral("  padded  ")));
    IniFile again(path);
    EXPECT_EQ(again.readInteger(u"s", u"i", 0), -123456);
    EXPECT_FALSE(again.readBool(u"s", u"b", true));
    EXPECT_DOUBLE_EQ(again.readFloat(u"s", u"f", 0), 3.14159265358979);
    EXPECT_EQ(again.readDateTime(u"s", u"dt", 0), moment);
    EXPECT_EQ(again.readTime(u"s", u"t", 0), *tryEncodeTime(6, 7, 8));
    EXPECT_EQ(again.readString(u"s", u"text"), QStringLiteral("padded"));
    EXPECT_EQ(readBytes(path), QByteArray("[s]\ni=-123456\nb=0\nf=3,14159265358979\ndt=4.7.2031 23:59:58\n"
                                          "t=6:07:08\ntext=padded\n"));
}

TEST_F(IniFileTest, ASnapshotKeepsTheFileAsItWasWhileTheHandleMovesOn) {
    IniFile ini = fileWith("[a]\nb=1\n");
    const IniSnapshot before = ini.snapshot();
    ASSERT_TRUE(ini.writeInteger(u"a", u"b", 2));
    ASSERT_TRUE(ini.writeInteger(u"a", u"c", 3));
    EXPECT_EQ(before.readInteger(u"a", u"b", 0), 1);
    EXPECT_FALSE(before.valueExists(u"a", u"c"));
    EXPECT_EQ(ini.snapshot().readInteger(u"a", u"b", 0), 2);
    EXPECT_EQ(IniSnapshot().readInteger(u"a", u"b", 7), 7) << "an empty snapshot reads defaults";
}

TEST(BytesHash, TheSameBytesGiveTheSameHashHoweverTheyAreCutAndAnyChangeAnother) {
    QByteArray bytes(1000, Qt::Uninitialized);
    for (int i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7 + 3);
    }
    const auto hashOf = [](const QByteArray& b, std::initializer_list<qsizetype> cuts) {
        detail::BytesHash hash;
        qsizetype at = 0;
        for (const qsizetype cut : cuts) {
            hash.add(b.constData() + at, static_cast<size_t>(cut - at));
            at = cut;
        }
        hash.add(b.constData() + at, static_cast<size_t>(b.size() - at));
        return hash.result();
    };
    const uint64_t whole = hashOf(bytes, {});
    EXPECT_EQ(hashOf(bytes, {1, 2, 3, 11, 500, 997}), whole);
    EXPECT_EQ(hashOf(bytes, {7, 15, 16, 999}), whole);
    QByteArray changed = bytes;
    changed[997] = static_cast<char>(changed[997] ^ 1);
    EXPECT_NE(hashOf(changed, {}), whole);
    EXPECT_NE(hashOf(bytes + '\0', {}), whole) << "a zero byte more";
    EXPECT_NE(hashOf(bytes.first(999), {}), whole);
}

TEST(LeftoverTemporaries, OnlyTheSavesOwnTemporariesOfThatFileAreRemoved) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Nastaveni.ini"));
    const QStringList kept = {QStringLiteral("Nastaveni.ini"), QStringLiteral("Nastaveni.ini.tmp-abc12"),
                              QStringLiteral("Nastaveni.ini.tmp-abc1234"), QStringLiteral("Nastaveni.ini.tmp-ab_123"),
                              QStringLiteral("Budiky.ini.tmp-abc123"), QStringLiteral("xNastaveni.ini.tmp-abc123")};
    for (const QString& name : kept + QStringList{QStringLiteral("Nastaveni.ini.tmp-aB3xY9"),
                                                  QStringLiteral("Nastaveni.ini.tmp-000000")}) {
        writeBytes(dir.filePath(name), "x");
    }
    EXPECT_EQ(removeLeftoverTemporaries(ini), 2);
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    left.sort();
    QStringList expected = kept;
    expected.sort();
    EXPECT_EQ(left, expected);
}
