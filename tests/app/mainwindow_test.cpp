#include "storage/inifile.h"
#include "storage/inivalues.h"
#include "app/programactions.h"
#include "app/programicon.h"
#include "support/windowfixture.h"
#include "update/updatecheck.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

class MainWindowTest : public test::WindowFixture {
protected:
    QStringList splitLines() const {
        QStringList lines;
        auto* cbx = child<QComboBox>("cbxMezicasy");
        for (int i = 0; i < cbx->count(); ++i) {
            lines << cbx->itemText(i);
        }
        return lines;
    }
};

// The countdown shown, with the keys and clicks as real keyboards and mice deliver them.
class CountdownDigitsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        open();
        click("lblFceOdpocit");
        target = child("btnZapnout");
        target->setFocus();
    }
    void send(QEvent::Type type, int key, Qt::KeyboardModifiers mods, const QString& text,
              bool repeat = false) {
        QKeyEvent e(type, key, mods, text, repeat);
        QApplication::sendEvent(target, &e);
    }
    void tap(int key, Qt::KeyboardModifiers mods, const QString& text) {
        send(QEvent::KeyPress, key, mods, text);
        send(QEvent::KeyRelease, key, mods, text);
    }
    void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint at) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    QWidget* target = nullptr;
};

} // namespace

// No menu item is a dead end: each one of the menu bar and of the notification area's menu does something
// (cancelling a snooze is offered only while the alarm in the name box is put off).
TEST_F(MainWindowTest, EveryMenuItemIsEnabled) {
    open();
    const QMenu* trayMenu = child<QMenu>("popupMenu1");
    for (const QObject* menu : {static_cast<const QObject*>(window->menuBar()), static_cast<const QObject*>(trayMenu)}) {
        for (const QAction* a : menu->findChildren<QAction*>()) {
            if (!a->isSeparator() && !a->menu() && !a->objectName().isEmpty() &&
                a->objectName() != u"mnuZrusitOdlozeni") {
                EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
            }
        }
    }
}

