#pragma once

#include "app/datetime.h"
#include "app/timeformat.h"

#include <QString>

namespace tavrok {

enum class Funkce { Budik = 1, Tavrok = 2, Odpocit = 3 };

// The running state the main window owns; the stopwatch's and the countdown's own fields live in their
// engines.
struct TMainState {
    Funkce currentFunction = Funkce::Budik;

    TDateTime alarmShownTime = 0; // the alarm time shown when the alarm function was last left
    QString alarmShownText;       // the text of edtD then

    DisplayParts shown;           // the parts of the last formatted time
    QString titleText;            // the last application title

    TDateTime lastVersionCheck = 0;
    bool firstShow = true;
    bool minimizePending = false;
    bool displayUpdating = false;
};

// "funkce" of the settings: 3 countdown, 2 stopwatch, anything else the alarm clock.
inline Funkce funkceFromStored(int value) {
    return value == 3 ? Funkce::Odpocit : value == 2 ? Funkce::Tavrok : Funkce::Budik;
}

} // namespace tavrok
