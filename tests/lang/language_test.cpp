#include "lang/language.h"

#include "app/buttoncaptions.h"
#include "display/displayselection.h"
#include "support/tempdir.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

class LanguageTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    IniSnapshot file(const QByteArray& bytes, const QString& name = QStringLiteral("Test")) {
        const QString path = dir.filePath(name + QStringLiteral(".ini"));
        test::writeBytes(path, bytes);
        return IniFile(path).snapshot();
    }
    Language load(const QByteArray& bytes, const QString& name = QStringLiteral("Test")) {
        return Language(file(bytes, name), name);
    }
};

} // namespace

TEST_F(LanguageTest, WhatAFileLacksKeepsItsBuiltInTextAndAnEmptyValueIsAValue) {
    const Language missing(IniFile(dir.filePath(QStringLiteral("none.ini"))).snapshot(),
                           QStringLiteral("none"));
    EXPECT_EQ(missing.word(u"frmSeriovyPort", u"vstup1"), QString::fromUtf16(u"Spustit odpočítávání"));
    EXPECT_EQ(missing.text(u"frmNastaveni", u"lblJazyk", QStringLiteral("Jazyk:")), QStringLiteral("Jazyk:"));
    EXPECT_EQ(missing.version(), QString::fromUtf16(u"Neznámá"));
    EXPECT_EQ(missing.authorEnglish(), QStringLiteral("No author found."));

    const Language half = load("[frmSeriovyPort]\nvstup1=Start countdown\nvstup2=\n[info]\nverzeJazyka=3\n");
    EXPECT_EQ(half.word(u"frmSeriovyPort", u"vstup1"), QStringLiteral("Start countdown"));
    EXPECT_EQ(half.word(u"FRMSERIOVYPORT", u"VSTUP1"), QStringLiteral("Start countdown")) << "names ignore case";
    EXPECT_EQ(half.word(u"frmSeriovyPort", u"vstup2"), QString()) << "an empty value is a value";
    EXPECT_EQ(half.word(u"frmSeriovyPort", u"vstup3"), QStringLiteral("Zastavit tavrok"));
    EXPECT_EQ(half.version(), QStringLiteral("3"));
    EXPECT_EQ(half.authorCzech(), QString::fromUtf16(u"Nebyl uveden žádný autor."));
}

TEST_F(LanguageTest, TheWordsOfTheButtonsAndTheDisplaySettingsFollowTheFile) {
    const Language english = load("[frmHlavniOkno]\nbtnOdpZapVypnout=S&top\nbtnOdpPauzaPokracovat=&Resume\n"
                                  "[frmNastaveniDispleje]\nod=from:\nSCDny=Days\nSCHodiny10=Tens of hours\n");
    ButtonCaptions captions;
    EXPECT_EQ(captions.odpVypnout, QStringLiteral("&Stop"));
    captions.nacti(english);
    EXPECT_EQ(captions.odpVypnout, QStringLiteral("S&top"));
    EXPECT_EQ(captions.pokracovat, QStringLiteral("&Resume"));
    EXPECT_EQ(captions.budZapnout, QStringLiteral("Za&pnout")) << "a key the file lacks";

    EXPECT_EQ(rangeCaptions(0, 3, english).od, QStringLiteral("from: Days"));
    EXPECT_EQ(rangeCaptions(0, 3, english).do_, QStringLiteral("do: Tens of hours"));
    EXPECT_EQ(positionName(99, english), QStringLiteral("(nic)")) << "out of range is nothing";
}

TEST_F(LanguageTest, AWindowsFileInItsCodePageLoads) {
    // "Zpráva:" and "Žádný" as the Windows version wrote them, in Windows-1250.
    const Language cp1250 = load("[frmHlavniOkno]\r\nlblBudZprava=Zpr\xe1va:\r\n[frmSeriovyPort]\r\nzadny=\x8e\xe1\x64n\xfd\r\n");
    EXPECT_EQ(cp1250.text(u"frmHlavniOkno", u"lblBudZprava", {}), QString::fromUtf16(u"Zpráva:"));
    EXPECT_EQ(cp1250.word(u"frmSeriovyPort", u"zadny"), QString::fromUtf16(u"Žádný"));
}

TEST_F(LanguageTest, AFileFitsWhenItNamesTheProgramAndOneOfItsEntriesNamesThisVersion) {
    EXPECT_TRUE(languageIsForThisProgram(file("[info]\nprogram=Tavrok\n")));
    EXPECT_FALSE(languageIsForThisProgram(file("[info]\nprogram=tavrok\n"))) << "the comparison is exact";
    EXPECT_FALSE(languageIsForThisProgram(file("")));

    EXPECT_FALSE(languageFitsThisVersion(file("[info]\nprogram=Tavrok\n"))) << "no entries";
    EXPECT_TRUE(languageFitsThisVersion(file("[verzeProgramu]\npocet=2\nverze1=2.5\nverze2=2.51\n")));
    EXPECT_FALSE(languageFitsThisVersion(file("[verzeProgramu]\npocet=2\nverze1=2.5\nverze2=2.52\n")));
    EXPECT_FALSE(languageFitsThisVersion(file("[verzeProgramu]\npocet=1\nverze1=2.5\nverze2=2.51\n")))
        << "an entry beyond the count is not read";
    EXPECT_FALSE(languageFitsThisVersion(file("[verzeProgramu]\npocet=3\nverze01=2.51\n")));
    EXPECT_FALSE(languageFitsThisVersion(file("[verzeProgramu]\npocet=1\nverze1=2.51 beta\n")));

    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(languageFitsThisVersion(file("[verzeProgramu]\npocet=2147483647\nverze7=2.51\n")));
    EXPECT_LT(timer.elapsed(), 1000) << "a huge count costs nothing";
}

TEST_F(LanguageTest, QtSpeaksTheFilesLocaleOrTheOneItsNameSuggests) {
    EXPECT_EQ(load("[info]\nlocale=de\n").qtLocale(), QStringLiteral("de"));
    EXPECT_EQ(load("[frmHlavniOkno]\nbtnKonec=&Quit\n", QStringLiteral("English")).qtLocale(), QStringLiteral("en"));
    EXPECT_EQ(load("[frmHlavniOkno]\nbtnKonec=&Beenden\n", QStringLiteral("Deutsch")).qtLocale(), QStringLiteral("en"))
        << "closer to English than to Czech";
    EXPECT_EQ(load("[frmHlavniOkno]\nbtnKonec=&Konec\n", QStringLiteral("Cesky")).qtLocale(), QStringLiteral("cs"));
    EXPECT_EQ(load("", QStringLiteral("Missing")).qtLocale(), QStringLiteral("cs")) << "the built-in texts are Czech";
    EXPECT_EQ(Language().qtLocale(), QStringLiteral("cs"));
}
