// The display settings dialog: choosing the range, previewing, confirming and dropping changes.
#include "display/displayselection.h"
#include "lang/language.h"
#include "display/tfrmdisplej.h"
#include "display/tfrmnastavenidispleje.h"
#include "storage/inifile.h"
#include "support/diskfull.h"
#include "display/separatedisplay.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

TEST(DisplaySelection, TheSelectedCharactersChooseTheRangeAndNameItsEnds) {
    const VisibleRange hoursAndMinutes = rangeFromSelection(2, 5); // "00:00"
    EXPECT_EQ(hoursAndMinutes, (VisibleRange{false, false, 0, 5}));
    EXPECT_EQ(rangeFromSelection(0, 14), VisibleRange{});
    EXPECT_EQ(rangeFromSelection(1, 1), (VisibleRange{false, true, 0, 0}));
    EXPECT_EQ(rangeFromSelection(7, 0), (VisibleRange{false, false, 5, 5})) << "nothing selected shows nothing";
    EXPECT_EQ(rangeFromSelection(-3, 99), VisibleRange{}) << "out of the field is clamped";

    const RangeCaptions c = rangeCaptions(2, 5, Language());
    EXPECT_EQ(c.od, QString::fromUtf16(u"od: Desítky hodin"));
    EXPECT_EQ(c.do_, QString::fromUtf16(u"do: Jednotky minut"));
    EXPECT_EQ(rangeCaptions(4, 0, Language()).od, QStringLiteral("od: (nic)"));
    EXPECT_EQ(rangeCaptions(4, 0, Language()).do_, QStringLiteral("do: (nic)"));

    // Every contiguous selection comes back from the range it makes.
    for (int start = 0; start < 14; ++start) {
        for (int length = 1; start + length <= 14; ++length) {
            const Selection s = selectionFromRange(rangeFromSelection(start, length));
            EXPECT_EQ(s.start, start) << start << "+" << length;
            EXPECT_EQ(s.length, length) << start << "+" << length;
        }
    }
}