TEST_F(MainWindowTest, TheStopwatchRunsTakesSplitsAndStops) {
    open();
    click("lblFceTavrok");
    auto* zapnout = child<QPushButton>("btnZapnout");
    click("btnZapnout");
    EXPECT_EQ(zapnout->text(), QStringLiteral("&Stop"));
    EXPECT_FALSE(child("btnVynulovat")->isEnabled());
    EXPECT_FALSE(child("btnDalsi")->isEnabled());
    EXPECT_TRUE(child("btnTvrMezicas")->isEnabled());
    EXPECT_EQ(child<QLabel>("lblFceTavrok")->palette().color(QPalette::Window), QColor(0, 255, 0));

    runFor(65'250);
    EXPECT_EQ(digits(), QStringLiteral("00:01:05.250"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("T: 0;00:01:05"));
    click("btnTvrMezicas");
    runFor(1000);
    click("btnTvrMezicas");
    EXPECT_EQ(splitLines(), (QStringList{SplitList::Separator, QStringLiteral("1:  0; 00:01:05,250"),
                                         QStringLiteral("2:  0; 00:01:06,250")}));
    EXPECT_EQ(child<QComboBox>("cbxMezicasy")->currentIndex(), 2);

    // Another function keeps it running, and its time stays in the title.
    click("lblFceBudik");
    runFor(1000);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("T: 0;00:01:07"));
    EXPECT_EQ(child<QLabel>("lblFceTavrok")->palette().color(QPalette::Window), QColor(0, 255, 0));
    (void)window->actions().split(); // the split hotkey works from any function
    click("lblFceTavrok");
    EXPECT_EQ(splitLines().size(), 4);

    click("btnZapnout");
    EXPECT_EQ(zapnout->text(), QStringLiteral("&Start"));
    EXPECT_TRUE(child("btnVynulovat")->isEnabled());
    EXPECT_FALSE(child("btnTvrMezicas")->isEnabled());
    clock.advanceMs(5000);
    window->tmrFunkceTimer();
    EXPECT_EQ(digits(), QStringLiteral("00:01:07.250")) << "a stopped stopwatch shows its last tick";
    window->tmrAktualizaceCasuTimer();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ne 6.12.2026 10:01:12"));

    click("btnVynulovat");
    EXPECT_EQ(digits(), QStringLiteral("00:00:00.000"));
    EXPECT_EQ(child<QLineEdit>("edtD")->text(), QStringLiteral("0"));
    EXPECT_EQ(splitLines().size(), 4) << "reset keeps the splits";
}

// The dialogs cost nothing at start: each is built when it is first opened.
TEST_F(MainWindowTest, NoDialogIsBuiltBeforeItIsOpened) {
    open();
    for (const char* name : {"frmNastaveni", "frmDalsiOdpocit", "frmDalsiTavrok", "frmMezicasy", "frmDalsiBudik",
                             "frmZmeskaneBudiky", "frmSeriovyPort", "frmNastaveniDispleje"}) {
        EXPECT_FALSE(window->findChild<QWidget*>(QString::fromLatin1(name))) << name;
    }
    EXPECT_TRUE(window->frmNastaveni());
    EXPECT_TRUE(window->findChild<QWidget*>(QStringLiteral("frmNastaveni")));
    EXPECT_FALSE(printing.isLoaded()) << "printing is loaded at the first print";
}

// The window's icon offers the desktop a few small sizes and is drawn sharp at any size asked for.
TEST(ProgramIcon, OffersSmallSizesAndDrawsAnyOtherOnDemand) {
    const QIcon icon = programIcon();
    const QList<QSize> sizes = icon.availableSizes();
    ASSERT_FALSE(sizes.isEmpty());
    for (const QSize& s : sizes) {
        EXPECT_LE(s.width(), 64) << "every size offered goes into the window's icon property";
    }
    const auto pixels = [](const QImage& i) { return i.convertToFormat(QImage::Format_ARGB32_Premultiplied); };
    EXPECT_EQ(pixels(icon.pixmap(128).toImage()), pixels(drawProgramIcon(128))) << "drawn, not enlarged";
    EXPECT_EQ(pixels(icon.pixmap(20).toImage()), pixels(drawProgramIcon(20)));
    EXPECT_TRUE(icon.pixmap(QSize(0, 0)).isNull());
}

TEST_F(MainWindowTest, AResizeNeverChangesTheWidth) {
    open();
    const SizeLimits l = window->limits();
    EXPECT_EQ(window->width(), l.width);
    window->resize(500, 100);
    EXPECT_EQ(window->width(), l.width);
    EXPECT_EQ(window->height(), 100);
    window->resize(100, 1000);
    EXPECT_EQ(window->width(), l.width);
    EXPECT_EQ(window->height(), l.maxHeight);
    window->resize(l.width, 10);
    EXPECT_EQ(window->height(), l.minHeight);
}

TEST_F(MainWindowTest, ClosingSavesTheWindowStateAndStartUpRestoresIt) {
    open();
    click("lblFceOdpocit");
    typeOnDigits("0005");
    child<QLineEdit>("edtOdpZprava")->setText(QStringLiteral("Čaj"));
    window->findChild<QAction*>(QStringLiteral("mnuZvuk"))->trigger();
    window->move(40, 50);
    window->close();
    EXPECT_TRUE(questions.asked.empty());

    IniFile ini(settingsPath());
    EXPECT_EQ(ini.readInteger(u"stavHlavnihoOkna", u"funkce", 0), 3);
    EXPECT_FALSE(ini.readBool(u"stavHlavnihoOkna", u"zvuk", true));
    EXPECT_EQ(toMilliseconds(ini.readFloat(u"stavHlavnihoOkna", u"odpocitCas", 0)), 300'000)
        << "the shown countdown time is kept even though it was never started";
    EXPECT_EQ(ini.readString(u"stavHlavnihoOkna", u"odpocitZprava"), QStringLiteral("Čaj"));

    ASSERT_TRUE(ini.writeBool(u"nastaveni", u"pamatovatOdpocit", true));
    open();
    EXPECT_EQ(window->state().currentFunction, Funkce::Odpocit);
    EXPECT_EQ(digits(), QStringLiteral("00:05:00.000"));
    EXPECT_EQ(child<QLineEdit>("edtOdpZprava")->text(), QStringLiteral("Čaj"));
    EXPECT_FALSE(window->findChild<QAction*>(QStringLiteral("mnuZvuk"))->isChecked());
}

TEST_F(MainWindowTest, MissingStandardSoundsAreToldInOneMessageAndAnUnwritableSettingsFileAtTheClose) {
    const QString k = data("Zvuky/Standard/Signalk.wav");
    const QString d = data("Zvuky/Standard/Signald.wav");
    QFile::remove(k);
    QFile::remove(d);
    QDir().mkpath(settingsPath() + QStringLiteral("/blocked")); // a folder where the file should be
    open();
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, fillPlaceholders(window->messageTable().text(18), k + u'\n' + d));
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Error);
    EXPECT_TRUE(window->close()) << "it still closes";
    ASSERT_EQ(questions.asked.size(), 2u);
    EXPECT_EQ(questions.asked[1].text, fillPlaceholders(window->messageTable().text(8), settingsPath()));
    EXPECT_EQ(questions.asked[1].icon, MessageIcon::Warning);
}

