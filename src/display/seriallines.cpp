#include "display/seriallines.h"

#include "app/functionpanel.h"
#include "app/programactions.h"
#include "app/programstate.h"
#include "display/seriovyport.h"
#include "display/tfrmseriovyport.h"
#include "platform/clock.h"
#include "platform/questions.h"

#include <QTimer>

namespace tavrok {

namespace {
// Often enough that a push button held for a tenth of a second is seen; only while a port is open.
constexpr int SerialPollMs = 20;
} // namespace

SerialLines::SerialLines(Parts parts, QWidget* window, std::initializer_list<FunctionPanel*> eventSources)
    : QObject(window), p_(std::move(parts)), serial_(std::make_unique<SeriovyPort>(p_.port)) {
    frmSeriovyPort_.setMake([this, window] {
        auto* d = new TfrmSeriovyPort({*serial_, p_.questions, p_.state.messages,
                                       [this]() -> IniFile& { return p_.state.storage.settingsIni(); }},
                                      window);
        connect(d, &TfrmSeriovyPort::connectionChanged, this, &SerialLines::planSerialPoll);
        return d;
    });
    tmrSeriovyPort = new QTimer(this);
    tmrSeriovyPort->setObjectName(QStringLiteral("tmrSeriovyPort"));
    tmrSeriovyPort->setInterval(SerialPollMs);
    // Armed again at every poll, before the actions: a timer whose own timeout is still being handled
    // does not fire, so a box an action opens would otherwise stop the poll until it closes.
    tmrSeriovyPort->setSingleShot(true);
    connect(tmrSeriovyPort, &QTimer::timeout, this, &SerialLines::pollSerialPort);
    for (FunctionPanel* p : eventSources) {
        connect(p, &FunctionPanel::serialEvent, this,
                [this](int event) { serial_->aktivujSerPort(event, p_.state.clock.utcNow()); });
    }
}

SerialLines::~SerialLines() = default;

TfrmSeriovyPort& SerialLines::frmSeriovyPort() const {
    return frmSeriovyPort_.get();
}

void SerialLines::connectAtStart() {
    // Read from the file, not through the dialog: filling its list of ports asks the system for every
    // serial device, which takes longer than the rest of the start. The dialog fills it when it opens.
    const TNastaveniSerioveho n = nactiNastaveniSerioveho(p_.state.storage.settingsIni(),
                                                          p_.state.language.word(u"frmSeriovyPort", u"zadny"));
    serial_->apply(n); // the outputs' states are known before the port opens
    if (QString error; !n.port.isEmpty() && !serial_->pripojit(n.port, error)) {
        p_.questions.tell(portNotOpened(p_.state.messages, error), MessageIcon::Error);
    }
    planSerialPoll();
}

void SerialLines::otevriNastaveniSerioveho() {
    frmSeriovyPort_->otevriNastaveniSerioveho();
    planSerialPoll();
}

void SerialLines::planSerialPoll() {
    if (serial_->connected() && !tmrSeriovyPort->isActive()) {
        tmrSeriovyPort->start();
    } else if (!serial_->connected()) {
        tmrSeriovyPort->stop();
    }
}

void SerialLines::pollSerialPort() {
    const QString portName = serial_->portName();
    const SeriovyPort::Poll p = serial_->poll(p_.state.clock.utcNow());
    planSerialPoll(); // the next poll runs also while a box opened below is open
    if (TfrmSeriovyPort* d = frmSeriovyPort_.built(); d && d->isVisible()) {
        d->showConnection();
    }
    if (p.lost) {
        p_.questions.tell(fillPlaceholders(p_.state.messages.text(MessageTable::PortLost),
                                           {{u"%d1", portName}, {u"%d2", p.reason}}),
                          MessageIcon::Error);
    }
    serialActions_.run(p.actions, [this](int action) { obsluzUdalostiSerPortu(action); });
}

void SerialLines::obsluzUdalostiSerPortu(int action) {
    // A refusal (a countdown without a length) is told as the buttons tell it. A running stopwatch is
    // not reset, and a switch is not answered with a box for it.
    const auto act = [this](const ActionResult& r) {
        if (!r.done) {
            p_.questions.tell(r.why, MessageIcon::Warning);
        }
    };
    const bool running = p_.state.stopwatch.running();
    switch (action) {
    case SpustitOdpocitavani:
        act(p_.actions.countdownStart());
        break;
    case SpustitTavrok:
        act(p_.actions.stopwatchStart());
        break;
    case ZastavitTavrok:
        act(p_.actions.stopwatchStop());
        break;
    case VynulovatTavrok:
        if (!running) {
            act(p_.actions.stopwatchReset());
        }
        break;
    case MezicasZastavitVynulovat:
        if (running) {
            act(p_.actions.split());
        }
        act(p_.actions.stopwatchStop());
        act(p_.actions.stopwatchReset());
        break;
    case VynulovatPrepnoutNaOdpocitavani:
        if (!running) {
            act(p_.actions.stopwatchReset());
        }
        p_.displayToCountdown();
        break;
    case UlozitMezicas:
        if (running) {
            act(p_.actions.split());
        }
        break;
    default:
        break;
    }
}

} // namespace tavrok