class DisplaySettingsTest : public test::WindowFixture {
protected:
    TfrmNastaveniDispleje& dialog() { return window->separateDisplay().nastaveniDispleje().get(); }
    TfrmDisplej& display() { return window->separateDisplay().frmDisplej(); }
    void openDialog() {
        auto* f6 = window->findChild<QAction*>(QStringLiteral("mnuNastaveniDispleje"));
        ASSERT_TRUE(f6 && f6->isEnabled());
        EXPECT_EQ(f6->shortcut(), QKeySequence(Qt::Key_F6));
        f6->trigger();
        ASSERT_TRUE(dialog().isVisible());
    }
    void selectInField(int start, int length) {
        auto* field = childOf<QLineEdit>(&dialog(), "edtZobrazit");
        field->setSelection(start, length);
        QTest::mouseRelease(field, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void press(const char* name) { QTest::mouseClick(childOf(&dialog(), name), Qt::LeftButton); }
    void showDisplay() { window->findChild<QAction*>(QStringLiteral("mnuZobrazitDisplej"))->trigger(); }
    QString field(const char* name) { return childOf<QLineEdit>(&dialog(), name)->text(); }
    void drag(QWidget* on, QPoint from, QPoint by) {
        QTest::mousePress(on, Qt::LeftButton, {}, from);
        QTest::mouseMove(on, from + by);
        QTest::mouseRelease(on, Qt::LeftButton, {}, from + by);
    }
    QColor textColour() { return childOf<QLabel>(&display(), "lblH1")->palette().color(QPalette::WindowText); }
};

} // namespace

TEST_F(DisplaySettingsTest, PreviewedChangesAreDroppedByStornoAndASelectionIsStoredOnOk) {
    open();
    showDisplay();
    openDialog();
    pickers.colours.push_back(QColor(10, 200, 30));
    press("pnlBarvaTextu");
    EXPECT_EQ(textColour(), QColor(10, 200, 30)) << "previewed";
    childOf<QRadioButton>(&dialog(), "rbtZOkna")->setChecked(true);
    EXPECT_EQ(window->programState().displej.zdroj, DisplaySource::Okno);
    press("btnStorno");
    EXPECT_EQ(textColour(), QColor(Qt::black));
    EXPECT_EQ(window->programState().displej.zdroj, DisplaySource::Tavrok);
    EXPECT_FALSE(IniFile(settingsPath()).sectionExists(u"nastaveniSamostatnehoDispleje"));

    openDialog();
    selectInField(2, 5);
    EXPECT_EQ(childOf<QLabel>(&dialog(), "lblZobrazitOd")->text(), QString::fromUtf16(u"od: Desítky hodin"));
    EXPECT_FALSE(childOf(&display(), "lblD")->isVisible()) << "previewed at once";
    EXPECT_FALSE(childOf(&display(), "lblS1")->isVisible());
    EXPECT_TRUE(childOf(&display(), "lblM1")->isVisible());
    press("btnOK");
    EXPECT_FALSE(dialog().isVisible());
    const IniFile ini(settingsPath());
    EXPECT_FALSE(ini.readBool(u"nastaveniSamostatnehoDispleje", u"zobrazitDny", true));
    EXPECT_EQ(ini.readInteger(u"nastaveniSamostatnehoDispleje", u"zobrazeniDisplejeDo", 0), 5);
    EXPECT_FALSE(childOf(&display(), "lblS1")->isVisible()) << "kept after the dialog closed";
}

TEST_F(DisplaySettingsTest, ACountdownEndThatSwitchesTheDisplayIsShownAndKeptWhenTheDialogCloses) {
    settings("[nastaveniSamostatnehoDispleje]\nnacitatZOdpocitavani=1\n"
             "[dalsiNastaveniOdpocit]\nspustitTavrok=1\nprepnoutDisplej=1\n");
    open();
    click("lblFceOdpocit");
    typeOnDigits("000001");
    openDialog();
    EXPECT_TRUE(childOf<QRadioButton>(&dialog(), "rbtZOdpocitavani")->isChecked());
    click("btnZapnout");
    runFor(1500);
    ASSERT_EQ(window->programState().displej.zdroj, DisplaySource::Tavrok);
    EXPECT_TRUE(childOf<QRadioButton>(&dialog(), "rbtZeTavrek")->isChecked()) << "the dialog shows the new source";
    QTest::keyClick(&dialog(), Qt::Key_Escape);
    EXPECT_EQ(window->programState().displej.zdroj, DisplaySource::Tavrok) << "closing never switches back";
    openDialog();
    EXPECT_TRUE(childOf<QRadioButton>(&dialog(), "rbtZeTavrek")->isChecked());
}

TEST_F(DisplaySettingsTest, ASourceSwitchedBeforeTheDialogWasEverOpenedIsTheOneItShows) {
    settings("[nastaveniSamostatnehoDispleje]\nnacitatZOdpocitavani=1\n"
             "[dalsiNastaveniOdpocit]\nspustitTavrok=1\nprepnoutDisplej=1\n");
    open();
    click("lblFceOdpocit");
    typeOnDigits("000001");
    click("btnZapnout");
    runFor(1500);
    ASSERT_EQ(window->programState().displej.zdroj, DisplaySource::Tavrok);
    ASSERT_FALSE(window->separateDisplay().nastaveniDispleje().built()) << "the switch built no dialog";
    openDialog();
    EXPECT_TRUE(childOf<QRadioButton>(&dialog(), "rbtZeTavrek")->isChecked());
    EXPECT_FALSE(childOf<QRadioButton>(&dialog(), "rbtZOdpocitavani")->isChecked());
}

// The controls show what is stored from the first show; "absolute" changes only the unit word; without the
// preview only Použít applies; the font chooser opens on the face drawn and OK keeps the stored name.
TEST_F(DisplaySettingsTest, TheControlsShowWhatIsStoredAndApplyTheirChanges) {
    open();
    openDialog();
    auto* slider = childOf<QSlider>(&dialog(), "tbrPolopruhlednost");
    auto* spin = childOf<QSpinBox>(&dialog(), "spePolopruhlednost");
    EXPECT_EQ(slider->value(), 255);
    EXPECT_EQ(spin->value(), 255);
    slider->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(spin->value(), 254);

    childOf<QRadioButton>(&dialog(), "rbtAbsolutni")->setChecked(true);
    EXPECT_EQ(field("edtVelikost"), QStringLiteral("100"));
    EXPECT_EQ(childOf<QLabel>(&dialog(), "lblVelikostJednotka")->text(), QString::fromUtf16(u"pixelů"));
    EXPECT_EQ(window->programState().displej.velikost, QStringLiteral("100"));
    EXPECT_FALSE(window->programState().displej.relativni);

    childOf<QCheckBox>(&dialog(), "chbNahled")->setChecked(false);
    EXPECT_FALSE(childOf(&dialog(), "chbZvyraznit")->isEnabled());
    pickers.colours.push_back(QColor(200, 0, 0));
    press("pnlBarvaTextu");
    EXPECT_EQ(textColour(), QColor(Qt::black));
    press("btnPouzit");
    EXPECT_EQ(textColour(), QColor(200, 0, 0)) << "applied with Použít";
    EXPECT_EQ(IniFile(settingsPath()).readString(u"nastaveniSamostatnehoDispleje", u"barvaTextu"),
              QString::number(200));

    pickers.fontUntouched = true; // "Arial" is only a substitute's name here
    press("btnFont");
    ASSERT_TRUE(pickers.fontShown);
    EXPECT_TRUE(QFontDatabase::families().contains(pickers.fontShown->family())) << pickers.fontShown->family().toStdString();
    QFontDialog chooser;
    chooser.setCurrentFont(*pickers.fontShown);
    EXPECT_FALSE(chooser.currentFont().bold()) << "Qt's chooser opens on the style drawn, not on Bold";
    press("btnOK");
    const IniFile ini(settingsPath());
    EXPECT_EQ(ini.readString(u"nastaveniSamostatnehoDispleje", u"fontName"), QStringLiteral("Arial"));
    EXPECT_FALSE(ini.readBool(u"nastaveniSamostatnehoDispleje", u"fontBold", false));
    EXPECT_FALSE(ini.readBool(u"nastaveniSamostatnehoDispleje", u"fontItalic", false));
}

// Escape or the Pause key ends a pipette; while one waits, other keys do not press the dialog's buttons.
TEST_F(DisplaySettingsTest, ThePipettesTakeOnlyThePauseKeyAndTheScreenPixel) {
    open();
    openDialog();
    auto* textPipeta = childOf<QPushButton>(&dialog(), "btnBarvaTextuPipeta");
    QTest::mouseClick(textPipeta, Qt::LeftButton);
    QTest::keyClick(&dialog(), Qt::Key_Return);
    EXPECT_TRUE(dialog().isVisible()) << "an Enter typed in another program is not OK";
    EXPECT_TRUE(textPipeta->isChecked());
    QTest::keyClick(&dialog(), Qt::Key_Escape);
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_FALSE(textPipeta->isChecked()) << "Escape gives the picker up";
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);