TEST_F(MainWindowTest, StopAllNotificationsStopsEverySound) {
    open();
    QString chosen;
    const QString bell = window->standardSound(u"Zvonek.wav");
    ASSERT_GE(window->sounds().obhospodarZvuk(true, true, false, false, true, bell, {}, {}, chosen, 0, clock.utcNow()),
              0);
    ASSERT_EQ(window->sounds().prehravaneZvuky().size(), 1u);
    EXPECT_TRUE(window->findChild<QTimer*>(QStringLiteral("tmrPrehravaniZvuku"))->isActive());
    window->findChild<QAction*>(QStringLiteral("mnuVypnoutUpozorneni"))->trigger();
    EXPECT_TRUE(window->sounds().prehravaneZvuky().empty());
    EXPECT_TRUE(audio.commands.contains(QStringLiteral("stop ") + bell));
    EXPECT_FALSE(window->findChild<QTimer*>(QStringLiteral("tmrPrehravaniZvuku"))->isActive());
}

TEST_F(CountdownDigitsTest, ALengthTypedOnTheDigitsCountsDownPausesAsksBeforeClosingAndEnds) {
    click("btnZapnout");
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, window->messageTable().text(2)) << "a zero length asks for a time";
    EXPECT_FALSE(window->countdown().running());
    typeOnDigits("000005");
    EXPECT_EQ(digits(), QStringLiteral("00:00:05.000"));
    EXPECT_EQ(window->markedPosition(), 1);
    EXPECT_EQ(toMilliseconds(window->countdown().left()), 5000);

    click("btnZapnout");
    ASSERT_TRUE(window->countdown().running());
    EXPECT_EQ(child<QPushButton>("btnZapnout")->text(), QStringLiteral("&Stop"));
    EXPECT_FALSE(child("pnlEditovanaCislice")->isVisible());
    EXPECT_FALSE(child("btnVynulovat")->isEnabled());
    runFor(1000);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("O: 0;00:00:04"));
    EXPECT_EQ(digits(), QStringLiteral("00:00:04.000"));
    EXPECT_EQ(child("pnlProgressOdpocit")->width(), 52);
    EXPECT_NE(child("pnlProgressOdpocit")->grab().toImage().pixelColor(26, 1),
              window->palette().color(QPalette::Window))
        << "the bar stands out from the window";

    click("btnPauza");
    EXPECT_TRUE(window->countdown().paused());
    EXPECT_EQ(child<QPushButton>("btnPauza")->text(), QStringLiteral("&Pokračovat"));
    EXPECT_EQ(child<QLabel>("lblFceOdpocit")->palette().color(QPalette::Window), QColor(0, 255, 255));
    questions.script({Answer::No});
    EXPECT_FALSE(window->close());
    EXPECT_EQ(questions.asked.back().text, window->messageTable().text(14));
    EXPECT_TRUE(window->countdown().paused());
    runFor(60'000);
    EXPECT_EQ(digits(), QStringLiteral("00:00:04.000"));
    click("btnPauza");
    runFor(2000);
    EXPECT_EQ(digits(), QStringLiteral("00:00:02.000"));
    runFor(2000);
    EXPECT_FALSE(window->countdown().running());
    EXPECT_EQ(digits(), QStringLiteral("00:00:05.000")) << "the set length is shown again";
    EXPECT_EQ(child<QPushButton>("btnZapnout")->text(), QStringLiteral("&Start"));
    EXPECT_EQ(child("pnlProgressOdpocit")->width(), 0);
    EXPECT_TRUE(questions.notices.empty()) << "no message, no box";
    EXPECT_TRUE(audio.commands.contains(QStringLiteral("play ") + window->standardSound(u"Signald.wav")));
}

TEST_F(CountdownDigitsTest, TheEndMessageIsShownAndClosingItEndsTheSound) {
    typeOnDigits("000003");
    child<QLineEdit>("edtOdpZprava")->setText(QStringLiteral("Čaj je hotový"));
    click("btnZapnout");
    runFor(3000);
    ASSERT_EQ(questions.notices.size(), 1u);
    EXPECT_EQ(questions.notices[0].caption, QStringLiteral("Tavrok: 6.12.2026 10:00:03"));
    EXPECT_EQ(questions.notices[0].text, QStringLiteral("Čaj je hotový"));
    ASSERT_EQ(window->sounds().prehravaneZvuky().size(), 1u);
    clock.advanceMs(1);
    window->tmrPrehravaniZvukuTimer();
    EXPECT_TRUE(window->sounds().prehravaneZvuky().empty()) << "the box was closed: its sound ends";
}

TEST_F(MainWindowTest, AnEndingCountdownStartsTheStopwatchAtItsEndMomentAndAsksBeforeRestartingIt) {
    settings("[dalsiNastaveniOdpocit]\nspustitTavrok=1\n");
    open();
    click("lblFceOdpocit");
    typeOnDigits("000002");
    click("btnZapnout");
    UtcTime end = window->countdown().end();
    runFor(2500);
    ASSERT_TRUE(window->stopwatch().running());
    EXPECT_EQ(window->stopwatch().start(), end) << "counted from the end, not from the late tick";
    EXPECT_TRUE(questions.asked.empty()) << "a stopped stopwatch starts without a question";

    const UtcTime stopwatchStart = window->stopwatch().start();
    click("btnZapnout"); // the countdown again, now with the stopwatch running
    questions.script({Answer::No});
    runFor(2000);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, window->messageTable().text(3));
    EXPECT_EQ(window->stopwatch().start(), stopwatchStart) << "No leaves it running as it was";

    click("btnZapnout");
    questions.script({Answer::Yes});
    end = window->countdown().end();
    runFor(2000);
    EXPECT_EQ(window->stopwatch().start(), end);
}

