#pragma once

#include "platform/lazymodule.h"
#include "platform/serialport.h"

namespace tavrok {

// The serial port lives in a module of its own (tavrok-serial, beside the program) with Qt's serial-port
// library and udev behind it: they are loaded when a port is first opened or listed, not at every start
// of a program whose serial lines are not used. Until then the port is closed.
class SerialModule final : public SerialPort {
public:
    // `folder`: where the module is looked for.
    explicit SerialModule(QString folder);

    bool open(const QString& name, QString& error) override;
    void close() override;
    bool isOpen() const override;
    bool setOutput(Output line, bool on) override;
    bool output(Output line) const override;
    std::optional<Inputs> inputs() override;
    QStringList portNames() const override;
    QString errorText() const override;

    // The module was loaded.
    bool isLoaded() const { return port_.made() != nullptr; }

private:
    mutable ModuleObject<SerialPort> port_; // listing the ports loads it too
};

} // namespace tavrok
