#include "app/windowbuttons.h"

#include "alarms/alarmpanel.h"
#include "app/programactions.h"
#include "app/programstate.h"
#include "platform/questions.h"

#include <QAbstractButton>

namespace tavrok {

WindowButtons::WindowButtons(Parts parts, Buttons buttons, QObject* parent) : QObject(parent), p_(parts) {
    connect(buttons.zapnout, &QAbstractButton::clicked, this, &WindowButtons::btnZapnoutClick);
    connect(buttons.vynulovat, &QAbstractButton::clicked, this, &WindowButtons::btnVynulovatClick);
    connect(buttons.pauza, &QAbstractButton::clicked, this, &WindowButtons::btnPauzaClick);
    connect(buttons.mezicas, &QAbstractButton::clicked, this, &WindowButtons::btnTvrMezicasClick);
}

void WindowButtons::tell(const ActionResult& result) {
    if (!result.done) {
        p_.questions.tell(result.why, MessageIcon::Warning);
    }
}

void WindowButtons::btnZapnoutClick() {
    switch (p_.state.function()) {
    case Funkce::Tavrok:
        tell(p_.state.stopwatch.running() ? p_.actions.stopwatchStop() : p_.actions.stopwatchStart());
        break;
    case Funkce::Odpocit: // a paused countdown's button stops it
        tell(p_.state.countdown.running() || p_.state.countdown.paused() ? p_.actions.countdownStop()
                                                                         : p_.actions.countdownStart());
        break;
    default:
        p_.alarms.btnZapnoutClick();
    }
}

void WindowButtons::btnVynulovatClick() {
    switch (p_.state.function()) {
    case Funkce::Tavrok:
        tell(p_.actions.stopwatchReset());
        break;
    case Funkce::Odpocit:
        p_.countdown.btnVynulovatClick();
        break;
    default:
        p_.alarms.btnVynulovatClick();
    }
}

void WindowButtons::btnPauzaClick() {
    tell(p_.state.countdown.paused() ? p_.actions.countdownStart() : p_.actions.countdownPause());
}

void WindowButtons::btnTvrMezicasClick() {
    tell(p_.actions.split());
}

} // namespace tavrok
