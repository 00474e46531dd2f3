#include "app/windowstate.h"

#include "storage/inifile.h"
#include "support/tempdir.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

class WindowStateTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Nastaveni.ini"));
    IniFile ini{path};

    void file(const QByteArray& bytes) { test::writeBytes(path, bytes); }
};

} // namespace

TEST_F(WindowStateTest, DefaultsWithoutAFileAndAnUnknownFunctionStartsTheAlarmClock) {
    const MenuChecks m = nactiStavHlavnihoOkna(ini);
    EXPECT_FALSE(m.doIkony);
    EXPECT_TRUE(m.zvuk);
    EXPECT_FALSE(m.vzdyNahore);
    EXPECT_EQ(startHeight(ini, 243), 243);
    EXPECT_EQ(startPosition(ini, QSize(1024, 768), QSize(177, 243)), QPoint(423, 262));
    EXPECT_EQ(funkceFromStored(startFunction(ini)), Funkce::Budik);
    EXPECT_FALSE(nactiPamatovanyOdpocet(ini));
    for (const int v : {0, 7, -1}) {
        EXPECT_EQ(funkceFromStored(v), Funkce::Budik) << v;
    }
    EXPECT_EQ(funkceFromStored(2), Funkce::Tavrok);
    EXPECT_EQ(funkceFromStored(3), Funkce::Odpocit);
}

TEST_F(WindowStateTest, CentredWinsOverRemembered) {
    file("[nastaveni]\npoziceCentrovat=1\npozicePamatovat=1\n[stavHlavnihoOkna]\nlevo=5\nhor=6\n");
    EXPECT_EQ(startPosition(ini, QSize(1000, 800), QSize(177, 241)), QPoint(411, 279));
    file("[nastaveni]\npozicePamatovat=1\n[stavHlavnihoOkna]\nlevo=5\nhor=6\n");
    EXPECT_EQ(startPosition(ini, QSize(1000, 800), QSize(177, 241)), QPoint(5, 6));
    file("[nastaveni]\npozicePamatovat=0\nposiceX=1\npoziceX=70\npoziceY=80\n");
    EXPECT_EQ(startPosition(ini, QSize(1000, 800), QSize(177, 241)), QPoint(70, 80));
}

TEST_F(WindowStateTest, HeightFromTheLargestTheRememberedOrTheSetting) {
    file("[nastaveni]\nvelikostNejvetsi=1\nvelikostPamatovat=1\nvyska=100\n[stavHlavnihoOkna]\nvyska=150\n");
    EXPECT_EQ(startHeight(ini, 243), 243);
    file("[nastaveni]\nvelikostPamatovat=1\nvyska=100\n[stavHlavnihoOkna]\nvyska=150\n");
    EXPECT_EQ(startHeight(ini, 243), 150);
    file("[nastaveni]\nvyska=100\n[stavHlavnihoOkna]\nvyska=150\n");
    EXPECT_EQ(startHeight(ini, 243), 100);
}

TEST_F(WindowStateTest, ExitStateIsWrittenAndReadBack) {
    ExitState e;
    e.position = QPoint(12, 34);
    e.height = 200;
    e.menu = {true, false, true};
    e.countdown = {90.0 / 86400.0, true, QStringLiteral("Čaj je hotový")};
    e.function = Funkce::Odpocit;
    e.lastVersionCheck = *tryEncodeDateTime({2026, 11, 1}, {8, 0, 0, 0});
    ASSERT_TRUE(ulozStavPriUkonceni(ini, e));

    IniFile again(path);
    const MenuChecks m = nactiStavHlavnihoOkna(again);
    EXPECT_TRUE(m.doIkony);
    EXPECT_FALSE(m.zvuk);
    EXPECT_TRUE(m.vzdyNahore);
    EXPECT_EQ(startFunction(again), 3);
    ASSERT_TRUE(again.writeBool(u"nastaveni", u"pamatovatOdpocit", true));
    const auto c = nactiPamatovanyOdpocet(again);
    ASSERT_TRUE(c);
    EXPECT_EQ(toMilliseconds(c->odpocitCas), 90'000);
    EXPECT_TRUE(c->odpocitOpakovat);
    EXPECT_EQ(c->odpocitZprava, QStringLiteral("Čaj je hotový"));
    EXPECT_EQ(again.readDateTime(u"stavProgramu", u"posledniKontrolaVerze", 0), e.lastVersionCheck);
    EXPECT_EQ(startPosition(again, QSize(1000, 800), QSize(1, 1)), QPoint(12, 34));
}

TEST_F(WindowStateTest, AFailingWriteEndsTheBlock) {
    QDir().mkpath(path); // a folder where the file should be
    EXPECT_FALSE(ulozStavPriUkonceni(ini, ExitState{}));
}

TEST_F(WindowStateTest, AStoredLengthTheDigitsCannotShowReadsAsMissing) {
    ASSERT_TRUE(ini.writeBool(u"nastaveni", u"pamatovatOdpocit", true));
    for (const char* value : {"1e300", "-5", "1000000", "nan", "inf"}) {
        ASSERT_TRUE(ini.writeString(u"stavHlavnihoOkna", u"odpocitCas", QString::fromLatin1(value)));
        const auto c = nactiPamatovanyOdpocet(ini);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->odpocitCas, 0.0) << value;
    }
    ASSERT_TRUE(ini.writeString(u"stavHlavnihoOkna", u"odpocitCas", QStringLiteral("999999,5")));
    EXPECT_EQ(nactiPamatovanyOdpocet(ini)->odpocitCas, 999'999.5);
}

TEST(WindowPosition, TheTitleBarLandsOnAPresentScreen) {
    const QSize window(177, 241);
    const QList<QRect> one{QRect(0, 0, 1024, 768)};
    EXPECT_EQ(keepTitleOnScreen({100, 100}, window, one, 32), QPoint(100, 100)) << "already on screen";
    EXPECT_EQ(keepTitleOnScreen({1900, 900}, window, one, 32), QPoint(1024 - 177, 768 - 241))
        << "saved on a larger monitor";
    EXPECT_EQ(keepTitleOnScreen({-100000, -100000}, window, one, 32), QPoint(0, 32));
    EXPECT_EQ(keepTitleOnScreen({500, 10}, window, one, 32), QPoint(500, 32)) << "the title bar above the top";
    // Two monitors side by side: the second one keeps a window that is on it.
    const QList<QRect> two{QRect(0, 0, 1024, 768), QRect(1024, 0, 1280, 1024)};
    EXPECT_EQ(keepTitleOnScreen({1900, 900}, window, two, 32), QPoint(1900, 900)) << "its title bar is on it";
    EXPECT_EQ(keepTitleOnScreen({1500, 300}, window, two, 32), QPoint(1500, 300));
    // The second monitor is gone: onto the first.
    EXPECT_EQ(keepTitleOnScreen({1500, 300}, window, one, 32), QPoint(1024 - 177, 300));
}