TEST_F(CountdownDigitsTest, TheMouseRaisesAndLowersTheMarkedDigitLikeAnOdometer) {
    auto* lblS = child<QLabel>("lblS");
    const QPoint units(lblS->width() - 4, lblS->height() / 2);
    QTest::mouseClick(lblS, Qt::LeftButton, {}, units);
    EXPECT_EQ(window->markedPosition(), 6) << "the first click selects";
    EXPECT_EQ(digits(), QStringLiteral("00:00:00.000"));
    QTest::mouseClick(lblS, Qt::RightButton, {}, units);
    EXPECT_EQ(digits(), QStringLiteral("00:00:00.000")) << "nothing below zero";
    // A double click as a widget receives it (the second press arrives as a double click) is two steps.
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        mouse(lblS, type, Qt::LeftButton, units);
    }
    EXPECT_EQ(digits(), QStringLiteral("00:00:02.000"));
    EXPECT_EQ(toMilliseconds(window->countdown().left()), 2000);
    QTest::mouseClick(child("lblH"), Qt::LeftButton, {}, QPoint(4, units.y())); // the hours tens
    typeOnDigits("235959");
    QTest::mouseClick(lblS, Qt::LeftButton, {}, units); // selects the units again
    QTest::mouseClick(lblS, Qt::LeftButton, {}, units);
    EXPECT_EQ(digits(), QStringLiteral("00:00:00.000"));
    EXPECT_EQ(child<QLineEdit>("edtD")->text(), QStringLiteral("1"));
    EXPECT_EQ(toMilliseconds(window->countdown().left()), 86'400'000);
    QTest::mouseClick(lblS, Qt::RightButton, {}, units);
    EXPECT_EQ(digits(), QStringLiteral("23:59:59.000"));
    EXPECT_EQ(child<QLineEdit>("edtD")->text(), QStringLiteral("0"));

    QTest::mouseClick(lblS, Qt::LeftButton, {}, QPoint(2, lblS->height() / 2));
    EXPECT_EQ(window->markedPosition(), 5) << "the left half is the tens";
}

TEST_F(CountdownDigitsTest, ArrowsEditTheDigitsAndNeverMoveTheFocus) {
    QWidget* zapnout = target;
    QTest::keyClick(zapnout, Qt::Key_Right);
    EXPECT_EQ(window->markedPosition(), 2);
    EXPECT_TRUE(zapnout->hasFocus()) << "the arrow did not move the focus";
    QTest::keyClick(zapnout, Qt::Key_Up);
    EXPECT_EQ(digits(), QStringLiteral("01:00:00.000"));
    QTest::keyClick(zapnout, Qt::Key_Left);
    QTest::keyClick(zapnout, Qt::Key_Left);
    EXPECT_EQ(window->markedPosition(), 6) << "left from the hours tens wraps to the seconds units";
    EXPECT_EQ(toMilliseconds(window->countdown().left()), 3'600'000);

    // With a text field focused the arrows are the field's.
    auto* message = child<QLineEdit>("edtOdpZprava");
    message->setFocus();
    message->setText(QStringLiteral("abc"));
    message->setCursorPosition(3);
    QTest::keyClick(message, Qt::Key_Left);
    EXPECT_EQ(message->cursorPosition(), 2);
    EXPECT_EQ(window->markedPosition(), 6);
    EXPECT_EQ(child("pnlEditovanaCislice")->palette().color(QPalette::Window), QColor(Qt::black));
    QTest::keyClicks(message, QStringLiteral("12"));
    EXPECT_EQ(digits(), QStringLiteral("01:00:00.000")) << "digits typed into a field stay in the field";
}

TEST_F(MainWindowTest, TheClockLineShowsCzechDayNamesWithTheirAccents) {
    open();
    auto* line = child<QLabel>("lblCas");
    for (const int day : {8, 10}) { // Tuesday and Thursday
        clock.set(*tryEncodeDateTime({2026, 12, day}, {10, 0, 0, 0}));
        window->tmrAktualizaceCasuTimer();
        const QString text = line->text();
        EXPECT_TRUE(text.startsWith(day == 8 ? u"Út" : u"Čt")) << text.toStdString();
        // The ink of the text, accents included, lies inside the label and the label inside the window.
        const QFontMetrics metrics(line->font());
        const int baseline = (line->height() - metrics.height()) / 2 + metrics.ascent();
        EXPECT_GE(line->y(), 0);
        EXPECT_GE(baseline + metrics.boundingRect(text).top(), 0) << "the accent is cut off";
    }
}