    pickers.screenPixel = QColor(1, 2, 3);
    auto* pipeta = childOf<QPushButton>(&dialog(), "btnBarvaPozadiPipeta");
    QTest::mouseClick(pipeta, Qt::LeftButton);
    ASSERT_TRUE(pipeta->isChecked());
    EXPECT_EQ(pickerKey.held, 0x13) << "the Pause key alone is taken from the desktop";
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr) << "every other key stays with the program in front";
    pickerKey.press();
    QCoreApplication::processEvents();
    EXPECT_FALSE(pipeta->isChecked());
    EXPECT_EQ(pickerKey.held, 0) << "and given back";
    EXPECT_EQ(window->programState().displej.barvaPozadi, 0x030201u);
}

// Without a compositor the window is shaped: the see-through white is cut out, the digits and, while the
// settings are open, the highlighted cells stay.
TEST_F(DisplaySettingsTest, ASeeThroughColourShapesTheWindowAndTheHighlightedCellsStay) {
    settings("[nastaveniSamostatnehoDispleje]\naktivniPruhlednaBarva=1\npruhlednaBarva=16777215\nbarvaTextu=255\n");
    open();
    EXPECT_TRUE(display().mask().isEmpty()) << "nothing to shape while hidden";
    showDisplay();
    const QRegion shape = display().mask();
    ASSERT_FALSE(shape.isEmpty());
    EXPECT_FALSE(shape.contains(QPoint(2, 2)));
    const QRect digit = childOf<QLabel>(&display(), "lblH1")->geometry();
    EXPECT_TRUE(shape.intersects(digit)) << "the red digits are not see-through";
    EXPECT_FALSE(shape.contains(digit.topLeft())) << "the white around a digit is";
    openDialog();
    EXPECT_TRUE(display().mask().contains(digit.topLeft())) << "highlighted while the settings are open";
    press("btnStorno");
    EXPECT_FALSE(display().mask().contains(digit.topLeft()));
    display().resize(300, 100); // laid out again, shaped again
    EXPECT_FALSE(display().mask().isEmpty());
}

