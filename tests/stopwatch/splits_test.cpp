#include "stopwatch/splitexport.h"
#include "stopwatch/splitsfile.h"

#include "storage/inifile.h"
#include "storage/savefile.h"
#include "support/diskfull.h"
#include "support/tempdir.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

using namespace tavrok;

namespace {

const QString Sep = QString(46, u'-');
const ExportTexts Headers{QString::fromUtf16(u"Pozice;Dny;Hodiny;Minuty;Sekundy;Tisíciny sekund"),
                          QString::fromUtf16(u"Pozice;Dny;Čas")};

} // namespace

TEST(SplitExport, LinesReadBackIntoNumbersAndOddLinesAreNoSplits) {
    const auto row = parseSplitLine(QStringLiteral("12:  3; 14:35:56,078"));
    ASSERT_TRUE(row);
    EXPECT_EQ(std::tuple(row->separator, row->number, row->days, row->hours, row->minutes, row->seconds, row->millis),
              std::tuple(false, qint64(12), qint64(3), 14, 35, 56, 78));
    for (const char* tooLarge : {"1:  0; 100:00:00,000", "1:  0; 00:100:00,000", "1:  0; 00:00:100,000",
                                 "1:  0; 00:00:00,1000"}) {
        EXPECT_FALSE(parseSplitLine(QString::fromLatin1(tooLarge))) << tooLarge;
    }
    EXPECT_TRUE(parseSplitLine(Sep)->separator);
    EXPECT_EQ(parseSplitLine(QStringLiteral("1:  99999999; 23:59:59,999"))->days, 99999999);
    EXPECT_FALSE(parseSplitLine(QString())) << "an empty line of a damaged file";
    EXPECT_FALSE(parseSplitLine(QStringLiteral("hello")));
    EXPECT_FALSE(parseSplitLine(QStringLiteral("1:  0; 00:01")));
    EXPECT_FALSE(parseSplitLine(QStringLiteral("1:  99999999999999999999; 00:00:00,000"))) << "no overflow";
}

TEST(SplitExport, BothFormsAsASpreadsheetReadsThem) {
    const QStringList lines = {Sep, QStringLiteral("1:  0; 00:01:02,345"), QStringLiteral("2:  1; 12:00:00,000"), Sep,
                               QStringLiteral("1:  0; 00:00:00,001"), QString()};
    const QStringList merged = exportujMezicasy(lines, QStringLiteral(";"), true, Headers, u',');
    EXPECT_EQ(merged, (QStringList{QString::fromUtf16(u"Pozice;Dny;Čas"), QStringLiteral("1;0;0,000721585648148148"),
                                   QStringLiteral("2;1;0,5"), QStringLiteral("-;-;-"),
                                   QStringLiteral("1;0;1,15740740740741E-8"), QString::fromUtf16(u"Vytvořeno programem Tavrok"),
                                   QStringLiteral("Created by Tavrok")}))
        << merged.join(u'|').toStdString();
    EXPECT_EQ(exportujMezicasy(lines, QStringLiteral(";"), true, Headers, u'.')[1], QStringLiteral("1;0;0.000721585648148148"));

    const QStringList separate = exportujMezicasy(lines, QStringLiteral("\t"), false, Headers, u',');
    EXPECT_EQ(separate[0], QString::fromUtf16(u"Pozice\tDny\tHodiny\tMinuty\tSekundy\tTisíciny sekund"))
        << "the header's columns split as the rows'";
    EXPECT_EQ(separate[1], QStringLiteral("1\t0\t0\t1\t2\t345"));
    EXPECT_EQ(separate[3], QStringLiteral("-\t-\t-\t-\t-\t-"));
    EXPECT_EQ(exportujMezicasy({}, QStringLiteral(";"), false, {QStringLiteral("A%dB"), {}}, u',')[0], QStringLiteral("A;B"));

    const QByteArray csv = csvBytes({QString::fromUtf16(u"Pozice;Dny;Čas"), QStringLiteral("1;0;0,5")});
    EXPECT_EQ(csv, QByteArray("\xEF\xBB\xBFPozice;Dny;\xC4\x8C" "as\r\n1;0;0,5\r\n"));
    EXPECT_EQ(clipboardText({QStringLiteral("a"), QStringLiteral("b")}), QStringLiteral("a\r\nb\r"));
    EXPECT_EQ(tiskoveRadky(lines, QStringLiteral("H")),
              (QStringList{QStringLiteral("H"), lines[1], lines[2], QString(), lines[4], QString(),
                           QString::fromUtf16(u"Vytvořeno programem Tavrok"), QStringLiteral("Created by Tavrok")}));
}

namespace {

class SplitsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Mezicasy.ini"));
    IniFile file{path};
    SplitSet set(std::initializer_list<const char*> lines, int counter) {
        SplitSet s;
        for (const char* l : lines) {
            s.lines << QString::fromUtf8(l);
        }
        s.counter = counter;
        return s;
    }
};

} // namespace

