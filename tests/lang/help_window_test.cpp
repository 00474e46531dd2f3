#include "lang/helpbrowser.h"
#include "storage/tfrmnastaveni.h"

#include "support/windowfixture.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

using namespace tavrok;
using namespace tavrok::test;

namespace {

class HelpWindowTest : public WindowFixture {
protected:
    QString help(const char* relative) const { return data("Napoveda/") + QString::fromLatin1(relative); }
    // F1 pressed in the settings dialog while it is open, as the user does; the dialog is then cancelled.
    void f1InSettings() {
        WindowFixture::editAndPress(
            window->frmNastaveni(), [this] { QTest::keyClick(window->frmNastaveni(), Qt::Key_F1); }, "btnStorno",
            [this] { window->mnuNastaveniClick(); });
    }
};

} // namespace

TEST_F(HelpWindowTest, F1OpensThePageOfTheWindowInFrontInTheUsersLanguageOrInsideTheProgram) {
    const QByteArray fits = "[info]\nprogram=Tavrok\n[verzeProgramu]\npocet=1\nverze1=2.51\n";
    writeBytes(data("Jazyky/English.ini"), fits);
    settings("[nastaveni]\njazyk=English\n[stavHlavnihoOkna]\nfunkce=3\n");
    writeBytes(help("TavrokEnglish/nastaveni.htm"), "<p>Settings</p>");
    writeBytes(
        help("TavrokCesky/nastaveni.htm"),
        "<html><head><meta charset=\"utf-8\"><title>Nastavení</title></head><body><p>Nastavení programu</p>"
        "<a href=\"uvod.htm\">Úvod</a></body></html>");
    open();
    QTest::keyClick(window.get(), Qt::Key_F1);
    ASSERT_EQ(launcher.pages.size(), 1);
    EXPECT_EQ(launcher.pages.back(), help("TavrokCesky/odpocitavani.htm")) << "no English page of it: the Czech one";

    f1InSettings();
    ASSERT_EQ(launcher.pages.size(), 2) << "one page per press";
    EXPECT_EQ(launcher.pages.back(), help("TavrokEnglish/nastaveni.htm"));

    QFile::remove(help("TavrokEnglish/nastaveni.htm"));
    f1InSettings();
    EXPECT_EQ(launcher.pages.back(), help("TavrokCesky/nastaveni.htm"));

    // The notification area's menu and the main window's menu ask for the same page.
    childOf<QAction>(child<QMenu>("popupMenu1"), "mnuNapoveda2")->trigger();
    child<QAction>("mnuIndex")->trigger();
    ASSERT_EQ(launcher.pages.size(), 5);
    EXPECT_EQ(launcher.pages.back(), help("TavrokCesky/odpocitavani.htm"));

    // Without a browser the page opens inside the program, readable above the dialog that waits.
    launcher.browser = false;
    QWidget* shownOver = nullptr;
    WindowFixture::editAndPress(
        window->frmNastaveni(),
        [&] {
            QTest::keyClick(window->frmNastaveni(), Qt::Key_F1);
            ASSERT_TRUE(window->helpBrowser());
            shownOver = window->helpBrowser()->parentWidget();
            EXPECT_TRUE(window->helpBrowser()->isVisible());
            EXPECT_EQ(window->helpBrowser()->page(), help("TavrokCesky/nastaveni.htm"));
            EXPECT_EQ(window->helpBrowser()->windowTitle(), QString::fromUtf16(u"Nastavení"));
        },
        "btnStorno", [this] { window->mnuNastaveniClick(); });
    EXPECT_EQ(shownOver, window->frmNastaveni());
    EXPECT_EQ(launcher.pages.size(), 5);
}
