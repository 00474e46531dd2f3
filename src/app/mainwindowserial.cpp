// The serial-port lines as the main window drives them: the poll of the inputs, the actions they start,
// the outputs that an alarm or a countdown end changes.
#include "alarms/alarmpanel.h"
#include "app/programactions.h"
#include "app/tfrmhlavniokno.h"
#include "countdown/countdownpanel.h"
#include "display/seriovyport.h"
#include "display/tfrmnastavenidispleje.h"
#include "display/tfrmseriovyport.h"
#include "platform/clock.h"
#include "platform/questions.h"
#include "stopwatch/stopwatchpanel.h"

#include <QAction>
#include <QTimer>

namespace tavrok {

namespace {
// Often enough that a push button held for a tenth of a second is seen; only while a port is open.
constexpr int SerialPollMs = 20;
} // namespace

void TfrmHlavniOkno::buildSerial() {
    serial_ = std::make_unique<SeriovyPort>(services_.serial);
    frmSeriovyPort_ = new TfrmSeriovyPort(
        {*serial_, services_.questions, state_.messages, [this]() -> IniFile& { return state_.storage.settingsIni(); }},
        this);
    tmrSeriovyPort = new QTimer(this);
    tmrSeriovyPort->setObjectName(QStringLiteral("tmrSeriovyPort"));
    tmrSeriovyPort->setInterval(SerialPollMs);
    // Armed again at every poll, before the actions: a timer whose own timeout is still being handled
    // does not fire, so a box an action opens would otherwise stop the poll until it closes.
    tmrSeriovyPort->setSingleShot(true);
    connect(tmrSeriovyPort, &QTimer::timeout, this, &TfrmHlavniOkno::pollSerialPort);
    connect(frmSeriovyPort_, &TfrmSeriovyPort::connectionChanged, this, &TfrmHlavniOkno::planSerialPoll);
    for (FunctionPanel* p : std::initializer_list<FunctionPanel*>{alarmPanel_, countdownPanel_}) {
        connect(p, &FunctionPanel::serialEvent, this,
                [this](int event) { serial_->aktivujSerPort(event, state_.clock.utcNow()); });
    }
    if (auto* a = findChild<QAction*>(QStringLiteral("mnuSeriovyPort"))) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this] {
            frmSeriovyPort_->otevriNastaveniSerioveho();
            planSerialPoll();
        });
    }
}

void TfrmHlavniOkno::planSerialPoll() {
    if (serial_->connected() && !tmrSeriovyPort->isActive()) {
        tmrSeriovyPort->start();
    } else if (!serial_->connected()) {
        tmrSeriovyPort->stop();
    }
}

void TfrmHlavniOkno::pollSerialPort() {
    const QString portName = serial_->portName();
    const SeriovyPort::Poll p = serial_->poll(state_.clock.utcNow());
    planSerialPoll(); // the next poll runs also while a box opened below is open
    if (frmSeriovyPort_->isVisible()) {
        frmSeriovyPort_->showConnection();
    }
    if (p.lost) {
        services_.questions.tell(fillPlaceholders(state_.messages.text(MessageTable::PortLost),
                                                  {{u"%d1", portName}, {u"%d2", p.reason}}),
                                 MessageIcon::Error);
    }
    serialActions_.run(p.actions, [this](int action) { obsluzUdalostiSerPortu(action); });
}

void TfrmHlavniOkno::obsluzUdalostiSerPortu(int action) {
    // A refusal (a countdown without a length, a reset while running) is told as the buttons tell it.
    const auto act = [this](const ActionResult& r) {
        if (!r.done) {
            services_.questions.tell(r.why, MessageIcon::Warning);
        }
    };
    switch (action) {
    case SpustitOdpocitavani:
        act(actions_->countdownStart());
        break;
    case SpustitTavrok:
        act(actions_->stopwatchStart());
        break;
    case ZastavitTavrok:
        act(actions_->stopwatchStop());
        break;
    case VynulovatTavrok: // a running stopwatch is not reset, and a switch is not answered with a box
        if (!state_.stopwatch.running()) {
            act(actions_->stopwatchReset());
        }
        break;
    case MezicasZastavitVynulovat:
        if (state_.stopwatch.running()) {
            act(actions_->split());
        }
        act(actions_->stopwatchStop());
        act(actions_->stopwatchReset());
        break;
    case VynulovatPrepnoutNaOdpocitavani:
        if (!state_.stopwatch.running()) {
            act(actions_->stopwatchReset());
        }
        state_.displej.zdroj = DisplaySource::Odpocitavani;
        frmNastaveniDispleje_->showSource(DisplaySource::Odpocitavani);
        feedSeparateDisplay(state_.clock.now());
        break;
    case UlozitMezicas:
        if (state_.stopwatch.running()) {
            act(actions_->split());
        }
        break;
    default:
        return;
    }
    onStateChanged();
}

} // namespace tavrok
