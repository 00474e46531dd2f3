#pragma once

#include "common/datetime.h"

#include <QString>

namespace tavrok {

enum class Funkce { Budik = 1, Tavrok = 2, Odpocit = 3 };

// The main window's own part of the program state; the engines keep their fields themselves.
struct TMainState {
    Funkce currentFunction = Funkce::Budik;
    QString titleText; // the last application title

    TDateTime lastVersionCheck = 0;
    bool firstShow = true;
    bool minimizePending = false;
    // An import wrote the settings: the window state of this run is not saved over them at close.
    bool settingsImported = false;
};

// "funkce" of the settings: 3 countdown, 2 stopwatch, anything else the alarm clock.
inline Funkce funkceFromStored(int value) {
    return value == 3 ? Funkce::Odpocit : value == 2 ? Funkce::Tavrok : Funkce::Budik;
}

} // namespace tavrok
