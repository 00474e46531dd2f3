#pragma once

#include "app/mainstate.h"
#include "common/daynames.h"
#include "common/timeformat.h"

namespace tavrok {

// Who writes the application title in a tick: exactly one source.
enum class TitleSource { Clock, Stopwatch, Countdown };

TitleSource titleSource(Funkce current, bool stopwatchRunning, bool countdownRunning);

// The first character of the caption with "?" appended that is neither a space nor a no-break space.
QChar titleLetter(const QString& caption);

// "T: 0;00:01:05": the letter, the days and the time to the second.
QString engineTitle(QChar letter, const DisplayParts& parts);

// The clock line lblCas, also the title while no engine's time is in it: "Ne 6.12.2026 18:46:34".
QString formatClockLine(TDateTime now, const DayNames& days);

} // namespace tavrok
