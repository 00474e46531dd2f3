#include "display/separatedisplay.h"

#include "app/programstate.h"
#include "display/displayfeed.h"
#include "display/tfrmdisplej.h"
#include "display/tfrmnastavenidispleje.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "stopwatch/stopwatchpanel.h"

#include <QAction>
#include <QTimer>

namespace tavrok {

SeparateDisplay::SeparateDisplay(ProgramState& state, const PlatformServices& services, QWidget* window,
                                 StopwatchPanel& stopwatch)
    : state_(state), frmDisplej_(std::make_unique<TfrmDisplej>(
                         [this](const QString& path) { return state_.storage.expand(path); })) {
    tmrZastaveniCasu = new QTimer(this);
    tmrZastaveniCasu->setObjectName(QStringLiteral("tmrZastaveniCasu"));
    tmrZastaveniCasu->setSingleShot(true);
    connect(tmrZastaveniCasu, &QTimer::timeout, this, &SeparateDisplay::tmrZastaveniCasuTimer);
    connect(&stopwatch, &StopwatchPanel::splitTaken, this, &SeparateDisplay::onSplitTaken);
    frmNastaveniDispleje_.setMake([this, services, window] {
        auto* d = new TfrmNastaveniDispleje(
            {*frmDisplej_, services.questions, services.files, services.pickers, state_.messages,
             [this]() -> IniFile& { return state_.storage.settingsIni(); },
             [this](const TNastaveniDispleje& applied) {
                 state_.displej = applied;
                 feed(state_.clock.now());
                 emit needsTick();
             },
             services.pickerKey},
            window);
        if (switchedSource_) {
            d->showSource(*switchedSource_);
        }
        return d;
    });
}

SeparateDisplay::~SeparateDisplay() {
    delete frmNastaveniDispleje_.built(); // it works on the display, which goes first
}

void SeparateDisplay::wireMenu(QAction* settings, QAction* show) {
    for (QAction* a : {settings, show}) {
        a->setEnabled(true);
        a->setShortcutContext(Qt::ApplicationShortcut); // F5 and F6 also in the display window
        frmDisplej_->addAction(a);
    }
    connect(settings, &QAction::triggered, this, [this] { frmNastaveniDispleje_->otevri(); });
    connect(show, &QAction::triggered, this, &SeparateDisplay::mnuZobrazitDisplejClick);
}

void SeparateDisplay::mnuZobrazitDisplejClick() {
    frmDisplej_->show();
    frmDisplej_->raise();
    feed(state_.clock.now());
    emit needsTick(); // a running time in it is drawn at the frame rate
}

void SeparateDisplay::feed(LocalTime localNow) {
    if (!frmDisplej_->isVisible()) {
        return; // a hidden display costs nothing
    }
    if (const auto text = displayFeed(state_, localNow)) {
        frmDisplej_->pisNaSamostatnyDisplej(*text);
    }
}

void SeparateDisplay::showSource(DisplaySource source) {
    state_.displej.zdroj = source;
    switchedSource_ = source;
    if (TfrmNastaveniDispleje* d = frmNastaveniDispleje_.built()) {
        d->showSource(source);
    }
    feed(state_.clock.now());
}

bool SeparateDisplay::runsVisibly() const {
    return frmDisplej_->isVisible() && displayRuns(state_);
}

void SeparateDisplay::onSplitTaken(TDateTime elapsed) {
    if (!freezesOnSplit(state_)) {
        return;
    }
    state_.displejZmrazen = true;
    tmrZastaveniCasu->start(state_.tavrokOptions.doba); // a further split starts the time again
    if (frmDisplej_->isVisible()) {
        frmDisplej_->pisNaSamostatnyDisplej(
            zobrazNaSamostatnemDispleji(false, elapsed, state_.displej.rozsah));
    }
}

void SeparateDisplay::tmrZastaveniCasuTimer() {
    state_.displejZmrazen = false;
    tmrZastaveniCasu->stop();
}

} // namespace tavrok
