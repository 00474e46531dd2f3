#include "display/seriovyport.h"
#include "storage/inifile.h"
#include "support/fakeserialport.h"
#include "support/tempdir.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tavrok {
namespace {

constexpr TDateTime Ms = 1.0 / MsPerDay;

class SerialLinesTest : public ::testing::Test {
protected:
    test::FakeSerialPort port;
    SeriovyPort serial{port};
    UtcTime now{46'000.5};
    TNastaveniSerioveho settings;

    void connectPort() {
        serial.apply(settings);
        QString error;
        ASSERT_TRUE(serial.pripojit(QStringLiteral("/dev/ttyUSB0"), error));
    }
    std::vector<int> pollAt(double ms) {
        now += ms * Ms;
        return serial.poll(now).actions;
    }
};

// Opening sets the outputs; an input already on is no edge. Inputs act on their edge once, negated ones
// on the drop.
TEST_F(SerialLinesTest, InputsActOnTheirEdgeOnceAndNegatedOnesOnTheDrop) {
    settings.stav = {false, true, false};
    settings.negace[1] = true; // CTS
    port.in[0] = true;
    connectPort();
    EXPECT_EQ(port.out, (std::array<bool, 3>{false, true, false})) << "DTR raised by the open is lowered again";
    EXPECT_TRUE(pollAt(10).empty()) << "the state at connecting is the starting point";
    port.in[0] = false;
    EXPECT_TRUE(pollAt(10).empty()) << "a plain input does nothing when it drops";
    port.in[0] = true; // DSR comes on
    EXPECT_EQ(pollAt(10), std::vector<int>{SpustitOdpocitavani}) << "the default for DSR";
    EXPECT_TRUE(pollAt(10).empty()) << "held on: nothing more";
    port.in = {false, true, false, false}; // DSR dropping and negated CTS rising: nothing
    EXPECT_TRUE(pollAt(10).empty());
    port.in[1] = false;
    EXPECT_EQ(pollAt(10), std::vector<int>{UlozitMezicas}) << "the default for CTS, on the drop";

    port.in = {true, false, true, true}; // three change together: in the order DSR, RI, DCD
    EXPECT_EQ(pollAt(10), (std::vector<int>{SpustitOdpocitavani, MezicasZastavitVynulovat,
                                            VynulovatPrepnoutNaOdpocitavani}));
}

TEST_F(SerialLinesTest, EventsInvertTheirOutputsAndPulsesComeBack) {
    settings.udalost = {ZazvoneniBudiku, ZazvoneniBudiku, DokonceniOdpocitavani};
    connectPort();
    serial.aktivujSerPort(ZazvoneniBudiku, now);
    EXPECT_EQ(port.out, (std::array<bool, 3>{true, true, false})) << "two outputs on one event both change";
    serial.aktivujSerPort(DokonceniOdpocitavani, now);
    EXPECT_TRUE(port.out[2]) << "with no length the output stays changed";
    pollAt(60'000);
    EXPECT_TRUE(port.out[2]);

    settings.delka = 500;
    settings.udalost = {NikdyNemenit, ZazvoneniBudiku, NikdyNemenit};
    serial.apply(settings);
    serial.aktivujSerPort(ZazvoneniBudiku, now);
    EXPECT_TRUE(port.out[1]);
    EXPECT_EQ(serial.nextReturn(), now + 500 * Ms);
    pollAt(300);
    EXPECT_TRUE(port.out[1]);
    serial.aktivujSerPort(ZazvoneniBudiku, now); // a second ring during the pulse: inverted again, time anew
    EXPECT_FALSE(port.out[1]);
    pollAt(300);
    EXPECT_FALSE(port.out[1]) << "the new return time counts from the second ring";
    pollAt(200);
    EXPECT_TRUE(port.out[1]);
    EXPECT_EQ(serial.nextReturn(), std::nullopt);
}

TEST_F(SerialLinesTest, APortThatGoesAwayIsClosedOnceAndAFailedOpenSaysWhy) {
    connectPort();
    port.gone = true;
    const SeriovyPort::Poll lost = serial.poll(now);
    EXPECT_TRUE(lost.lost);
    EXPECT_FALSE(serial.connected());
    EXPECT_FALSE(port.opened);
    const int polls = port.polls;
    EXPECT_FALSE(serial.poll(now).lost) << "reported once";
    EXPECT_EQ(port.polls, polls) << "and not asked again";

    port.opens = false;
    QString error;
    EXPECT_FALSE(serial.pripojit(QStringLiteral("/dev/ttyS9"), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(serial.connected());
    EXPECT_TRUE(serial.portName().isEmpty());
}

TEST(SerialSettings, DefaultsAndARoundTripWithTheWordForNone) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Nastaveni.ini");
    IniFile ini(path);
    const QString none = QString::fromUtf16(u"Žádný");
    const TNastaveniSerioveho defaults = nactiNastaveniSerioveho(ini, none);
    EXPECT_EQ(defaults.akce, (std::array<int, 4>{1, 7, 5, 6}));
    EXPECT_EQ(defaults.udalost, (std::array<int, 3>{0, 1, 2}));
    EXPECT_TRUE(defaults.port.isEmpty());
    ASSERT_TRUE(ulozNastaveniSerioveho(ini, defaults));
    EXPECT_EQ(IniFile(path).readString(u"seriovyPort", u"port"), none);

    TNastaveniSerioveho s;
    s.port = QStringLiteral("/dev/pts/7");
    s.akce = {2, 3, 0, 4};
    s.negace = {true, false, false, true};
    s.udalost = {2, 0, 1};
    s.stav = {true, false, true};
    s.delka = 750;
    ASSERT_TRUE(ulozNastaveniSerioveho(ini, s));
    EXPECT_EQ(nactiNastaveniSerioveho(IniFile(path), none), s);

    test::writeBytes(path, "[seriovyPort]\nDSR=99\nDTR=-4\ndelka=-10\n");
    const TNastaveniSerioveho hostile = nactiNastaveniSerioveho(IniFile(path), none);
    EXPECT_EQ(hostile.akce[0], 7);
    EXPECT_EQ(hostile.udalost[0], 0);
    EXPECT_EQ(hostile.delka, 0);
}

} // namespace
} // namespace tavrok
