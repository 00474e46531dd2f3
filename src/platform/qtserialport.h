#pragma once

#include "platform/serialport.h"

#include <QSerialPort>

namespace tavrok {

// The modem lines of a real port through Qt's serial-port module.
class QtSerialPort final : public SerialPort {
public:
    QtSerialPort();
    bool open(const QString& name, QString& error) override;
    void close() override;
    bool isOpen() const override;
    bool setOutput(Output line, bool on) override;
    bool output(Output line) const override;
    std::optional<Inputs> inputs() override;
    QStringList portNames() const override;
    QString errorText() const override;

private:
    mutable QSerialPort port_; // reading a line is not const in Qt
};

} // namespace tavrok
