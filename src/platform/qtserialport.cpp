#include "platform/qtserialport.h"

#include <QSerialPortInfo>

namespace tavrok {

bool QtSerialPort::open(const QString& name, QString& error) {
    close();
    // A device path (/dev/ttyUSB0, a pseudo-terminal) or a name the system lists (ttyUSB0).
    port_.setPortName(name);
    // Judged by its result: error() may keep an old value.
    if (!port_.open(QIODevice::ReadWrite)) {
        error = port_.errorString();
        return false;
    }
    return true;
}

QtSerialPort::QtSerialPort() {
    // Only the lines are used: whatever the device sends (a looped-back break comes as NUL bytes) is
    // dropped, not gathered without end.
    port_.setReadBufferSize(256);
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { port_.clear(QSerialPort::Input); port_.readAll(); });
}

void QtSerialPort::close() {
    if (port_.isOpen()) {
        port_.close();
    }
}

bool QtSerialPort::isOpen() const {
    return port_.isOpen();
}

bool QtSerialPort::setOutput(Output line, bool on) {
    if (!port_.isOpen()) {
        return false;
    }
    switch (line) {
    case DTR:
        return port_.setDataTerminalReady(on);
    case RTS:
        return port_.setRequestToSend(on);
    case TxD:
        return port_.setBreakEnabled(on);
    }
    return false;
}

bool QtSerialPort::output(Output line) const {
    switch (line) {
    case DTR:
        return port_.isDataTerminalReady();
    case RTS:
        return port_.isRequestToSend();
    case TxD:
        return port_.isBreakEnabled();
    }
    return false;
}

std::optional<SerialPort::Inputs> QtSerialPort::inputs() {
    if (!port_.isOpen()) {
        return std::nullopt;
    }
    port_.clearError();
    const QSerialPort::PinoutSignals s = port_.pinoutSignals();
    if (port_.error() == QSerialPort::UnsupportedOperationError) {
        return Inputs{}; // a device without modem lines (a pseudo-terminal): nothing ever comes on
    }
    if (port_.error() != QSerialPort::NoError) {
        return std::nullopt; // the device is gone
    }
    return Inputs{s.testFlag(QSerialPort::DataSetReadySignal), s.testFlag(QSerialPort::ClearToSendSignal),
                  s.testFlag(QSerialPort::RingIndicatorSignal), s.testFlag(QSerialPort::DataCarrierDetectSignal)};
}

QStringList QtSerialPort::portNames() const {
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        names << info.systemLocation();
    }
    return names;
}

QString QtSerialPort::errorText() const {
    return port_.errorString();
}

} // namespace tavrok
