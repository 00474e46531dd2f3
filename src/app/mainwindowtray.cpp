// The main window in the notification area: going there at a minimise, coming back, the icon's menu.
#include "app/programactions.h"
#include "app/tfrmhlavniokno.h"
#include "display/separatedisplay.h"
#include "display/tfrmdisplej.h"
#include "display/trayicon.h"
#include "platform/clock.h"
#include "platform/trayhost.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

namespace tavrok {

void TfrmHlavniOkno::buildTray() {
    tray_ = std::make_unique<TrayIcon>(state_, services_.tray);
    popupMenu1 = new QMenu(this);
    popupMenu1->setObjectName(QStringLiteral("popupMenu1"));
    auto item = [this](const char* name, const QString& caption) {
        QAction* a = popupMenu1->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QAction* mnuObnovit = item("mnuObnovit", QStringLiteral("&Obnovit"));
    popupMenu1->setDefaultAction(mnuObnovit);
    QAction* mnuNapoveda2 = item("mnuNapoveda2", QStringLiteral("&N\u00E1pov\u011Bda"));
    connect(mnuNapoveda2, &QAction::triggered, this, &TfrmHlavniOkno::mnuIndexClick);
    QAction* mnuOProgramu2 = item("mnuOProgramu2", QStringLiteral("O &programu Tavrok..."));
    popupMenu1->addSeparator()->setObjectName(QStringLiteral("N3"));
    QAction* mnuKonec2 = item("mnuKonec2", QStringLiteral("&Konec"));
    connect(mnuObnovit, &QAction::triggered, actions_, &ProgramActions::show);
    connect(mnuKonec2, &QAction::triggered, this, &TfrmHlavniOkno::mnuKonec2Click);
    connect(mnuOProgramu2, &QAction::triggered, this, &TfrmHlavniOkno::mnuOProgramuClick);
    services_.tray.setMenu(popupMenu1);
    services_.tray.onDoubleClick = [this] { actions_->show(); };
}

bool TfrmHlavniOkno::inTray() const {
    return tray_->shown();
}

void TfrmHlavniOkno::priMinimalizaci() {
    if (!state_.menu.doIkony || !isMinimized() || !isVisible() || !services_.tray.available()) {
        return; // an ordinary minimise
    }
    hide(); // leaves the taskbar
    displayWasVisible_ = display_->frmDisplej().isVisible();
    display_->frmDisplej().hide();
    if (!tray_->makeIcon()) {
        showMinimized(); // the notification area went away meanwhile: minimised as usual
    }
    scheduleFunctionTick(); // the icon's picture sets the pace now
}

void TfrmHlavniOkno::mnuObnovitClick() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    leaveTray();
}

void TfrmHlavniOkno::leaveTray() {
    if (!tray_->shown()) {
        return;
    }
    tray_->killIcon();
    if (displayWasVisible_) {
        display_->frmDisplej().show();
    }
}

void TfrmHlavniOkno::mnuKonec2Click() {
    close();
}

void TfrmHlavniOkno::showTray() {
    tray_->refresh(state_.clock.utcNow());
}

} // namespace tavrok
