// The notification area wired to the window: its menu calls the program's actions and the window's help,
// and showing the window brings it back from there.
#include "app/programactions.h"
#include "app/tfrmhlavniokno.h"
#include "display/notificationarea.h"
#include "display/separatedisplay.h"
#include "platform/clock.h"

namespace tavrok {

void TfrmHlavniOkno::buildTray() {
    area_ = std::make_unique<NotificationArea>(NotificationArea::Parts{
        state_, services_.tray, *this, *display_, [this] { actions_->show(); }, [this] { mnuIndexClick(); },
        [this] { mnuOProgramuClick(); }});
    connect(actions_, &ProgramActions::changed, area_.get(), [this] { area_->refresh(state_.clock.utcNow()); });
}

void TfrmHlavniOkno::mnuObnovitClick() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    area_->leave();
}

} // namespace tavrok
