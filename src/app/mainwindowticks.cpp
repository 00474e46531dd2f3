// The main window's ticks: the function tick (engines, title, tray, display) planned to the next moment
// anything changes or falls due, the clock tick once a second, and the sound tick while sounds play.
#include "app/tfrmhlavniokno.h"

#include "alarms/alarmpanel.h"
#include "app/clockeditor.h"
#include "app/tickplanner.h"
#include "countdown/countdownpanel.h"
#include "display/notificationarea.h"
#include "display/separatedisplay.h"
#include "platform/clock.h"
#include "update/updatechecker.h"
#include "widgets/labeltext.h"

#include <QTimer>

namespace tavrok {

void TfrmHlavniOkno::tmrFunkceTimer() {
    if (tickplan::approaching(state_.clock.utcNow(), plannedDue_)) {
        state_.clock.waitUntil(*plannedDue_);
    }
    tmrFunkceTimer(state_.clock.now()); // the alarms follow the wall clock
}

void TfrmHlavniOkno::tmrFunkceTimer(LocalTime now) {
    const ClockWatch::Change clockChange = state_.followClockChanges();
    const TickTime tickTime{now, state_.clock.utcNow()};
    const UtcTime utc = tickTime.utc;
    const bool onScreen = isShownOnScreen();
    AfterTick after;
    state_.stopwatch.tick(utc);
    countdownPanel_->tick(tickTime, onScreen, after);
    // Before the alarm due rings: its own earlier occurrences in a gap are listed too.
    const bool showMissed = alarmPanel_->clockMoved(clockChange, now);
    alarmPanel_->tick(tickTime, onScreen, after);
    if (showMissed) {
        after.push_back([this] { alarmPanel_->mnuZmeskaneBudikyClick(); });
    }
    display_->feed(now);
    if (onScreen && (state_.stopwatch.running() || state_.countdown.running())) {
        zobrazNaDispleji();
    }
    showTitle();
    area_->refresh(state_.clock.utcNow());
    scheduleFunctionTick();
    // The boxes last: their nested event loops keep the planned ticks running.
    for (const auto& action : after) {
        action();
    }
}

void TfrmHlavniOkno::scheduleFunctionTick() {
    tickplan::FunctionTickNeeds needs;
    const Funkce f = state_.function();
    needs.digitsRunning = (isShownOnScreen() && ((state_.stopwatch.running() && f == Funkce::Tavrok) ||
                                                 (state_.countdown.running() && f == Funkce::Odpocit))) ||
                          display_->runsVisibly();
    switch (state_.titleSource()) {
    case TitleSource::Stopwatch:
        needs.titleOrigin = state_.stopwatch.start();
        break;
    case TitleSource::Countdown:
        // The shown seconds of the time left change at whole seconds before the end.
        needs.titleOrigin = state_.countdown.end();
        break;
    case TitleSource::Clock:
        break;
    }
    needs.nextDue = state_.countdown.nextDue(state_.soundOn(), state_.odpocitOptions);
    if (const auto alarm = state_.alarmClock.nextDue()) {
        // The plan is made on UTC, as the engines count; converted once per alarm moment, not per frame.
        if (alarm != plannedAlarm_.local) {
            plannedAlarm_ = {*alarm, utcFromLocal(*alarm)};
        }
        needs.dueAt(plannedAlarm_.utc);
    }
    needs.dueAt(state_.odlozeneBudiky.nextDue());
    needs.pictureDue = area_->nextDue(state_.clock.utcNow());
    plannedDue_ = needs.nextDue;
    if (const auto delay = tickplan::nextFunctionTick(state_.clock.utcNow(), needs)) {
        tmrFunkce->start(*delay);
    } else {
        tmrFunkce->stop(); // the clock tick runs it
    }
}

void TfrmHlavniOkno::tmrAktualizaceCasuTimer() {
    const LocalTime now = state_.clock.now();
    if (state_.main.minimizePending) {
        if (state_.storage.settingsIni().readBool(u"nastaveni", u"spustitMinimalizovane", false)) {
            showMinimized();
        }
        state_.main.minimizePending = false;
    }
    clockText_ = formatClockLine(now.days(), state_.dayNames);
    setTextIfChanged(lblCas, clockText_);
    showTitle();
    area_->refresh(state_.clock.utcNow());
    clockEditor_->refresh(now.days());
    tmrAktualizaceCasu->start(tickplan::untilNextSecond(now));
    if (!state_.main.firstShow) {
        updateChecker_->kontrolaVerzeKdyzNaRade(now.days());
    }
    if (!tmrFunkce->isActive() && !state_.main.firstShow) {
        tmrFunkceTimer(now); // last: a box it shows runs its own event loop
    }
}

void TfrmHlavniOkno::tmrPrehravaniZvukuTimer() {
    state_.sounds.tmrPrehravaniZvukuTimer();
    if (state_.sounds.prehravaneZvuky().empty()) {
        tmrPrehravaniZvuku->stop();
    }
}

} // namespace tavrok
