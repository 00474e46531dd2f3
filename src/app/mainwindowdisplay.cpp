// The separate display as the main window feeds it: shown by F5, fed on every function tick, held on a
// split for the time the stopwatch options give.
#include "app/tfrmhlavniokno.h"
#include "countdown/countdownpanel.h"
#include "display/displayfeed.h"
#include "display/edgesnapper.h"
#include "display/tfrmdisplej.h"
#include "display/tfrmnastavenidispleje.h"
#include "platform/clock.h"
#include "stopwatch/stopwatchpanel.h"

#include <QAction>
#include <QTimer>

namespace tavrok {

void TfrmHlavniOkno::buildDisplay() {
    frmDisplej_ = std::make_unique<TfrmDisplej>([this](const QString& path) { return state_.storage.expand(path); });
    // The main window snaps to the screen edges too, when the settings say so (not at its first show).
    new EdgeSnapper(this, [this] {
        return !state_.main.firstShow && state_.storage.settingsIni().readBool(u"nastaveni", u"magnetovat", true);
    });
    tmrZastaveniCasu = new QTimer(this);
    tmrZastaveniCasu->setObjectName(QStringLiteral("tmrZastaveniCasu"));
    tmrZastaveniCasu->setSingleShot(true);
    connect(tmrZastaveniCasu, &QTimer::timeout, this, &TfrmHlavniOkno::tmrZastaveniCasuTimer);
    connect(stopwatchPanel_, &StopwatchPanel::splitTaken, this, &TfrmHlavniOkno::onSplitTaken);
    frmNastaveniDispleje_ = new TfrmNastaveniDispleje(
        {*frmDisplej_, services_.questions, services_.files, services_.pickers, state_.messages,
         [this]() -> IniFile& { return state_.storage.settingsIni(); },
         [this](const TNastaveniDispleje& applied) {
             state_.displej = applied;
             feedSeparateDisplay(state_.clock.now());
             scheduleFunctionTick();
         },
         services_.pickerKey},
        this);
    connect(countdownPanel_, &CountdownPanel::displaySwitched, frmNastaveniDispleje_, &TfrmNastaveniDispleje::showSource);
    if (auto* a = findChild<QAction*>(QStringLiteral("mnuNastaveniDispleje"))) {
        a->setEnabled(true);
        a->setShortcutContext(Qt::ApplicationShortcut);
        connect(a, &QAction::triggered, frmNastaveniDispleje_, &TfrmNastaveniDispleje::otevri);
        frmDisplej_->addAction(a);
    }
    if (auto* a = findChild<QAction*>(QStringLiteral("mnuZobrazitDisplej"))) {
        a->setEnabled(true);
        a->setShortcutContext(Qt::ApplicationShortcut); // F5 also in the display window
        connect(a, &QAction::triggered, this, &TfrmHlavniOkno::mnuZobrazitDisplejClick);
        frmDisplej_->addAction(a);
    }
}

void TfrmHlavniOkno::mnuZobrazitDisplejClick() {
    frmDisplej_->show();
    frmDisplej_->raise();
    feedSeparateDisplay(state_.clock.now());
    scheduleFunctionTick(); // a running time in it is drawn at the frame rate
}

void TfrmHlavniOkno::feedSeparateDisplay(LocalTime localNow) {
    if (!frmDisplej_->isVisible()) {
        return; // a hidden display costs nothing
    }
    if (const auto text = displayFeed(state_, localNow)) {
        frmDisplej_->pisNaSamostatnyDisplej(*text);
    }
}

void TfrmHlavniOkno::onSplitTaken(TDateTime elapsed) {
    if (!freezesOnSplit(state_)) {
        return;
    }
    state_.displejZmrazen = true;
    tmrZastaveniCasu->start(state_.tavrokOptions.doba); // a further split starts the time again
    if (frmDisplej_->isVisible()) {
        frmDisplej_->pisNaSamostatnyDisplej(zobrazNaSamostatnemDispleji(false, elapsed, state_.displej.rozsah));
    }
}

void TfrmHlavniOkno::tmrZastaveniCasuTimer() {
    state_.displejZmrazen = false;
    tmrZastaveniCasu->stop();
}

} // namespace tavrok
