// The separate display as a user meets it: shown by F5, fed by the ticks, held by a split, kept in its
// place across a restart, with its picture read or refused.
#include "display/displaypicture.h"
#include "display/tfrmdisplej.h"
#include "stopwatch/stopwatchpanel.h"
#include "stopwatch/tfrmdalsitavrok.h"
#include "storage/inifile.h"
#include "display/separatedisplay.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QSpinBox>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

class DisplayWindowTest : public test::WindowFixture {
protected:
    TfrmDisplej& display() { return window->separateDisplay().frmDisplej(); }
    QString shown() {
        QString text;
        for (const char* name : {"lblD", "lblDOd", "lblH2", "lblH1", "lblHOd", "lblM2", "lblM1", "lblMOd", "lblS2",
                                 "lblS1", "lblSOd", "lblMs1", "lblMs2", "lblMs3"}) {
            auto* l = childOf<QLabel>(&display(), name);
            if (l->isVisible()) {
                text += l->text();
            }
        }
        return text;
    }
    void pressF5() {
        auto* a = window->findChild<QAction*>(QStringLiteral("mnuZobrazitDisplej"));
        ASSERT_TRUE(a && a->isEnabled());
        EXPECT_EQ(a->shortcut(), QKeySequence(Qt::Key_F5));
        a->trigger();
        ASSERT_TRUE(display().isVisible());
    }
};

} // namespace

TEST_F(DisplayWindowTest, TheStopwatchShowsAndASplitHoldsItForTheTimeTheOptionsGive) {
    open();
    EXPECT_FALSE(display().isVisible()) << "created hidden";
    pressF5();
    EXPECT_EQ(shown(), QStringLiteral("0;00:00:00,000"));
    click("lblFceTavrok");
    click("btnZapnout");
    runFor(500);
    click("btnTvrMezicas");
    runFor(100);
    EXPECT_EQ(shown(), QStringLiteral("0;00:00:00,600")) << "without the option a split holds nothing";
    click("btnZapnout");

    // The options are stored on OK and dropped on Storno.
    ASSERT_TRUE(child("btnDalsi")->isEnabled());
    auto* dialog = window->findChild<StopwatchPanel*>()->frmDalsiTavrok(); // built at its first opening
    ASSERT_TRUE(dialog);
    editAndPress(dialog,
                 [&] {
                     EXPECT_FALSE(childOf(dialog, "speZastavitDisplej")->isEnabled()) << "grey until the box is set";
                     childOf<QCheckBox>(dialog, "chbZastavit")->setChecked(true);
                     childOf<QSpinBox>(dialog, "speZastavitDisplej")->setValue(300);
                 },
                 "btnOK", [&] { click("btnDalsi"); });
    EXPECT_TRUE(IniFile(settingsPath()).readBool(u"dalsiNastaveniTavrok", u"zastavitDisplej", false));
    EXPECT_EQ(IniFile(settingsPath()).readInteger(u"dalsiNastaveniTavrok", u"doba", 0), 300);
    EXPECT_EQ(window->programState().tavrokOptions.doba, 300);
    editAndPress(dialog, [&] { childOf<QSpinBox>(dialog, "speZastavitDisplej")->setValue(9000); }, "btnStorno",
                 [&] { click("btnDalsi"); });
    EXPECT_EQ(IniFile(settingsPath()).readInteger(u"dalsiNastaveniTavrok", u"doba", 0), 300);
    EXPECT_EQ(window->programState().tavrokOptions.doba, 300);
    EXPECT_EQ(childOf<QSpinBox>(dialog, "speZastavitDisplej")->value(), 300) << "the next opening shows the stored";

    click("btnZapnout");
    runFor(634);
    EXPECT_EQ(shown(), QStringLiteral("0;00:00:01,234"));
    click("btnTvrMezicas"); // at 1.234 s
    runFor(100);
    EXPECT_EQ(shown(), QStringLiteral("0;00:00:01,234")) << "held on the split time";
    QTest::qWait(400); // the freeze time runs on the real timer
    runFor(100);
    EXPECT_EQ(shown(), QStringLiteral("0;00:00:01,434"));
    EXPECT_EQ(toMilliseconds(window->stopwatch().elapsed()), 1434);
}

