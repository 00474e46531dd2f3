#pragma once

#include "display/serialactions.h"
#include "widgets/lazydialog.h"

#include <QObject>

#include <functional>
#include <memory>

class QTimer;
class QWidget;

namespace tavrok {

class FunctionPanel;
class ProgramActions;
class ProgramState;
class Questions;
class SerialPort;
class SeriovyPort;
class TfrmSeriovyPort;

// The serial-port lines as an input and an output: the poll of the inputs while a port is open, the
// action each input starts (through the program's actions, as the window's buttons start them), and the
// output lines an alarm or a countdown's end switches. Owns the port and its settings dialog.
class SerialLines : public QObject {
    Q_OBJECT
public:
    struct Parts {
        ProgramState& state;
        SerialPort& port;
        Questions& questions;
        ProgramActions& actions;
        std::function<void()> displayToCountdown; // action 6: the separate display shows the countdown
    };
    // The dialog is a child of `window`; the alarms and the countdown raise the output events.
    SerialLines(Parts parts, QWidget* window, std::initializer_list<FunctionPanel*> eventSources);
    ~SerialLines() override;

    // Start-up: the stored port connected, and polled while it is open.
    void connectAtStart();
    // The menu's entry: the dialog, then the poll as the connection now stands.
    void otevriNastaveniSerioveho();
    // One poll of the inputs and of the output pulses (the timer's, public for tests).
    void pollSerialPort();
    void obsluzUdalostiSerPortu(int action);

    SeriovyPort& seriovyPort() const { return *serial_; }
    LazyDialog<TfrmSeriovyPort>& seriovyPortDialog() { return frmSeriovyPort_; }
    TfrmSeriovyPort& frmSeriovyPort() const; // built when it was not yet

private:
    void planSerialPoll();
    Parts p_;
    std::unique_ptr<SeriovyPort> serial_;
    SerialActions serialActions_;
    LazyDialog<TfrmSeriovyPort> frmSeriovyPort_;
    QTimer* tmrSeriovyPort = nullptr;
};

} // namespace tavrok
