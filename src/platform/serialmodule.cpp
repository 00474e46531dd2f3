#include "platform/serialmodule.h"

namespace tavrok {

SerialModule::SerialModule(QString folder)
    : port_(std::move(folder), QStringLiteral("tavrok-serial"), "tavrok_create_serial_port") {}

bool SerialModule::open(const QString& name, QString& error) {
    SerialPort* p = port_.get();
    if (!p) {
        error = port_.errorText();
        return false;
    }
    return p->open(name, error);
}

void SerialModule::close() {
    if (SerialPort* p = port_.made()) {
        p->close();
    }
}

bool SerialModule::isOpen() const {
    const SerialPort* p = port_.made();
    return p && p->isOpen();
}

bool SerialModule::setOutput(Output line, bool on) {
    SerialPort* p = port_.made();
    return p && p->setOutput(line, on);
}

bool SerialModule::output(Output line) const {
    const SerialPort* p = port_.made();
    return p && p->output(line);
}

std::optional<SerialPort::Inputs> SerialModule::inputs() {
    SerialPort* p = port_.made();
    return p ? p->inputs() : std::nullopt;
}

QStringList SerialModule::portNames() const {
    const SerialPort* p = port_.get();
    return p ? p->portNames() : QStringList();
}

QString SerialModule::errorText() const {
    const SerialPort* p = port_.made();
    return p ? p->errorText() : port_.errorText();
}

} // namespace tavrok