TEST_F(DisplayWindowTest, TheTextStaysInsideAtEverySizeAndThePlaceIsSavedAtCloseAndComesBackAtStart) {
    open();
    pressF5();
    for (const QSize size : {QSize(701, 178), QSize(200, 400), QSize(1200, 90), QSize(40, 20)}) {
        display().resize(size);
        QLabel* first = childOf<QLabel>(&display(), "lblD");
        QLabel* last = childOf<QLabel>(&display(), "lblMs3");
        EXPECT_GE(first->x(), 0) << size.width() << "x" << size.height();
        EXPECT_LE(last->geometry().right(), size.width()) << size.width() << "x" << size.height();
        EXPECT_LE(last->geometry().bottom(), size.height()) << size.width() << "x" << size.height();
    }
    display().setGeometry(120, 140, 500, 160);
    window->close();
    const IniFile ini(settingsPath());
    EXPECT_EQ(ini.readInteger(u"stavDispleje", u"stav", 0), 3);
    EXPECT_EQ(ini.readInteger(u"stavDispleje", u"levo", 0), 120);
    EXPECT_EQ(ini.readInteger(u"stavDispleje", u"sirka", 0), 500);
    window.reset();

    open();
    EXPECT_EQ(display().geometry(), QRect(120, 140, 500, 160));
    window.reset();

    // A place no screen shows (a hand-edited file, a monitor that is gone) comes back on the screen.
    for (const int place : {-99999, 99999}) {
        ASSERT_TRUE(IniFile(settingsPath()).writeInteger(u"stavDispleje", u"levo", place));
        ASSERT_TRUE(IniFile(settingsPath()).writeInteger(u"stavDispleje", u"hor", place));
        open();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(screen.contains(QRect(display().geometry().topLeft() - QPoint(0, 32), QSize(500, 32))))
            << place << " gave " << display().geometry().x() << "," << display().geometry().y();
        EXPECT_EQ(display().geometry().size(), QSize(500, 160));
        window.reset();
    }
}

TEST_F(DisplayWindowTest, PicturesAreReadOrRefusedWithoutHarm) {
    ASSERT_TRUE(QDir().mkpath(data("Obrazky")));
    QImage picture(64, 32, QImage::Format_RGB888);
    picture.fill(QColor(200, 40, 10));
    ASSERT_TRUE(picture.save(data("Obrazky/Pokus.jpg"), "JPG", 95));
    ASSERT_TRUE(picture.save(data("Obrazky/Pokus.bmp"), "BMP"));
    const QImage jpeg = loadDisplayPicture(data("Obrazky/Pokus.jpg"));
    ASSERT_EQ(jpeg.size(), QSize(64, 32));
    const QColor middle = jpeg.pixelColor(32, 16);
    EXPECT_NEAR(middle.red(), 200, 4);
    EXPECT_NEAR(middle.green(), 40, 4);
    EXPECT_EQ(loadDisplayPicture(data("Obrazky/Pokus.bmp")).pixelColor(5, 5), QColor(200, 40, 10));

    // A file cut short, junk under a picture's name and a metafile: no picture, no crash.
    QByteArray bytes = test::readBytes(data("Obrazky/Pokus.jpg"));
    test::writeBytes(data("Obrazky/Cut.jpg"), bytes.left(bytes.size() / 3));
    test::writeBytes(data("Obrazky/Junk.jpg"), QByteArray(5000, 'x'));
    test::writeBytes(data("Obrazky/Junk.bmp"), QByteArray("BM") + QByteArray(100, '\xff'));
    test::writeBytes(data("Obrazky/Old.wmf"), QByteArray("\xd7\xcd\xc6\x9a", 4) + QByteArray(100, '\0'));
    for (const char* name : {"Cut.jpg", "Junk.jpg", "Junk.bmp", "Old.wmf", "Missing.jpg"}) {
        const QImage image = loadDisplayPicture(data("Obrazky/") + QString::fromLatin1(name));
        if (QByteArray(name) == "Cut.jpg") {
            EXPECT_TRUE(image.isNull() || image.size() == QSize(64, 32)) << "a cut file is refused or shown in part";
        } else {
            EXPECT_TRUE(image.isNull()) << name;
        }
    }

    open();
    TNastaveniDispleje s;
    s.zobrazitObrazek = true;
    s.obrazek = data("Obrazky/Junk.jpg");
    EXPECT_FALSE(display().apply(s));
    s.obrazek = data("Obrazky/Pokus.jpg");
    EXPECT_TRUE(display().apply(s));
}