// Výchozí keeps the font and the preview boxes; an unreadable picture and an unwritable file are reported
// on Použít, not while previewing.
TEST_F(DisplaySettingsTest, DefaultsKeepTheFontAndAnUnreadablePictureAndAnUnwritableFileAreReported) {
    test::writeBytes(settingsPath(), "[nastaveniSamostatnehoDispleje]\nfontName=DejaVu Serif\nnahled=1\nzvyraznit=0\n"
                                     "standardniOkraj=0\nnacitatZHodin=1\nzobrazitDny=0\n");
    test::writeBytes(data("Obrazky/Rozbity.jpg"), "not a picture");
    open();
    openDialog();
    press("btnVychozi");
    const TNastaveniDispleje& d = window->programState().displej;
    EXPECT_EQ(d.font.name, QStringLiteral("DejaVu Serif"));
    EXPECT_FALSE(d.zvyraznit);
    EXPECT_TRUE(d.standardniOkraj);
    EXPECT_EQ(d.zdroj, DisplaySource::Tavrok);
    EXPECT_EQ(d.rozsah, VisibleRange{});

    childOf<QLineEdit>(&dialog(), "edtObrazek")->setText(data("Obrazky/Rozbity.jpg"));
    childOf<QCheckBox>(&dialog(), "chbObrazek")->setChecked(true);
    EXPECT_TRUE(questions.asked.empty()) << "silent while previewing";
    {
        test::DiskFull full(0);
        press("btnPouzit");
    }
    ASSERT_EQ(questions.asked.size(), 2u);
    EXPECT_EQ(questions.asked[0].text, window->messageTable().text(52));
    EXPECT_TRUE(questions.asked[1].text.startsWith(QString::fromUtf16(u"Nastavení Samostatného displeje nelze zapsat")));
    EXPECT_TRUE(questions.asked[1].text.contains(settingsPath()));
}

