#include "app/programstate.h"
#include "platform/clock.h"

#include "storage/inifile.h"

#include <algorithm>

namespace tavrok {

ProgramState::ProgramState(Services s)
    : clock(s.clock),
      sounds(s.audio, s.clock, s.beeper, [this](const QString& path) { return storage.expand(path); },
             std::move(s.random)),
      countdown({sounds, s.audio, s.beeper, [this](const QString& relative) { return storage.dataPath(relative); }}),
      alarmClock(storage.alarmsIni(), sounds, [this] { return standardSound(u"Zvonek.wav"); }),
      odlozeneBudiky(storage.settingsIni()) {
    nactiJazyk(Language());
}

std::optional<NextRing> ProgramState::nextRing() const {
    std::optional<NextRing> next;
    if (const std::optional<LocalTime> due = alarmClock.nextDue()) {
        next = NextRing{alarmClock.nasledujici(), *due};
    }
    // A snoozed alarm rings again before the next one that is due, or after it.
    if (const auto& snoozed = odlozeneBudiky.seznam(); !snoozed.empty()) {
        const LocalTime at = localFromUtc(snoozed.front().kdy);
        if (!next || at.days() < next->at.days()) {
            next = NextRing{snoozed.front().nazev, at};
        }
    }
    return next;
}

QString ProgramState::standardSound(QStringView name) const {
    return storage.dataPath(QStringLiteral("Zvuky\\Standard\\") + name.toString());
}

void ProgramState::nactiJazyk(Language newLanguage) {
    language = std::move(newLanguage);
    buttonCaptions.nacti(language);
    static constexpr const char16_t* Days[7] = {u"denNe", u"denPo", u"denUt", u"denSt", u"denCt", u"denPa", u"denSo"};
    for (size_t i = 0; i < 7; ++i) {
        dayNames.names[i] = language.word(u"frmHlavniOkno", Days[i]);
    }
    const FunctionCaptions builtIn;
    functionCaptions.budik = language.text(u"frmHlavniOkno", u"lblFceBudik", builtIn.budik);
    functionCaptions.tavrok = language.text(u"frmHlavniOkno", u"lblFceTavrok", builtIn.tavrok);
    functionCaptions.odpocit = language.text(u"frmHlavniOkno", u"lblFceOdpocit", builtIn.odpocit);
    const TextyZvoneni rings;
    textyZvoneni.vypnoutZvuk = language.text(u"oznameni", u"vypnoutZvuk", rings.vypnoutZvuk);
    textyZvoneni.odlozit = language.text(u"oznameni", u"odlozit", rings.odlozit);
    textyZvoneni.odpocitavani = functionCaptions.odpocit;
    textyZvoneni.zpozdeni = language.text(u"oznameni", u"zpozdeni", rings.zpozdeni);
    textyZvoneni.zbyva = language.text(u"oznameni", u"zbyva", rings.zbyva);
    textyZvoneni.odlozenoDo = language.text(u"oznameni", u"odlozenoDo", rings.odlozenoDo);
    textyZvoneni.odlozenoKratce = language.text(u"oznameni", u"odlozenoKratce", rings.odlozenoKratce);
    messages.nacti(language.file()); // the message table last
}

TDateTime ProgramState::shownValue(Funkce f) const {
    switch (f) {
    case Funkce::Budik:
        return editor.budik.cas;
    case Funkce::Tavrok:
        return stopwatch.elapsed();
    case Funkce::Odpocit:
        return countdown.left();
    }
    return 0;
}

TDigits ProgramState::editableDigits() const {
    const DisplayParts p = shownParts(function());
    TDigits t;
    t.days = function() == Funkce::Budik ? 0 : p.days.toLongLong();
    const QString text = p.hours + p.minutes + p.seconds;
    for (int i = 0; i < 6 && i < text.size(); ++i) {
        t.d[i + 1] = text[i].digitValue();
    }
    return t;
}

void ProgramState::setEditedDigits(const TDigits& t) {
    const int h = t.d[1] * 10 + t.d[2];
    const int m = t.d[3] * 10 + t.d[4];
    const int s = t.d[5] * 10 + t.d[6];
    if (function() == Funkce::Budik) {
        editor.budik.cas = zakodujDisplej(0, h, m, s, 0);
        editor.zmenen();
    } else if (function() == Funkce::Odpocit) {
        const int ms = shownParts(Funkce::Odpocit).millis.toInt();
        countdown.setLeft(zakodujDisplej(t.days, h, m, s, ms));
    }
}

void ProgramState::setCountdownDays(qint64 days) {
    TDigits t = editableDigits();
    t.days = std::clamp<qint64>(days, 0, MaxDays);
    setEditedDigits(t);
}

TitleSource ProgramState::titleSource() const {
    return tavrok::titleSource(function(), stopwatch.running(), countdown.running());
}

QString ProgramState::title(const QString& clockLine) const {
    switch (titleSource()) {
    case TitleSource::Stopwatch:
        return engineTitle(titleLetter(functionCaptions.tavrok), dekodujCasProDisplej(stopwatch.elapsed()));
    case TitleSource::Countdown:
        return engineTitle(titleLetter(functionCaptions.odpocit), dekodujCasProDisplej(countdown.left()));
    case TitleSource::Clock:
        break;
    }
    return clockLine;
}

double ProgramState::countdownShare(UtcTime now) const {
    if (!countdown.running() || countdown.span() <= 0) {
        return 0;
    }
    return std::clamp((countdown.end() - now) / countdown.span(), 0.0, 1.0);
}

bool ProgramState::stopwatchStartedByCountdown() {
    if (odpocitOptions.prepnoutDisplej && displej.zdroj == DisplaySource::Odpocitavani) {
        displej.zdroj = DisplaySource::Tavrok; // the separate display follows the stopwatch now
        return true;
    }
    return false;
}

void ProgramState::reloadCountdownOptions() {
    odpocitOptions = nactiDalsiOdp(storage.settingsIni());
}

CountdownEnd odpocitTick(ProgramState& state, UtcTime now) {
    CountdownEnd e;
    if (!state.countdown.running()) {
        return e;
    }
    const Countdown::Tick t = state.countdown.tick(now, state.soundOn(), state.odpocitOpakovat, state.odpocitOptions);
    e.notice = t.notice;
    if (!t.ended) {
        return e;
    }
    e.ended = true;
    e.stopped = !state.countdown.running();
    e.endMoment = t.endMoment;
    e.lateness = t.lateness;
    switch (stopwatchAtEnd(state.odpocitOptions, state.countdown.running(), state.stopwatch.running())) {
    case StopwatchAtEnd::Nothing:
        break;
    case StopwatchAtEnd::Ask:
        e.askStopwatch = true;
        break;
    case StopwatchAtEnd::Start:
    case StopwatchAtEnd::Restart:
        state.stopwatch.zapniTavrokOd(t.endMoment);
        e.displaySwitched = state.stopwatchStartedByCountdown();
        e.stopwatchStarted = true;
        break;
    }
    e.message = state.odpocitZprava;
    e.endSoundId = t.endSoundId;
    e.clickEndsSound = state.odpocitOptions.naKonci.ukoncitKliknutim;
    return e;
}

void ProgramState::shiftEngines(TDateTime jump) {
    const UtcTime utc = clock.utcNow();
    if (stopwatch.running()) {
        stopwatch.resumeFrom(stopwatch.start() + jump, utc);
    }
    if (countdown.running() || countdown.paused()) {
        countdown.shiftStart(jump);
    }
    sounds.shiftStarts(jump);
    clockWatch_.rebase(utc, clock.elapsedMs());
}

ClockWatch::Change ProgramState::followClockChanges(qint64 toleranceMs) {
    const ClockWatch::Change change = clockWatch_.look(clock.utcNow(), clock.elapsedMs(), toleranceMs);
    if (change.jump != 0) {
        shiftEngines(change.jump);
    }
    return change;
}

} // namespace tavrok
