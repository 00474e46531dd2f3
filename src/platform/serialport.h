#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace tavrok {

// A serial port used only through its modem lines: no bytes, no line parameters.
class SerialPort {
public:
    enum Output { DTR, RTS, TxD }; // TxD is driven by holding the line in the break state
    // DSR, CTS, RI, DCD, in this order.
    using Inputs = std::array<bool, 4>;

    virtual ~SerialPort() = default;
    // Opens the port by its name; false with a reason when it cannot be.
    virtual bool open(const QString& name, QString& error) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool setOutput(Output line, bool on) = 0;
    virtual bool output(Output line) const = 0;
    // The input lines; nothing when the port no longer answers (an adapter pulled out).
    virtual std::optional<Inputs> inputs() = 0;
    // The ports the system reports.
    virtual QStringList portNames() const = 0;
    // Why the port last failed.
    virtual QString errorText() const = 0;
};

} // namespace tavrok
