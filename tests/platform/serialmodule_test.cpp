#include "platform/serialmodule.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

using tavrok::SerialModule;
using tavrok::SerialPort;

// A pseudo-terminal: a port the system has without any hardware.
class PseudoTerminal {
public:
    PseudoTerminal() : master_(posix_openpt(O_RDWR | O_NOCTTY)) {
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) {
            name_ = QString::fromLocal8Bit(ptsname(master_));
        }
    }
    ~PseudoTerminal() {
        if (master_ >= 0) {
            close(master_);
        }
    }
    QString name() const { return name_; }

private:
    int master_;
    QString name_;
};

TEST(SerialModuleTest, LoadedWhenAPortIsOpenedOrListedAndNotBefore) {
    SerialModule port(QStringLiteral(TAVROK_MODULE_DIR));
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.inputs(), std::nullopt);
    EXPECT_FALSE(port.setOutput(SerialPort::DTR, true));
    EXPECT_FALSE(port.output(SerialPort::RTS));
    port.close();
    EXPECT_FALSE(port.isLoaded()) << "a program whose lines are not used loads nothing";

    PseudoTerminal pty;
    ASSERT_FALSE(pty.name().isEmpty());
    QString error;
    ASSERT_TRUE(port.open(pty.name(), error)) << qPrintable(error);
    EXPECT_TRUE(port.isLoaded());
    EXPECT_TRUE(port.isOpen());
    port.close();
    EXPECT_FALSE(port.isOpen());

    SerialModule listing(QStringLiteral(TAVROK_MODULE_DIR));
    listing.portNames();
    EXPECT_TRUE(listing.isLoaded());
}

TEST(SerialModuleTest, WithoutTheModuleNoPortOpensAndTheReasonIsGiven) {
    QTemporaryDir empty;
    SerialModule port(empty.path());
    PseudoTerminal pty;
    QString error;
    EXPECT_FALSE(port.open(pty.name(), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(port.errorText(), error);
    EXPECT_TRUE(port.portNames().isEmpty());
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.open(pty.name(), error)) << "and again, without a crash";
}

} // namespace