TEST_F(MainWindowTest, TheClockEditorSetsTheClockAndLeavesTheRunningStopwatchAlone) {
    open();
    startStopwatch();
    runFor(10'000);
    window->lblCasClick();
    auto* datum = child<QLineEdit>("mkeDatum");
    auto* cas = child<QLineEdit>("mkeCas");
    EXPECT_TRUE(child("pnlDatCasEdit")->isVisible());
    EXPECT_EQ(datum->text(), QStringLiteral("06.12.2026"));
    EXPECT_EQ(cas->text(), QStringLiteral("10:00:10"));
    QTest::mouseClick(datum, Qt::LeftButton);
    QTest::mouseClick(cas, Qt::LeftButton);
    EXPECT_TRUE(child("pnlDatCasEdit")->isVisible()) << "a click into its own fields";

    // An incomplete time and one that cannot be: the editor stays open for a correction.
    cas->selectAll();
    QTest::keyClick(cas, Qt::Key_Backspace);
    QTest::keyClick(cas, Qt::Key_1);
    QTest::keyClick(cas, Qt::Key_Return);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, window->messageTable().text(35));
    EXPECT_TRUE(child("pnlDatCasEdit")->isVisible());
    cas->selectAll();
    QTest::keyClicks(cas, QStringLiteral("25:00:00"));
    QTest::keyClick(cas, Qt::Key_Return);
    ASSERT_EQ(questions.asked.size(), 2u);
    EXPECT_EQ(questions.asked[1].text, window->messageTable().text(35));
    EXPECT_EQ(clockSetter.calls, 0);

    cas->selectAll();
    QTest::keyClicks(cas, QStringLiteral("11:00:10"));
    QTest::keyClick(cas, Qt::Key_Return);
    EXPECT_EQ(clockSetter.calls, 1);
    EXPECT_EQ(clock.now(), LocalTime(*tryEncodeDateTime({2026, 12, 6}, {11, 0, 10, 0})));
    EXPECT_FALSE(child("pnlDatCasEdit")->isVisible());
    runFor(1000);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("T: 0;00:00:11")) << "an hour of clock change is not counted";

    window->lblCasClick();
    QTest::mouseClick(child("lblDnu"), Qt::LeftButton);
    EXPECT_FALSE(child("pnlDatCasEdit")->isVisible()) << "a click on a label closes the clock editor";
    window->lblCasClick();
    QTest::mouseClick(child("centralWidget"), Qt::LeftButton, {}, QPoint(5, 200));
    EXPECT_FALSE(child("pnlDatCasEdit")->isVisible()) << "and so does a click on the background";
}

