// Keys and clicks on the main window as real keyboards and mice deliver them.
#include "support/windowfixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

class MainWindowInputTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        open();
        click("lblFceOdpocit");
        target = child("btnZapnout");
        target->setFocus();
    }
    // One key event as the platform delivers it.
    void send(QEvent::Type type, int key, Qt::KeyboardModifiers mods, const QString& text, bool autoRepeat = false) {
        QKeyEvent e(type, key, mods, text, autoRepeat);
        QApplication::sendEvent(target, &e);
    }
    void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint at) {
        QMouseEvent e(type, at, w->mapToGlobal(at), button, type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    QWidget* target = nullptr;
};

} // namespace

TEST_F(MainWindowInputTest, DigitsCountFromTheTopRowWithShiftAndFromTheKeypad) {
    // A Czech layout: the top row gives digits only with Shift.
    for (const int key : {Qt::Key_1, Qt::Key_2}) {
        send(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier, {});
        send(QEvent::KeyPress, key, Qt::ShiftModifier, QString(QChar(u'0' + key - Qt::Key_0)));
        send(QEvent::KeyRelease, key, Qt::ShiftModifier, QString(QChar(u'0' + key - Qt::Key_0)));
        send(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, {});
    }
    // Without Shift the same keys type letters, which change nothing.
    send(QEvent::KeyPress, 0x01001ec, Qt::NoModifier, QStringLiteral("\u011B"));
    // The keypad with NumLock on.
    for (const int key : {Qt::Key_3, Qt::Key_4}) {
        send(QEvent::KeyPress, key, Qt::KeypadModifier, QString(QChar(u'0' + key - Qt::Key_0)));
        send(QEvent::KeyRelease, key, Qt::KeypadModifier, QString(QChar(u'0' + key - Qt::Key_0)));
    }
    EXPECT_EQ(digits(), QStringLiteral("12:34:00.000"));
    EXPECT_EQ(window->markedPosition(), 5);
    EXPECT_EQ(toMilliseconds(window->countdown().left()), (12 * 3600 + 34 * 60) * 1000);
}

TEST_F(MainWindowInputTest, RolledOverKeysEachCountOnce) {
    // The next key goes down before the previous one comes up, as fast typists type.
    send(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    send(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
    send(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    send(QEvent::KeyPress, Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
    send(QEvent::KeyRelease, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
    send(QEvent::KeyRelease, Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
    EXPECT_EQ(digits(), QStringLiteral("12:30:00.000"));
}

TEST_F(MainWindowInputTest, CtrlTabSwitchesOncePerPressAndAutoRepeatDoesNotCycle) {
    ASSERT_EQ(window->state().currentFunction, Funkce::Odpocit);
    send(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier, {});
    send(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier, QStringLiteral("\t"));
    send(QEvent::KeyRelease, Qt::Key_Tab, Qt::ControlModifier, QStringLiteral("\t"));
    EXPECT_EQ(window->state().currentFunction, Funkce::Budik);
    // Held down: the auto-repeated presses and releases switch nothing more.
    send(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier, QStringLiteral("\t"));
    for (int i = 0; i < 3; ++i) {
        send(QEvent::KeyRelease, Qt::Key_Tab, Qt::ControlModifier, QStringLiteral("\t"), true);
        send(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier, QStringLiteral("\t"), true);
    }
    // Ctrl let go before the Tab: the press still switches, once.
    send(QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier, {});
    send(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    EXPECT_EQ(window->state().currentFunction, Funkce::Tavrok);
    send(QEvent::KeyPress, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, {});
    send(QEvent::KeyRelease, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, {});
    EXPECT_EQ(window->state().currentFunction, Funkce::Budik);
}

TEST_F(MainWindowInputTest, ADoubleClickOnADigitIsTwoSteps) {
    auto* lblS = child<QLabel>("lblS");
    const QPoint units(lblS->width() - 4, lblS->height() / 2);
    QTest::mouseClick(lblS, Qt::LeftButton, {}, units); // selects the seconds units
    // What a widget receives of a double click: the second press arrives as a double click.
    mouse(lblS, QEvent::MouseButtonPress, Qt::LeftButton, units);
    mouse(lblS, QEvent::MouseButtonRelease, Qt::LeftButton, units);
    mouse(lblS, QEvent::MouseButtonDblClick, Qt::LeftButton, units);
    mouse(lblS, QEvent::MouseButtonRelease, Qt::LeftButton, units);
    EXPECT_EQ(digits(), QStringLiteral("00:00:02.000"));
    EXPECT_EQ(toMilliseconds(window->countdown().left()), 2000);
}

TEST_F(MainWindowInputTest, TheDigitsAreTheStateNotTheLabelsText) {
    typeOnDigits("000130");
    // Whatever a label happens to show, the state decides what starts.
    child<QLabel>("lblS")->setText(QStringLiteral("59"));
    click("btnZapnout");
    ASSERT_TRUE(window->countdown().running());
    EXPECT_EQ(toMilliseconds(window->countdown().span()), 90'000);
    EXPECT_EQ(digits(), QStringLiteral("00:01:30.000"));
}

TEST_F(MainWindowInputTest, EnterInAnIncompleteDateOrTimeSaysSo) {
    window->lblCasClick();
    auto* mkeCas = child<QLineEdit>("mkeCas");
    mkeCas->setFocus();
    mkeCas->selectAll();
    QTest::keyClick(mkeCas, Qt::Key_Backspace);
    QTest::keyClick(mkeCas, Qt::Key_1);
    QTest::keyClick(mkeCas, Qt::Key_Return);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, window->messageTable().text(35));
    EXPECT_EQ(clockSetter.calls, 0);
    EXPECT_TRUE(child("pnlDatCasEdit")->isVisible()) << "the editor stays open for a correction";
}

TEST_F(MainWindowInputTest, TheClockEditorTakesMouseClicksAndTheBackgroundClosesIt) {
    window->lblCasClick();
    auto* datum = child<QLineEdit>("mkeDatum");
    auto* cas = child<QLineEdit>("mkeCas");
    QTest::mouseClick(datum, Qt::LeftButton);
    QTest::mouseClick(cas, Qt::LeftButton);
    EXPECT_TRUE(child("pnlDatCasEdit")->isVisible()) << "a click into its own fields";
    QTest::mouseClick(child("lblDnu"), Qt::LeftButton);
    EXPECT_FALSE(child("pnlDatCasEdit")->isVisible()) << "a click on a label";
}

TEST_F(MainWindowInputTest, TheDayFieldTakesDigitsOnlyAndNoMessageOfTheAlarm) {
    click("lblFceBudik");
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
}
