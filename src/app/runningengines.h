#pragma once

#include "platform/questions.h"

namespace tavrok {

class ProgramState;
class Questions;

// Running engines across a restart, as the settings choose or the user answers.
namespace pokracovani {

// The stored choice, or the running-engine question with message lines line1 and line2.
RunningChoice zvolPokracovani(ProgramState& state, Questions& questions, int line1, int line2);

// Shutdown: settles the stopwatch (with the unsaved-splits question) and the countdown. `close` false
// when the program must stay open (Cancel, No to the unsaved splits, or a failed save that was
// reported); `showSplits` when the user wants to save the splits first. Unattended (the session
// ends), splits nobody saved are kept with the stopwatch for the next start, and a paused countdown
// stays paused for it.
struct Settled {
    bool close = true;
    bool showSplits = false;
};
Settled ulozPokracovani(ProgramState& state, Questions& questions, bool unattended = false);

// Start-up: takes over what the last run left running, and reports a countdown that ended meanwhile.
void pokracujPoSpusteni(ProgramState& state, Questions& questions);

} // namespace pokracovani
} // namespace tavrok
