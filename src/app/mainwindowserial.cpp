// The serial lines wired to the window: the menu's entry, and action 6's switch of the separate display.
#include "alarms/alarmpanel.h"
#include "app/programactions.h"
#include "app/tfrmhlavniokno.h"
#include "countdown/countdownpanel.h"
#include "display/seriallines.h"
#include "display/displaysettings.h"
#include "display/separatedisplay.h"

#include <QAction>

namespace tavrok {

void TfrmHlavniOkno::buildSerial() {
    const auto displayToCountdown = [this] {
        display_->showSource(DisplaySource::Odpocitavani);
        onStateChanged();
    };
    serialLines_ = new SerialLines({state_, services_.serial, services_.questions, *actions_, displayToCountdown},
                                   this, {alarmPanel_, countdownPanel_});
    if (auto* a = findChild<QAction*>(QStringLiteral("mnuSeriovyPort"))) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, serialLines_, &SerialLines::otevriNastaveniSerioveho);
    }
}

} // namespace tavrok