// A click on the text changes nothing; dragging it writes its offsets, dragging the bar its size. Preview
// changes do not hide the display, and F6 again keeps the edits.
TEST_F(DisplaySettingsTest, DraggingAndEditingInThePreview) {
    open();
    showDisplay();
    int hides = 0;
    struct Counter : QObject {
        int& n;
        explicit Counter(int& count) : n(count) {}
        bool eventFilter(QObject*, QEvent* e) override {
            n += e->type() == QEvent::Hide;
            return false;
        }
    } counter(hides);
    display().installEventFilter(&counter);
    openDialog();
    display().resize(600, 200);
    QTest::mouseClick(&display(), Qt::LeftButton, {}, display().textRect().center());
    EXPECT_EQ(field("edtVelikost"), QStringLiteral("100"));
    EXPECT_EQ(field("edtZleva"), QStringLiteral("0"));
    drag(&display(), display().textRect().center(), {-60, 0});
    EXPECT_EQ(window->programState().displej.zleva, QStringLiteral("-10")) << "applied in the preview";
    EXPECT_EQ(window->programState().displej.shora, QStringLiteral("0"));
    drag(&display(), display().textRect().center(), {30, 10});
    EXPECT_EQ(field("edtZleva"), QStringLiteral("-5")) << "30 of 600 pixels more";
    EXPECT_EQ(field("edtShora"), QStringLiteral("5")) << "10 of 200 pixels";
    EXPECT_EQ(window->programState().displej.zleva, QStringLiteral("-5"));

    childOf<QRadioButton>(&dialog(), "rbtAbsolutni")->setChecked(true);
    auto* bar = childOf(&display(), "pnlVelikost");
    ASSERT_TRUE(bar->isVisible());
    const int height = display().textRect().height();
    drag(&display(), bar->geometry().center(), {0, -12});
    EXPECT_EQ(field("edtVelikost"), QString::number(height - 12));

    childOf<QLineEdit>(&dialog(), "edtZleva")->setText(QStringLiteral("12"));
    childOf<QCheckBox>(&dialog(), "chbVzdyNahore")->setChecked(true); // this one does change the flags
    const int afterOnTop = hides;
    childOf<QLineEdit>(&dialog(), "edtShora")->setText(QStringLiteral("3"));
    childOf<QRadioButton>(&dialog(), "rbtZOkna")->setChecked(true);
    EXPECT_EQ(hides, afterOnTop) << "ordinary changes leave the window alone";
    EXPECT_LE(afterOnTop, 1) << "opening the dialog and dragging in the preview do not hide it either";
    window->findChild<QAction*>(QStringLiteral("mnuNastaveniDispleje"))->trigger(); // F6 again
    EXPECT_EQ(field("edtZleva"), QStringLiteral("12"));
    EXPECT_EQ(window->programState().displej.zleva, QStringLiteral("12"));
    display().removeEventFilter(&counter);
}

TEST_F(DisplaySettingsTest, AWindowMovedNearAScreenEdgeSnapsToItOnceItRests) {
    open();
    const QRect work = window->screen()->availableGeometry();
    window->move(work.left() + 7, work.top() + 100);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->frameGeometry().left() == work.left(); }, 2000));
    EXPECT_EQ(window->frameGeometry().top(), work.top() + 100);

    ASSERT_TRUE(window->programState().storage.settingsIni().writeBool(u"nastaveni", u"magnetovat", false));
    window->move(work.left() + 7, work.top() + 100);
    QTest::qWait(500);
    EXPECT_EQ(window->frameGeometry().left(), work.left() + 7) << "not with the setting off";
}

TEST_F(DisplaySettingsTest, TheControlsStayWhilePreviewingWithTheSimplifiedFrame) {
    test::writeBytes(settingsPath(), "[nastaveniSamostatnehoDispleje]\nstandardniOkraj=0\nskrytOvladani=50\n");
    open();
    showDisplay();
    openDialog();
    const auto hover = [&] {
        const QPointF at = display().rect().center();
        QMouseEvent move(QEvent::MouseMove, at, display().mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&display(), &move);
    };
    hover();
    QTest::qWait(150);
    EXPECT_TRUE(childOf(&display(), "imgZav")->isVisible());
    press("btnStorno");
    hover();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !childOf(&display(), "imgZav")->isVisible(); }, 1000))
        << "hidden after the delay once the dialog is closed";
}
