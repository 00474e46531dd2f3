#include "app/runningengines.h"


#include "app/programstate.h"
#include "common/programlog.h"
#include "platform/clock.h"
#include "stopwatch/continuation.h"
#include "storage/inifile.h"
#include "storage/inivalues.h"

#include <algorithm>

namespace tavrok::pokracovani {

RunningChoice zvolPokracovani(ProgramState& state, Questions& questions, int line1, int line2) {
    switch (volba(state.storage.settingsIni())) {
    case Setting::Ask:
        return questions.askRunning(state.messages.text(line1), state.messages.text(line2));
    case Setting::Pause:
        return RunningChoice::Pause;
    case Setting::KeepRunning:
        return RunningChoice::KeepRunning;
    case Setting::Stop:
        break;
    }
    return RunningChoice::Stop;
}

Settled ulozPokracovani(ProgramState& state, Questions& questions, bool unattended) {
    IniFile& settings = state.storage.settingsIni();
    const MessageTable& messages = state.messages;
    bool close = true; // a refusal keeps the program open; the later steps still run
    bool showSplits = false;
    if (state.stopwatch.running()) {
        const RunningChoice c = zvolPokracovani(state, questions, 9, 10);
        state.stopwatch.tick(state.clock.utcNow()); // the moment of the answer, not of the question
        // Stopped at the session's end, its splits nobody saved come back with it, stopped.
        const bool keepSplits = unattended && c == RunningChoice::Stop && !state.stopwatch.splitsSaved();
        if (c == RunningChoice::Cancel) {
            close = false;
        } else if (!ulozPokracovaniTavrek(settings, state.stopwatch, keepSplits ? RunningChoice::Pause : c, keepSplits)) {
            questions.tell(fillPlaceholders(messages.text(6), settings.path()), MessageIcon::Warning);
            close = false;
        }
    } else if (!state.stopwatch.splitsSaved() && unattended) {
        // Nobody can save them now: they come back at the next start with the stopwatch, stopped.
        if (!ulozPokracovaniTavrek(settings, state.stopwatch, RunningChoice::Pause, true)) {
            questions.tell(fillPlaceholders(messages.text(6), settings.path()), MessageIcon::Warning);
        }
    } else if (!state.stopwatch.splitsSaved()) {
        const Answer a = questions.ask(messages.text(11), MessageIcon::Warning, MessageButtons::YesNoCancel);
        close = a == Answer::Yes;
        showSplits = a == Answer::No; // the split-times manager, to save them
    }
    (void)settings.writeFloat(u"stavHlavnihoOkna", u"tavrokCas", state.stopwatch.elapsed());
    if (state.countdown.running()) {
        const RunningChoice c = zvolPokracovani(state, questions, 12, 13);
        const UtcTime now = state.clock.utcNow();
        state.countdown.setLeft(std::max(0.0, state.countdown.end() - now));
        if (c == RunningChoice::Cancel) {
            close = false;
        } else if (!ulozPokracovaniOdpocitavani(settings, state.countdown, c, state.odpocitOpakovat,
                                                state.odpocitZprava)) {
            questions.tell(fillPlaceholders(messages.text(7), settings.path()), MessageIcon::Warning);
            close = false;
        }
    } else if (state.countdown.paused() && unattended) {
        // Nobody can answer that it would be lost: it comes back at the next start, paused.
        if (!ulozPokracovaniOdpocitavani(settings, state.countdown, RunningChoice::Pause, state.odpocitOpakovat,
                                         state.odpocitZprava, true)) {
            questions.tell(fillPlaceholders(messages.text(7), settings.path()), MessageIcon::Warning);
        }
    }
    return {close, showSplits};
}

void pokracujPoSpusteni(ProgramState& state, Questions& questions) {
    const IniSnapshot settings = state.storage.settingsIni().snapshot();
    const UtcTime now = state.clock.utcNow();
    // The stored moments are local wall-clock time; the engines count on UTC.
    auto t = nactiTavrok(settings);
    const auto startOf = [&](const Tavrok& s) { return s.stav == Paused ? now - s.cas : utcFromLocal(LocalTime(s.cas)); };
    if (t && toMilliseconds(now - startOf(*t)) < 0) {
        zapisDoLogu(QStringLiteral("the stopwatch to continue was not resumed: it would have started in the future"));
        t.reset();
    }
    if (t) {
        state.stopwatch.resumeFrom(startOf(*t), now);
        state.stopwatch.setSplitsSaved(t->ulozeno);
        state.stopwatch.splits().restore(t->mezicasy, t->posledniMezicas);
        if (t->zastaveno) {
            state.stopwatch.vypniTavrok(now);
        }
    } else {
        state.stopwatch.setSplitsSaved(true);
        if (settings.readBool(u"nastaveni", u"pamatovatTavrok", false)) {
            const double elapsed = settings.readFloat(u"stavHlavnihoOkna", u"tavrokCas", 0);
            state.stopwatch.setElapsed(isShowableLength(elapsed) ? elapsed : 0);
        }
    }
    auto o = nactiOdpocet(settings);
    if (!o) {
        return;
    }
    state.reloadCountdownOptions();
    const UtcTime end = o->konec(now);
    if (o->stav == Paused || toMilliseconds(end - now) >= 0) {
        state.countdown.resume(end - o->delka, o->delka, now, state.odpocitOptions);
        if (o->zastaveno) {
            state.countdown.pauza(now);
        }
        state.odpocitOpakovat = o->opakovat;
        state.odpocitZprava = o->zprava;
        return;
    }
    // It ended while the program was off.
    if (state.odpocitOptions.spustitTavrok) {
        bool start = !state.stopwatch.running();
        if (!start) {
            start = questions.ask(state.messages.text(19), MessageIcon::Warning, MessageButtons::YesNo) == Answer::Yes;
        }
        if (start) {
            state.stopwatch.zapniTavrokOd(end);
            state.stopwatch.setSplitsSaved(true);
        }
    }
    questions.tell(fillPlaceholders(state.messages.text(20), {{u"%d1", formatIniDateTime(localFromUtc(end).days())}, {u"%d2", o->zprava}}),
                   MessageIcon::Information);
}

} // namespace tavrok::pokracovani
