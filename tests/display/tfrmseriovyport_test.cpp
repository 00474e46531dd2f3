// The serial lines as a user wires them: a button on an input, a lamp on an output.
#include "display/seriallines.h"
#include "display/seriovyport.h"
#include "display/tfrmseriovyport.h"
#include "storage/inifile.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QComboBox>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

class SerialWindowTest : public test::WindowFixture {
protected:
    void pressButtonOn(int line) {
        serial.in[static_cast<size_t>(line)] = true;
        window->serialLines().pollSerialPort();
        serial.in[static_cast<size_t>(line)] = false;
        window->serialLines().pollSerialPort();
    }
};

} // namespace

TEST_F(SerialWindowTest, TheStoredPortOpensAtStartAndItsButtonsDriveTheEngines) {
    settings("[seriovyPort]\nport=/dev/ttyUSB0\nDSR=1\nCTS=7\nRI=2\nTxD=2\ndelka=200\n");
    open();
    ASSERT_TRUE(serial.opened);
    EXPECT_EQ(serial.openedName, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_TRUE(window->findChild<QTimer*>(QStringLiteral("tmrSeriovyPort"))->isActive());

    // A length set in the countdown; the button on DSR starts it while the alarm function is shown.
    click("lblFceOdpocit");
    typeOnDigits("000003");
    click("lblFceBudik");
    pressButtonOn(0);
    EXPECT_TRUE(window->countdown().running());

    pressButtonOn(2); // RI starts the stopwatch
    ASSERT_TRUE(window->stopwatch().running());
    clock.advanceMs(1000);
    pressButtonOn(1); // CTS takes a split
    EXPECT_EQ(window->stopwatch().splits().items().size(), 2u) << "the separator and one split";

    runFor(2000); // the countdown ends: TxD pulses for 200 ms
    EXPECT_TRUE(serial.out[2]);
    clock.advanceMs(250);
    window->serialLines().pollSerialPort();
    EXPECT_FALSE(serial.out[2]);
}

TEST_F(SerialWindowTest, TheLinesAreReadAndPulsesEndWhileABoxIsOpen) {
    // No countdown length: the button on DSR opens "no time given"; the lines go on meanwhile.
    settings("[seriovyPort]\nport=/dev/ttyUSB0\nDSR=1\nCTS=7\nDTR=1\nRTS=0\ndelka=500\n");
    open();
    click("lblFceTavrok");
    click("btnZapnout");
    const auto lines = [this] { return window->stopwatch().splits().items().size(); };
    const auto before = lines();
    questions.whileOpen = [&](int depth) {
        if (depth != 1) {
            return;
        }
        for (int i = 0; i < 3; ++i) { // the polls come from the port's own timer, inside the box
            serial.in[1] = true;
            QTest::qWait(60);
            serial.in[1] = false;
            QTest::qWait(60);
        }
        serial.in[0] = false; // DSR pressed again: the same box does not open twice
        QTest::qWait(60);
        serial.in[0] = true;
        QTest::qWait(60);
        window->serialLines().seriovyPort().aktivujSerPort(ZazvoneniBudiku, clock.utcNow()); // an alarm rings meanwhile
        EXPECT_TRUE(serial.out[0]);
        clock.advanceMs(600);
        QTest::qWait(60);
        EXPECT_FALSE(serial.out[0]) << "the lamp goes off after its length, the box still open";
    };
    serial.in[0] = true;
    QTest::qWait(100);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, window->messageTable().text(2));
    EXPECT_EQ(lines(), before + 3) << "three splits taken while the box was open";
}

TEST_F(SerialWindowTest, TheDialogConnectsAndStoresAndAPulledAdapterIsReportedOnce) {
    settings("[seriovyPort]\nport=/dev/pts/9\n");
    serial.opens = false;
    open();
    ASSERT_EQ(questions.asked.size(), 1u) << "the stored port could not be opened";
    EXPECT_TRUE(questions.asked[0].text.startsWith(window->messageTable().text(64)));
    serial.opens = true;

    EXPECT_FALSE(window->findChild<TfrmSeriovyPort*>()) << "the dialog is built at its first opening";
    auto* dialog = &window->findChild<SerialLines*>()->frmSeriovyPort();
    ASSERT_TRUE(dialog);
    editAndPress(dialog,
                 [&] {
                     auto* ports = childOf<QComboBox>(dialog, "cbxPort");
                     EXPECT_NE(ports->findText(QStringLiteral("/dev/pts/9")), -1) << "the stored one is offered";
                     EXPECT_NE(ports->findText(QStringLiteral("/dev/ttyS0")), -1);
                     ports->setCurrentText(QStringLiteral("/dev/ttyS0"));
                     QTest::mouseClick(childOf(dialog, "btnPripojit"), Qt::LeftButton);
                     EXPECT_EQ(childOf<QLabel>(dialog, "lblPripojeno")->text(),
                               QString::fromUtf16(u"Připojeno k: /dev/ttyS0"));
                     childOf<QComboBox>(dialog, "cbxCTS")->setCurrentIndex(2);
                 },
                 "btnOK", [&] { window->findChild<QAction*>(QStringLiteral("mnuSeriovyPort"))->trigger(); });
    EXPECT_TRUE(serial.opened);
    const IniFile ini(settingsPath());
    EXPECT_EQ(ini.readString(u"seriovyPort", u"port"), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(ini.readInteger(u"seriovyPort", u"CTS", 0), 2);
    auto* poll = window->findChild<QTimer*>(QStringLiteral("tmrSeriovyPort"));
    EXPECT_TRUE(poll->isActive());

    serial.gone = true;
    window->serialLines().pollSerialPort();
    ASSERT_EQ(questions.asked.size(), 2u);
    EXPECT_TRUE(questions.asked[1].text.contains(QStringLiteral("/dev/ttyS0")));
    EXPECT_TRUE(questions.asked[1].text.contains(QStringLiteral("Input/output error")));
    EXPECT_FALSE(poll->isActive());
    window->serialLines().pollSerialPort();
    EXPECT_EQ(questions.asked.size(), 2u);
}
