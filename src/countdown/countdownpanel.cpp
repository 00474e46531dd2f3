#include "countdown/countdownpanel.h"

#include "app/programstate.h"
#include "countdown/tfrmdalsiodpocit.h"
#include "platform/clock.h"
#include "platform/questions.h"
#include "platform/services.h"
#include "widgets/namedwidget.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace tavrok {

CountdownPanel::CountdownPanel(ProgramState& state, const PlatformServices& services, QPushButton* pauza,
                               QWidget* parent)
    : FunctionPanel(parent), state_(state), questions_(services.questions), btnPauza(pauza),
      frmDalsiOdpocit_([this, services, window = parent->window()] {
          return new TfrmDalsiOdpocit(
              {services.questions, services.files, state_.messages, state_.sounds, services.audio, services.clock,
               [this](const QString& relative) { return state_.storage.dataPath(relative); },
               [this](const QString& path) { return state_.storage.expand(path); }},
              window);
      }) {
    pnlProgressOdpocit = makeNamed<QFrame>(parent, "pnlProgressOdpocit", 102, 29, 0, 3);
    // Filled with the selection colour: in the window's own colour the bar would not be seen at all.
    pnlProgressOdpocit->setBackgroundRole(QPalette::Highlight);
    pnlProgressOdpocit->setAutoFillBackground(true);
    chbOdpOpakovat = makeNamed<QCheckBox>(parent, "chbOdpOpakovat", u"Op&akovat", 10, 67, 95, 17);
    pnlOdpocit = makeNamed<QFrame>(parent, "pnlOdpocit", 10, 110, 157, 37);
    lblOdpZprava = makeNamed<QLabel>(pnlOdpocit, "lblOdpZprava", u"Zpr\u00E1va:", 0, 0, 37, 13);
    edtOdpZprava = makeNamed<QLineEdit>(pnlOdpocit, "edtOdpZprava", 0, 16, 157, 21);

    connect(chbOdpOpakovat, &QCheckBox::toggled, this, [this](bool on) { state_.odpocitOpakovat = on; });
    connect(edtOdpZprava, &QLineEdit::textChanged, this, [this](const QString& text) { state_.odpocitZprava = text; });

}

TfrmDalsiOdpocit* CountdownPanel::frmDalsiOdpocit() const {
    return &frmDalsiOdpocit_.get();
}

void CountdownPanel::setShown(bool shown) {
    for (QWidget* w : std::initializer_list<QWidget*>{pnlOdpocit, chbOdpOpakovat, btnPauza}) {
        w->setVisible(shown);
    }
}

void CountdownPanel::refresh() {
    if (chbOdpOpakovat->isChecked() != state_.odpocitOpakovat) {
        chbOdpOpakovat->setChecked(state_.odpocitOpakovat);
    }
    if (edtOdpZprava->text() != state_.odpocitZprava) {
        edtOdpZprava->setText(state_.odpocitZprava);
    }
    showProgress(state_.clock.utcNow());
}

bool CountdownPanel::zapniOdpocit() {
    if (state_.countdown.running()) {
        return true;
    }
    state_.reloadCountdownOptions(); // the options as the file has them now
    if (!state_.countdown.zapniOdpocit(state_.countdown.left(), state_.clock.utcNow(), state_.odpocitOptions)) {
        return false; // no time given
    }
    emit stateChanged();
    return true;
}

void CountdownPanel::vypniOdpocit() {
    const UtcTime now = state_.clock.utcNow();
    if (state_.countdown.running()) {
        state_.countdown.setLeft(std::max(0.0, state_.countdown.end() - now)); // stopped at its own moment
    }
    state_.countdown.vypniOdpocit();
    showProgress(now);
    emit stateChanged();
}

void CountdownPanel::setLength(TDateTime length) {
    state_.countdown.setLeft(length);
    refresh();
    emit stateChanged();
}

void CountdownPanel::btnVynulovatClick() {
    state_.countdown.setLeft(0);
    emit stateChanged();
}

void CountdownPanel::btnDalsiClick() {
    if (frmDalsiOdpocit_->otevriDalsiOdp(state_.storage.settingsIni())) {
        state_.reloadCountdownOptions(); // the engine follows the saved options at once
    }
}

void CountdownPanel::btnPauzaClick() {
    const UtcTime now = state_.clock.utcNow();
    if (state_.countdown.running()) {
        state_.countdown.setLeft(std::max(0.0, state_.countdown.end() - now)); // paused at its own moment
        state_.countdown.pauza(now);
    } else if (state_.countdown.paused()) {
        state_.countdown.pokracovat(now);
    }
    showProgress(now);
    emit stateChanged();
}

void CountdownPanel::tick(const TickTime& tickTime, bool onScreen, AfterTick& after) {
    const UtcTime now = tickTime.utc;
    const CountdownEnd e = odpocitTick(state_, now);
    if (onScreen || e.ended) {
        showProgress(now);
    }
    if (e.notice >= 0) {
        const int left = e.notice;
        const QString time = QStringLiteral("%1:%2:%3")
                                 .arg(left / 3600)
                                 .arg(left / 60 % 60, 2, 10, QLatin1Char('0'))
                                 .arg(left % 60, 2, 10, QLatin1Char('0'));
        (void)tellDesktop({Zazvoneni::Druh::UpozorneniPredem, {}, state_.textyZvoneni.zbyva.arg(time), -1, 0});
    }
    if (!e.ended) {
        return;
    }
    lastEndLateness_ = e.lateness;
    ++endsHandled_;
    emit serialEvent(2);
    const quint64 notice = tellDesktop({Zazvoneni::Druh::KonecOdpocitavani, {}, e.message, e.endSoundId, 0});
    if (e.displaySwitched) {
        emit displaySwitched(DisplaySource::Tavrok);
    }
    emit stateChanged();
    QWidget* window = static_cast<QWidget*>(parent())->window();
    if (e.askStopwatch) {
        const UtcTime endMoment = e.endMoment;
        after.push_back([this, endMoment] {
            // A stopwatch started while the question waits (a switch, the command line) goes on as it is.
            const bool runningWhenAsked = state_.stopwatch.running();
            if (questions_.ask(state_.messages.text(3), MessageIcon::Warning, MessageButtons::YesNo) ==
                    Answer::Yes &&
                (runningWhenAsked || !state_.stopwatch.running())) {
                state_.stopwatch.zapniTavrokOd(endMoment);
                if (state_.stopwatchStartedByCountdown()) {
                    emit displaySwitched(DisplaySource::Tavrok);
                }
                emit stateChanged();
            }
        });
    }
    if (!e.message.isEmpty()) {
        after.push_back([this, window, e, notice] {
            showNotice(window, questions_, state_, e.message, e.endSoundId, e.clickEndsSound);
            answered(notice);
        });
    }
}

void CountdownPanel::showProgress(UtcTime now) {
    const int full = 65; // the width of the countdown's function label
    const int width = static_cast<int>(std::lround(state_.countdownShare(now) * full));
    if (pnlProgressOdpocit->width() != width) {
        pnlProgressOdpocit->resize(width, pnlProgressOdpocit->height());
    }
}

} // namespace tavrok
