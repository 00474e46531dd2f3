// The separate display wired to the window: the window's own snapping to the screen edges, the display's
// menu entries, its ticks, and the dialog following a source the countdown's end chose.
#include "app/tfrmhlavniokno.h"
#include "countdown/countdownpanel.h"
#include "display/edgesnapper.h"
#include "display/separatedisplay.h"

#include <QAction>

namespace tavrok {

void TfrmHlavniOkno::buildDisplay() {
    // The main window snaps to the screen edges too, when the settings say so (not at its first show).
    new EdgeSnapper(this, [this] {
        return !state_.main.firstShow && state_.storage.settingsIni().readBool(u"nastaveni", u"magnetovat", true);
    });
    display_ = std::make_unique<SeparateDisplay>(state_, services_, this, *stopwatchPanel_);
    connect(display_.get(), &SeparateDisplay::needsTick, this, &TfrmHlavniOkno::scheduleFunctionTick);
    connect(countdownPanel_, &CountdownPanel::displaySwitched, display_.get(), &SeparateDisplay::showSource);
    display_->wireMenu(findChild<QAction*>(QStringLiteral("mnuNastaveniDispleje")),
                       findChild<QAction*>(QStringLiteral("mnuZobrazitDisplej")));
}

} // namespace tavrok
