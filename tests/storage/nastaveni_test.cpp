#include "storage/nastaveni.h"

#include "platform/autostart.h"
#include "storage/inifile.h"
#include "support/diskfull.h"
#include "support/tempdir.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

class NastaveniTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    IniFile ini{dir.filePath(QStringLiteral("Nastaveni.ini"))};
};

} // namespace

TEST_F(NastaveniTest, RadioGroupsFallToTheirUnstoredMember) {
    test::writeBytes(ini.path(), "[nastaveni]\npozicePamatovat=0\nvelikostNejvetsi=0\nautomatickaAktualizace=0\n"
                                 "aktualizovatPriVypnuti=0\nspustitJako=0\nnechat=1\nnespoustetTavrok=1\n");
    const TNastaveni n = nactiNastaveni(ini);
    EXPECT_EQ(n.pozice, TNastaveni::Pozice::Vzdy);
    EXPECT_EQ(n.velikost, TNastaveni::Velikost::Vzdy);
    EXPECT_EQ(n.stahovani, TNastaveni::Stahovani::Nestahovat);
    EXPECT_EQ(n.aktualizace, TNastaveni::Aktualizace::PriSpusteniWindows);
    EXPECT_EQ(n.bezPrava, TNastaveni::BezPrava::Priste);
    EXPECT_EQ(n.ukonceni, TNastaveni::Ukonceni::Nechat);
    EXPECT_EQ(n.poOdpocitavani, TNastaveni::PoOdpocitavani::Nespoustet);
}

TEST_F(NastaveniTest, SavingWritesEveryOptionAndReadsBack) {
    TNastaveni n;
    n.ukonceni = TNastaveni::Ukonceni::Zeptat;
    n.pozice = TNastaveni::Pozice::Vzdy;
    n.poziceX = 40;
    n.poziceY = 50;
    n.zkratkaMezicasu = 0x4000 | 0x8000 | 'S';
    n.pouzitMezicas = true;
    n.jazyk = QStringLiteral("English");
    n.magnetovat = false;
    n.nechatOdpocit = true;
    ASSERT_TRUE(ulozNastaveni(ini, n));
    EXPECT_EQ(nactiNastaveni(ini), n);
}

// Without a file the column of missing keys is read; the defaults button sets its own column only.
TEST_F(NastaveniTest, TheDefaultsButtonSetsItsColumnOnly) {
    TNastaveni n = nactiNastaveni(ini);
    EXPECT_EQ(n, TNastaveni{});
    EXPECT_FALSE(n.pamatovatOdpocit) << "a missing key reads off";
    n.poziceX = 77;
    n.vyska = 200;
    n.poOdpocitavani = TNastaveni::PoOdpocitavani::Nespoustet;
    n.pozice = TNastaveni::Pozice::Centrovat;
    vychoziNastaveni(n);
    EXPECT_TRUE(n.pamatovatOdpocit) << "the defaults button turns it on";
    EXPECT_EQ(n.poziceX, 77);
    EXPECT_EQ(n.vyska, 200);
    EXPECT_EQ(n.poOdpocitavani, TNastaveni::PoOdpocitavani::Nespoustet) << "the button leaves this group";
    EXPECT_EQ(n.pozice, TNastaveni::Pozice::Pamatovat);
}

TEST_F(NastaveniTest, ASaveThatFailsHalfwayLeavesEveryOptionAsItWas) {
    TNastaveni old;
    ASSERT_TRUE(ulozNastaveni(ini, old));
    const QByteArray before = test::readBytes(ini.path());
    TNastaveni changed = old;
    changed.spustitMinimalizovane = !old.spustitMinimalizovane; // the same length: the first writes would fit
    changed.ukonceni = TNastaveni::Ukonceni::Zeptat;
    changed.jazyk = QStringLiteral("English, a name long enough not to fit");
    {
        const test::DiskFull full(static_cast<rlim_t>(before.size()) + 8);
        EXPECT_FALSE(ulozNastaveni(ini, changed));
    }
    EXPECT_EQ(test::readBytes(ini.path()), before);
    EXPECT_EQ(nactiNastaveni(IniFile(ini.path())), old);
}

TEST(Autostart, EntriesAreWrittenAndRemovedInTheirFolders) {
    QTemporaryDir dir;
    XdgAutostart autostart(dir.filePath(QStringLiteral("config/autostart")), dir.filePath(QStringLiteral("etc")));
    using S = Autostart::Scope;
    EXPECT_FALSE(autostart.isEnabled(S::CurrentUser));
    EXPECT_TRUE(autostart.canChange(S::CurrentUser)) << "a missing folder under a writable one";
    autostart.set(S::CurrentUser, true, QStringLiteral("/opt/My Apps/tavrok"));
    EXPECT_TRUE(autostart.isEnabled(S::CurrentUser));
    EXPECT_FALSE(autostart.isEnabled(S::AllUsers));
    EXPECT_EQ(QString::fromUtf8(test::readBytes(autostart.entryPath(S::CurrentUser))),
              QStringLiteral("[Desktop Entry]\nType=Application\nName=Tavrok\nExec=\"/opt/My Apps/tavrok\"\n"
                             "X-GNOME-Autostart-enabled=true\n"));
    const QByteArray entry = test::readBytes(autostart.entryPath(S::CurrentUser));
    {
        const test::DiskFull full(static_cast<rlim_t>(entry.size()));
        autostart.set(S::CurrentUser, true, QStringLiteral("/opt/a/much/longer/path/to/the/program/tavrok"));
    }
    EXPECT_EQ(test::readBytes(autostart.entryPath(S::CurrentUser)), entry) << "a full disk keeps the old entry whole";
    autostart.set(S::CurrentUser, false, {});
    EXPECT_FALSE(autostart.isEnabled(S::CurrentUser));
    EXPECT_EQ(XdgAutostart::entryText(QStringLiteral("/a\"b$c")).section(u'\n', 3, 3),
              QStringLiteral("Exec=\"/a\\\"b\\$c\""));

    test::writeBytes(dir.filePath(QStringLiteral("file")), "x");
    XdgAutostart blocked(dir.filePath(QStringLiteral("file/autostart")), dir.filePath(QStringLiteral("file/etc")));
    EXPECT_FALSE(blocked.canChange(S::CurrentUser));
    EXPECT_FALSE(blocked.canChange(S::AllUsers));
}
