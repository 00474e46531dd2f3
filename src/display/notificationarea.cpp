#include "display/notificationarea.h"

#include "app/programstate.h"
#include "display/separatedisplay.h"
#include "display/tfrmdisplej.h"
#include "display/trayicon.h"
#include "platform/trayhost.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace tavrok {

NotificationArea::NotificationArea(Parts parts)
    : p_(std::move(parts)), icon_(std::make_unique<TrayIcon>(p_.state, p_.host)) {
    popupMenu1 = new QMenu(&p_.window);
    popupMenu1->setObjectName(QStringLiteral("popupMenu1"));
    auto item = [this](const char* name, const QString& caption) {
        QAction* a = popupMenu1->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QAction* mnuObnovit = item("mnuObnovit", QStringLiteral("&Obnovit"));
    popupMenu1->setDefaultAction(mnuObnovit);
    QAction* mnuNapoveda2 = item("mnuNapoveda2", QStringLiteral("&N\u00E1pov\u011Bda"));
    QAction* mnuOProgramu2 = item("mnuOProgramu2", QStringLiteral("O &programu Tavrok..."));
    popupMenu1->addSeparator()->setObjectName(QStringLiteral("N3"));
    QAction* mnuKonec2 = item("mnuKonec2", QStringLiteral("&Konec"));
    connect(mnuObnovit, &QAction::triggered, this, [this] { p_.showWindow(); });
    connect(mnuNapoveda2, &QAction::triggered, this, [this] { p_.help(); });
    connect(mnuOProgramu2, &QAction::triggered, this, [this] { p_.about(); });
    connect(mnuKonec2, &QAction::triggered, &p_.window, &QWidget::close);
    p_.host.setMenu(popupMenu1);
    p_.host.onDoubleClick = [this] { p_.showWindow(); };
}

NotificationArea::~NotificationArea() {
    icon_->killIcon();
    p_.host.onDoubleClick = nullptr;
    p_.host.setMenu(nullptr);
}

bool NotificationArea::afterMinimise() {
    QWidget& w = p_.window;
    if (!p_.state.menu.doIkony || !w.isMinimized() || !w.isVisible() || !p_.host.available()) {
        return false; // an ordinary minimise
    }
    w.hide(); // leaves the taskbar
    displayWasVisible_ = p_.display.frmDisplej().isVisible();
    p_.display.frmDisplej().hide();
    if (!icon_->makeIcon()) {
        w.showMinimized(); // the notification area went away meanwhile: minimised as usual
    }
    return true;
}

void NotificationArea::leave() {
    if (!icon_->shown()) {
        return;
    }
    icon_->killIcon();
    if (displayWasVisible_) {
        p_.display.frmDisplej().show();
    }
}

bool NotificationArea::shown() const {
    return icon_->shown();
}

void NotificationArea::refresh(UtcTime now) {
    icon_->refresh(now);
}

std::optional<UtcTime> NotificationArea::nextDue(UtcTime now) const {
    return icon_->nextDue(now);
}

void NotificationArea::killIcon() {
    icon_->killIcon();
}

} // namespace tavrok
