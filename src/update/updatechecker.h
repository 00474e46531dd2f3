#pragma once

#include "common/datetime.h"

#include <QObject>

namespace tavrok {

class Launcher;
class ProgramState;
class Questions;
class RegisteredMessage;
class WindowList;

// The update check as the running program makes it: due every thirty days (the window's show and the
// clock tick ask), started from the menu at any time, confirmed by the updater's registered message; and
// the update an updater prepared for this start, handed to the downloader.
class UpdateChecker : public QObject {
    Q_OBJECT
public:
    struct Parts {
        ProgramState& state;
        Questions& questions;
        WindowList& windows;
        Launcher& launcher;
    };
    UpdateChecker(Parts parts, QObject* parent);

    // Starts the updater when a check is due. Without an updater nothing is said: the next attempt follows
    // in ten minutes, quietly.
    void kontrolaVerzeKdyzNaRade(TDateTime now);
    // The menu: a check now, or the message that no updater is installed.
    void mnuZkontrolovatNovouVerziClick();
    // An update prepared for this start: false when the downloader takes over and the program must end.
    bool aktualizacePoSpusteni(Questions& questions);
    const RegisteredMessage& updaterMessage() const { return *verzeZkontrolovana_; }

private:
    void verzeZkontrolovana();
    Parts p_;
    RegisteredMessage* verzeZkontrolovana_ = nullptr;
};

} // namespace tavrok
