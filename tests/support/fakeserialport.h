#pragma once

#include "platform/serialport.h"

namespace tavrok::test {

// A port whose lines the test sets and reads; it can refuse to open and can go away.
class FakeSerialPort final : public SerialPort {
public:
    QStringList names{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0")};
    bool opens = true;
    bool gone = false;
    bool opened = false;
    QString openedName;
    Inputs in{};
    std::array<bool, 3> out{};
    int polls = 0;

    bool open(const QString& name, QString& error) override {
        if (!opens || name.isEmpty()) {
            error = QStringLiteral("No such file or directory");
            return false;
        }
        opened = true;
        openedName = name;
        out = {true, true, false}; // opening raises DTR and RTS, as the kernel does
        return true;
    }
    void close() override { opened = false; }
    bool isOpen() const override { return opened; }
    bool setOutput(Output line, bool on) override {
        if (!opened) {
            return false;
        }
        out[static_cast<size_t>(line)] = on;
        return true;
    }
    bool output(Output line) const override { return out[static_cast<size_t>(line)]; }
    std::optional<Inputs> inputs() override {
        ++polls;
        if (!opened || gone) {
            return std::nullopt;
        }
        return in;
    }
    QStringList portNames() const override { return names; }
    QString errorText() const override { return gone ? QStringLiteral("Input/output error") : QString(); }
};

} // namespace tavrok::test