TEST_F(SplitsFileTest, SetsAreSavedListedNewestFirstLoadedAndDeletedClosingTheGap) {
    ASSERT_TRUE(oznacSouborMezicasu(file));
    ASSERT_TRUE(ulozMezicasy(file, QStringLiteral("Ráno"), set({"1:  0; 00:00:01,000", "2:  0; 00:00:02,000"}, 2)));
    ASSERT_TRUE(ulozMezicasy(file, QStringLiteral("Poledne"), set({"----", "1:  0; 00:00:03,000"}, 1)));
    ASSERT_TRUE(ulozMezicasy(file, QStringLiteral("Večer"), set({"1:  0; 00:00:04,000"}, 7)));
    EXPECT_EQ(nazvyMezicasu(file.snapshot()), (QStringList{QString::fromUtf16(u"Večer"), QStringLiteral("Poledne"),
                                                           QString::fromUtf16(u"Ráno")}));
    const SplitSet morning = nactiMezicasy(file.snapshot(), QString::fromUtf16(u"Ráno"));
    EXPECT_EQ(morning.lines, (QStringList{QStringLiteral("1:  0; 00:00:01,000"), QStringLiteral("2:  0; 00:00:02,000")}));
    EXPECT_EQ(morning.counter, 2);

    ASSERT_TRUE(vymazMezicasy(file, 2, QStringLiteral("Poledne"))); // the middle one
    const IniSnapshot after = file.snapshot();
    EXPECT_EQ(after.readInteger(u"info", u"pocetMezicasu", -1), 2);
    EXPECT_EQ(after.readString(u"info", u"2"), QString::fromUtf16(u"Večer"));
    EXPECT_FALSE(after.valueExists(u"info", u"3"));
    EXPECT_FALSE(after.sectionExists(u"Poledne"));
    EXPECT_EQ(nactiMezicasy(after, QString::fromUtf16(u"Večer")).counter, 7);
    EXPECT_EQ(after.readString(u"info", u"program"), QStringLiteral("Tavrok"));
}

TEST_F(SplitsFileTest, ANameMustBeNewAndFitTheFile) {
    ASSERT_TRUE(ulozMezicasy(file, QStringLiteral("Trenink"), set({"1:  0; 00:00:01,000"}, 1)));
    ASSERT_TRUE(ulozMezicasy(file, QString::fromUtf16(u"Á"), set({"1:  0; 00:00:01,000"}, 1)));
    const IniSnapshot s = file.snapshot();
    EXPECT_EQ(checkSplitName(s, QStringLiteral("Nový")), SplitNameCheck::Ok);
    EXPECT_EQ(checkSplitName(s, QString()), SplitNameCheck::Empty);
    EXPECT_EQ(checkSplitName(s, QStringLiteral("TRENINK")), SplitNameCheck::Exists);
    // The file itself does not tell "á" from "Á": a second set would write into the first one's section.
    EXPECT_EQ(checkSplitName(s, QString::fromUtf16(u"á")), SplitNameCheck::Exists);
    for (const char* bad : {"Info", "a]b", "[a", "a\nb", "a\rb", " a", "a "}) {
        EXPECT_EQ(checkSplitName(s, QString::fromUtf8(bad)), SplitNameCheck::Unstorable) << bad;
    }
}

TEST_F(SplitsFileTest, AHandEditedFileNeitherFloodsTheListNorBreaksIt) {
    test::writeBytes(path, "[info]\npocetMezicasu=2147483647\n1=A\n2=B\n1999999999=C\n[A]\npocetMezicasu=2000000000\n"
                           "posledniMezicas=2147483647\n0=1:  0; 00:00:01,000\n2=3:  0; 00:00:03,000\n"
                           "[B]\npocetMezicasu=2147483647\n0=x\n2147483647=y\n");
    EXPECT_EQ(nazvyMezicasu(file.snapshot()), (QStringList{QStringLiteral("B"), QStringLiteral("A")}));
    const SplitSet a = nactiMezicasy(file.snapshot(), QStringLiteral("A"));
    EXPECT_EQ(a.lines, (QStringList{QStringLiteral("1:  0; 00:00:01,000"), QString(), QStringLiteral("3:  0; 00:00:03,000")}))
        << "the missing line 1 is empty, and no more than the section holds";
    EXPECT_LT(a.counter, 2147483647) << "new splits can count on from it";
    EXPECT_LE(nactiMezicasy(file.snapshot(), QStringLiteral("B")).lines.size(), 70) << "a key numbered in the billions";

    EXPECT_FALSE(vymazMezicasy(file, 0, QStringLiteral("A")));
    EXPECT_FALSE(vymazMezicasy(file, 2, QStringLiteral("A"))) << "entry 2 names another set";
    ASSERT_TRUE(vymazMezicasy(file, 1, QStringLiteral("A")));
    const IniSnapshot after = file.snapshot();
    EXPECT_EQ(nazvyMezicasu(after), QStringList{QStringLiteral("B")});
    EXPECT_EQ(after.readInteger(u"info", u"pocetMezicasu", -1), 1);
    EXPECT_LT(after.keyNames(u"info").size(), 10) << "no keys made up for the count";
    EXPECT_FALSE(after.sectionExists(u"A"));
    EXPECT_TRUE(after.sectionExists(u"B"));
}

TEST_F(SplitsFileTest, AFailedSaveKeepsTheFileByteForByte) {
    ASSERT_TRUE(ulozMezicasy(file, QStringLiteral("A"), set({"1:  0; 00:00:01,000"}, 1)));
    const QByteArray before = test::readBytes(path);
    {
        const test::DiskFull full(static_cast<rlim_t>(before.size()));
        EXPECT_FALSE(ulozMezicasy(file, QStringLiteral("B"), set({"1:  0; 00:00:02,000"}, 1)));
    }
    EXPECT_EQ(test::readBytes(path), before);
    EXPECT_EQ(nazvyMezicasu(file.snapshot()), QStringList{QStringLiteral("A")});

    // Write-protected by its owner: neither replaced nor deleted, also when running as root.
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    EXPECT_FALSE(ulozMezicasy(file, QStringLiteral("B"), set({"1:  0; 00:00:02,000"}, 1)));
    EXPECT_FALSE(deleteFileKeepingLink(path));
    EXPECT_EQ(test::readBytes(path), before);
}