TEST_F(MainWindowTest, AnAlarmSetOnTheDigitsRingsWithItsMessageAndClosingWithAnEditAsks) {
    open();
    typeOnDigits("100005");
    child<QComboBox>("cbxBudiky")->setEditText(QStringLiteral("Čaj"));
    QTest::keyClicks(child("edtD"), QStringLiteral("Konvice"));
    click("btnZapnout");
    EXPECT_EQ(child<QPushButton>("btnZapnout")->text(), QStringLiteral("Vy&pnout"));
    click("btnBudUlozit");
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_EQ(window->alarmClock().nasledujici(), QStringLiteral("Čaj"));
    EXPECT_EQ(child<QComboBox>("cbxBudiky")->currentText(), QStringLiteral("Čaj"))
        << "the editor shows the next alarm";
    EXPECT_EQ(child<QLabel>("lblDatumBudiku")->text(), QStringLiteral("6.12.2026 Ne"));
    EXPECT_EQ(child<QLabel>("lblDatumBudiku")->palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_FALSE(child<QLabel>("imgZvonek")->pixmap().isNull());

    runFor(4000);
    EXPECT_TRUE(questions.notices.empty());
    runFor(1000);
    ASSERT_EQ(questions.notices.size(), 1u);
    EXPECT_EQ(questions.notices[0].caption, QStringLiteral("Tavrok: 6.12.2026 10:00:05"));
    EXPECT_EQ(questions.notices[0].text, QStringLiteral("Konvice"));
    EXPECT_TRUE(audio.commands.contains(QStringLiteral("play ") + window->standardSound(u"Zvonek.wav")));
    EXPECT_EQ(child<QLabel>("lblDatumBudiku")->text(), QStringLiteral("7.12.2026 Po")) << "moved on to tomorrow";
    runFor(1000);
    EXPECT_EQ(questions.notices.size(), 1u) << "never twice";

    typeOnDigits("09"); // edited after the load: closing asks first
    questions.script({Answer::No});
    EXPECT_FALSE(window->close());
    EXPECT_EQ(questions.asked.back().text, window->messageTable().text(15));
    questions.script({Answer::Yes});
    EXPECT_TRUE(window->close());
}

// ---- running engines across a restart

TEST_F(MainWindowTest, AStopwatchKeptRunningCountsTheHoursTheProgramWasOff) {
    settings("[nastaveni]\nnechat=1\n");
    open();
    startStopwatch();
    runFor(30'000);
    click("btnTvrMezicas");
    runFor(40'000);
    click("btnTvrMezicas");
    EXPECT_TRUE(window->close());
    EXPECT_EQ(IniFile(settingsPath()).readInteger(u"pokracovaniTavrek", u"stav", 0), 2);

    clock.advanceMs(3'600'000);
    open();
    EXPECT_TRUE(window->stopwatch().running());
    EXPECT_EQ(window->state().currentFunction, Funkce::Tavrok);
    runFor(0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("T: 0;01:01:10"));
    EXPECT_EQ(splitLines(), (QStringList{SplitList::Separator, QStringLiteral("1:  0; 00:00:30,000"),
                                         QStringLiteral("2:  0; 00:01:10,000")}));
    click("btnTvrMezicas");
    EXPECT_TRUE(splitLines().back().startsWith(QStringLiteral("3:  0; 01:01:10"))) << "the numbering continues";
    EXPECT_FALSE(IniFile(settingsPath()).sectionExists(u"pokracovaniTavrek")) << "erased at start";
}

TEST_F(MainWindowTest, AContinuationThatCannotBeTrueIsNotResumed) {
    // Hand-edited: a repeating countdown of no length or half a second, a stopwatch started tomorrow.
    const TDateTime now = clock.now().days();
    for (const double span : {0.0, 0.5 / 86400}) {
        settings("[pokracovaniOdpocitavani]\nstav=2\ncas=" + QByteArray::number(now - 1.0 / 1440, 'f', 9) +
                 "\ndelkaOdpocitavani=" + QByteArray::number(span, 'f', 12) + "\nopakovat=1\n"
                 "[pokracovaniTavrek]\nstav=2\ncas=" + QByteArray::number(now + 1, 'f', 9) + "\n");
        open();
        runFor(3000);
        EXPECT_FALSE(window->countdown().running()) << span;
        EXPECT_FALSE(window->stopwatch().running());
        EXPECT_TRUE(questions.asked.empty()) << "no end box at every tick";
        window.reset();
    }
}

TEST_F(MainWindowTest, EnginesPausedWhileOffGoOnFromTheirTime) {
    settings("[nastaveni]\npozastavit=1\n");
    open();
    startCountdown("000500");
    startStopwatch();
    runFor(70'000);
    EXPECT_TRUE(window->close());
    clock.advanceMs(86'400'000);
    open();
    ASSERT_TRUE(window->countdown().running());
    EXPECT_EQ(toMilliseconds(window->countdown().end() - clock.utcNow()), 230'000);
    runFor(0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("T: 0;00:01:10"));
    EXPECT_TRUE(window->stopwatch().running());
}

TEST_F(MainWindowTest, ACountdownThatEndedWhileOffIsReportedAndStartsTheStopwatch) {
    settings("[nastaveni]\nnechat=1\n[dalsiNastaveniOdpocit]\nspustitTavrok=1\n");
    open();
    click("lblFceOdpocit");
    typeOnDigits("001000");
    child<QLineEdit>("edtOdpZprava")->setText(QStringLiteral("Pizza"));
    click("btnZapnout");
    const UtcTime end = window->countdown().end();
    EXPECT_TRUE(window->close());
    clock.advanceMs(20 * 60'000);
    open();
    EXPECT_FALSE(window->countdown().running());
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text,
              fillPlaceholders(window->messageTable().text(20),
                               {{u"%d1", QStringLiteral("6.12.2026 10:10:00")}, {u"%d2", QStringLiteral("Pizza")}}));
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Information);
    EXPECT_TRUE(window->stopwatch().running());
    EXPECT_EQ(toMilliseconds(window->stopwatch().start() - end), 0) << "counted from the end moment";
}

TEST_F(MainWindowTest, TheSessionEndingWhileAStartUpBoxIsOpenKeepsTheRunningStopwatchAndTheMissedAlarms) {
    settings("[nastaveni]\nnechat=1\n");
    open();
    startStopwatch();
    runFor(30'000);
    EXPECT_TRUE(window->close());
    // A daily alarm last checked two days ago; a standard sound gone, so a box is open at the next start
    // when the session ends.
    const QString checked = formatIniDateTime(clock.now().days() - 2);
    test::writeBytes(data("Nastaveni/Budiky.ini"), "[info]\npocetBudiku=1\n1=Ranni\n[Ranni]\ncas=7:00:00\nstav=1\n"
                                                   "vzdy=1\nposledni=" + checked.toUtf8() + "\n");
    ASSERT_TRUE(QFile::remove(data("Zvuky/Standard/Zvonek.wav")));
    int boxes = 0;
    questions.whileOpen = [&](int) {
        if (++boxes == 1) {
            window->endSession();
        }
    };
    window.reset();
    create();
    EXPECT_EQ(showUntilClosed(), 1) << "closed once the start-up is through";
    EXPECT_EQ(boxes, 1) << "no box after the session ended";
    const IniFile saved(settingsPath());
    EXPECT_EQ(saved.readInteger(u"pokracovaniTavrek", u"stav", 0), 2) << "still running at the next start";
    EXPECT_EQ(saved.readInteger(u"stavHlavnihoOkna", u"funkce", 0), 2);
    EXPECT_EQ(IniFile(data("Nastaveni/Budiky.ini")).readString(u"Ranni", u"posledni"), checked)
        << "its missed rings are listed at the next start";
}

// The session ends while the start-up's first box is open (an update nothing can install). The steps
// after it ask nobody: the countdown that ended while the program was off does not restart the running
// stopwatch (message 19 is not answered Yes for the user), and both settle as at any session end.
TEST_F(MainWindowTest, TheSessionEndingAtStartUpRestartsNoRunningStopwatch) {
    settings("[nastaveni]\nnechat=1\n[dalsiNastaveniOdpocit]\nspustitTavrok=1\n");
    open();
    startStopwatch();
    const UtcTime stopwatchStart = window->stopwatch().start();
    click("lblFceOdpocit");
    typeOnDigits("001000");
    click("btnZapnout");
    EXPECT_TRUE(window->close());
    clock.advanceMs(20 * 60'000);
    ASSERT_TRUE(IniFile(settingsPath()).writeBool(u"stavProgramu", u"aktualizovatPoSpusteni", true));
    questions.whileOpen = [&](int) {
        questions.unanswered = true;
        window->endSession();
    };
    window.reset();
    create();
    EXPECT_EQ(showUntilClosed(), 1);
    ASSERT_EQ(questions.asked.size(), 1u) << "only the box that was open when the session ended";
    EXPECT_EQ(questions.asked[0].text,
              fillPlaceholders(window->messageTable().text(MessageTable::UpdateNotInstallable),
                               QDir::toNativeSeparators(aktualizace::programStahovace(dir.path()))));
    EXPECT_EQ(toMilliseconds(window->stopwatch().start() - stopwatchStart), 0);
    EXPECT_EQ(IniFile(settingsPath()).readInteger(u"pokracovaniTavrek", u"stav", 0), 2);
}

// A paused countdown, a running stopwatch with unsaved splits (the settings stop it at the close) and an
// alarm edited on the digits when the session ends: none of the questions can be answered, the program
// still closes, and the next start has the countdown paused with its time left and the stopwatch
// stopped with its splits.
TEST_F(MainWindowTest, TheSessionEndingKeepsAPausedCountdownAndStoppedSplitsAndStillCloses) {
    open();
    typeOnDigits("08");
    child<QComboBox>("cbxBudiky")->setEditText(QStringLiteral("a"));
    click("btnZapnout");
    click("btnBudUlozit");
    typeOnDigits("09");
    takeTwoSplits();
    click("btnZapnout"); // running again, its splits unsaved, the setting says stop at the close
    click("lblFceOdpocit");
    typeOnDigits("000500");
    click("btnZapnout");
    runFor(60'000);
    click("btnPauza");
    const QStringList splits = window->stopwatch().splits().items();
    const qint64 elapsed = toMilliseconds(window->stopwatch().elapsed());
    QSignalSpy closed(window.get(), &TfrmHlavniOkno::closed);
    window->endSession();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(questions.asked.empty());
    clock.advanceMs(3'600'000);
    endTheApplicationsLoop();
    open();
    ASSERT_TRUE(window->countdown().paused());
    EXPECT_EQ(toMilliseconds(window->countdown().left()), 240'000);
    EXPECT_FALSE(window->stopwatch().running());
    EXPECT_EQ(toMilliseconds(window->stopwatch().elapsed()), elapsed);
    EXPECT_EQ(window->stopwatch().splits().items(), splits);
    EXPECT_FALSE(window->stopwatch().splitsSaved());
}

TEST_F(MainWindowTest, CancellingTheRunningQuestionKeepsTheProgramOpenAndWritesNothing) {
    settings("[nastaveni]\nzeptat=1\n");
    open();
    startStopwatch();
    questions.runningAnswers = {RunningChoice::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(questions.runningAsked,
              QStringList{window->messageTable().text(9) + u' ' + window->messageTable().text(10)});
    EXPECT_TRUE(window->stopwatch().running());
    EXPECT_FALSE(IniFile(settingsPath()).sectionExists(u"pokracovaniTavrek"));

    questions.runningAnswers = {RunningChoice::Stop};
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(IniFile(settingsPath()).sectionExists(u"pokracovaniTavrek")) << "stop writes nothing";
}

TEST_F(MainWindowTest, APositionOffEveryScreenStartsOnTheScreen) {
    for (const char* position : {"levo=1900\nhor=900\n", "levo=-100000\nhor=-100000\n"}) {
        settings(QByteArray("[stavHlavnihoOkna]\n") + position);
        open();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(screen.contains(QRect(window->geometry().topLeft() - QPoint(0, 32), QSize(window->width(), 32))))
            << position << " gave " << window->geometry().x() << "," << window->geometry().y();
        window.reset();
    }
}

TEST_F(CountdownDigitsTest, DigitsCountFromTheTopRowWithShiftAndFromTheKeypad) {
    // A Czech layout: the top row gives digits only with Shift; without it the keys type letters.
    for (const int key : {Qt::Key_1, Qt::Key_2}) {
        send(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier, {});
        tap(key, Qt::ShiftModifier, QString(QChar(u'0' + key - Qt::Key_0)));
        send(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, {});
    }
    send(QEvent::KeyPress, 0x01001ec, Qt::NoModifier, QStringLiteral("\u011B"));
    for (const int key : {Qt::Key_3, Qt::Key_4}) { // the keypad with NumLock on
        tap(key, Qt::KeypadModifier, QString(QChar(u'0' + key - Qt::Key_0)));
    }
    EXPECT_EQ(digits(), QStringLiteral("12:34:00.000"));
    EXPECT_EQ(window->markedPosition(), 5);
    EXPECT_EQ(toMilliseconds(window->countdown().left()), (12 * 3600 + 34 * 60) * 1000);
}

TEST_F(CountdownDigitsTest, RolledOverKeysEachCountOnce) {
    send(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    send(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
    send(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    send(QEvent::KeyPress, Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
    send(QEvent::KeyRelease, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
    send(QEvent::KeyRelease, Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
    EXPECT_EQ(digits(), QStringLiteral("12:30:00.000"));
}

TEST_F(CountdownDigitsTest, CtrlTabSwitchesOncePerPressAndAutoRepeatDoesNotCycle) {
    send(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier, {});
    tap(Qt::Key_Tab, Qt::ControlModifier, QStringLiteral("\t"));
    EXPECT_EQ(window->state().currentFunction, Funkce::Budik);
    send(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier, QStringLiteral("\t"));
    for (int i = 0; i < 3; ++i) { // held down: the auto-repeated presses and releases switch nothing more
        send(QEvent::KeyRelease, Qt::Key_Tab, Qt::ControlModifier, QStringLiteral("\t"), true);
        send(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier, QStringLiteral("\t"), true);
    }
    // Ctrl let go before the Tab: the press still switches, once.
    send(QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier, {});
    send(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    EXPECT_EQ(window->state().currentFunction, Funkce::Tavrok);
    tap(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, {});
    EXPECT_EQ(window->state().currentFunction, Funkce::Budik);
}

TEST_F(CountdownDigitsTest, TheDigitsAreTheStateNotTheLabelsText) {
    typeOnDigits("000130");
    child<QLabel>("lblS")->setText(QStringLiteral("59"));
    click("btnZapnout");
    ASSERT_TRUE(window->countdown().running());
    EXPECT_EQ(toMilliseconds(window->countdown().span()), 90'000);
    EXPECT_EQ(digits(), QStringLiteral("00:01:30.000"));
}

TEST_F(CountdownDigitsTest, TheDayFieldTakesDigitsOnlyAndTheAlarmsMessageComesBackAfterAVisit) {
    click("lblFceBudik");
    typeOnDigits("07");
    auto* edtD = child<QLineEdit>("edtD");
    edtD->setFocus();
    QTest::keyClicks(edtD, QStringLiteral("Vstavat"));
    QTest::keyClick(edtD, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier); // back to the countdown
    ASSERT_EQ(window->state().currentFunction, Funkce::Odpocit);
    EXPECT_EQ(edtD->text(), QStringLiteral("0")) << "the alarm's message is not a day count";
    edtD->setFocus();
    edtD->selectAll();
    QTest::keyClicks(edtD, QStringLiteral("1x2-3.4e5678"));
    EXPECT_EQ(edtD->text(), QStringLiteral("123456")) << "digits only, six of them";
    EXPECT_EQ(toMilliseconds(window->countdown().left()), 123'456LL * 86'400'000);
    // The odometer stops at the longest length instead of carrying past it.
    edtD->selectAll();
    QTest::keyClicks(edtD, QStringLiteral("999999"));
    typeOnDigits("235959");
    QTest::mouseClick(child("lblS"), Qt::LeftButton, {}, QPoint(child("lblS")->width() - 4, 5));
    QTest::mouseClick(child("lblS"), Qt::LeftButton, {}, QPoint(child("lblS")->width() - 4, 5));
    EXPECT_EQ(edtD->text(), QStringLiteral("999999"));
    EXPECT_EQ(digits(), QStringLiteral("23:59:59.000"));

    click("lblFceTavrok");
    EXPECT_EQ(edtD->text(), QStringLiteral("0"));
    click("lblFceBudik");
    EXPECT_EQ(edtD->text(), QStringLiteral("Vstavat"));
    EXPECT_EQ(digits(), QStringLiteral("07:00:00.000"));
}
