#pragma once

#include <QObject>

class QAbstractButton;

namespace tavrok {

struct ActionResult;
class AlarmPanel;
class FunctionPanel;
class ProgramActions;
class ProgramState;
class Questions;

// The main window's engine buttons as an input: start/stop, reset, pause and split call the program's
// actions for the function shown, as the hotkey, the serial lines and the command line do, and a refusal
// is told in a box. What only the alarm function has (its own on/off, reset) stays with its panel.
class WindowButtons : public QObject {
    Q_OBJECT
public:
    struct Parts {
        ProgramState& state;
        ProgramActions& actions;
        Questions& questions;
        AlarmPanel& alarms;
        FunctionPanel& countdown;
    };
    struct Buttons {
        QAbstractButton* zapnout;
        QAbstractButton* vynulovat;
        QAbstractButton* pauza;
        QAbstractButton* mezicas = nullptr;
    };
    WindowButtons(Parts parts, Buttons buttons, QObject* parent);

    void btnZapnoutClick();
    void btnVynulovatClick();
    void btnPauzaClick();
    void btnTvrMezicasClick();

private:
    void tell(const ActionResult& result);
    Parts p_;
};

} // namespace tavrok
