#include "app/programactions.h"

#include "app/programstate.h"
#include "countdown/countdownpanel.h"
#include "stopwatch/stopwatchpanel.h"

namespace tavrok {

ProgramActions::ProgramActions(Parts parts, QObject* parent) : QObject(parent), p_(std::move(parts)) {
    connect(&p_.stopwatch, &StopwatchPanel::splitTaken, this, &ProgramActions::splitTaken);
    for (FunctionPanel* panel : {static_cast<FunctionPanel*>(&p_.stopwatch),
                                 static_cast<FunctionPanel*>(&p_.countdown), &p_.alarms}) {
        connect(panel, &FunctionPanel::rang, this, [this](const Zazvoneni& ring) {
            if (ring.druh == Zazvoneni::Druh::Budik) {
                emit alarmRang(ring.nazev);
            } else if (ring.druh == Zazvoneni::Druh::KonecOdpocitavani) {
                emit countdownEnded();
            }
        });
    }
}

ActionResult ProgramActions::refusedWhileBoxOpen(const char* what) const {
    return ActionResult::refused(
        fillPlaceholders(p_.state.messages.text(MessageTable::CommandWhileBox), QString::fromLatin1(what)));
}

ActionResult ProgramActions::stopwatchStart() {
    if (closing_) {
        return refusedWhileBoxOpen("--stopwatch start");
    }
    if (!p_.state.stopwatch.running()) {
        p_.stopwatch.zapniTavrok();
    }
    return {};
}

ActionResult ProgramActions::stopwatchStop() {
    if (closing_) {
        return refusedWhileBoxOpen("--stopwatch stop");
    }
    if (p_.state.stopwatch.running()) {
        p_.stopwatch.vypniTavrok();
    }
    return {};
}

ActionResult ProgramActions::stopwatchReset() {
    if (closing_) {
        return refusedWhileBoxOpen("--stopwatch reset");
    }
    if (p_.state.stopwatch.running()) {
        return ActionResult::refused(p_.state.messages.text(MessageTable::ResetWhileRunning));
    }
    p_.stopwatch.btnVynulovatClick();
    return {};
}

ActionResult ProgramActions::split() {
    if (closing_) {
        return refusedWhileBoxOpen("--split");
    }
    if (!p_.state.stopwatch.running()) {
        return ActionResult::refused(p_.state.messages.text(MessageTable::StopwatchNotRunning));
    }
    p_.stopwatch.zkratkaMezicasuStisknuta();
    return {};
}

ActionResult ProgramActions::countdownStart() {
    if (closing_) {
        return refusedWhileBoxOpen("--countdown start");
    }
    if (p_.state.countdown.paused()) {
        p_.countdown.btnPauzaClick(); // goes on
    } else if (!p_.state.countdown.running() && !p_.countdown.zapniOdpocit()) {
        return ActionResult::refused(p_.state.messages.text(2)); // no time given
    }
    return {};
}

ActionResult ProgramActions::countdownStop() {
    if (closing_) {
        return refusedWhileBoxOpen("--countdown stop");
    }
    if (p_.state.countdown.running() || p_.state.countdown.paused()) {
        p_.countdown.vypniOdpocit();
    }
    return {};
}

ActionResult ProgramActions::countdownPause() {
    if (closing_) {
        return refusedWhileBoxOpen("--countdown pause");
    }
    if (p_.state.countdown.paused()) {
        return {};
    }
    if (!p_.state.countdown.running()) {
        return ActionResult::refused(p_.state.messages.text(MessageTable::CountdownNotRunning));
    }
    p_.countdown.btnPauzaClick();
    return {};
}

ActionResult ProgramActions::countdownLength(TDateTime length) {
    if (closing_ || p_.boxOpen()) {
        return refusedWhileBoxOpen("--countdown-length");
    }
    if (p_.state.countdown.running() || p_.state.countdown.paused()) {
        return ActionResult::refused(p_.state.messages.text(MessageTable::LengthWhileCounting));
    }
    p_.countdown.setLength(length);
    return {};
}

void ProgramActions::markReady() {
    if (!ready_) {
        ready_ = true;
        emit ready();
    }
}

ActionResult ProgramActions::show() {
    p_.showWindow();
    return {};
}

ActionResult ProgramActions::run(const ProgramCommand& c) {
    using Kind = ProgramCommand::Kind;
    switch (c.kind) {
    case Kind::Split:
        return split();
    case Kind::StopwatchStart:
        return stopwatchStart();
    case Kind::StopwatchStop:
        return stopwatchStop();
    case Kind::StopwatchReset:
        return stopwatchReset();
    case Kind::CountdownStart:
        return countdownStart();
    case Kind::CountdownStop:
        return countdownStop();
    case Kind::CountdownPause:
        return countdownPause();
    case Kind::CountdownLength:
        return countdownLength(c.length);
    case Kind::Show:
        return show();
    }
    return {};
}

ActionResult ProgramActions::run(const std::vector<ProgramCommand>& commands) {
    for (const ProgramCommand& c : commands) {
        if (ActionResult r = run(c); !r.done) {
            return r;
        }
    }
    return {};
}

} // namespace tavrok
