// Help: the page of the window in front, in the desktop's browser or, without one, in the program.
#include "app/tfrmhlavniokno.h"
#include "lang/help.h"
#include "lang/helpbrowser.h"
#include "platform/launcher.h"

#include <QApplication>

namespace tavrok {

void TfrmHlavniOkno::mnuIndexClick() {
    const QWidget* active = QApplication::activeWindow();
    napovedaKOknu(active && active->isVisible() ? active : this); // a dialog just closed is not in front
}

void TfrmHlavniOkno::napovedaKOknu(const QWidget* window) {
    otevriNapovedu(helpPage(window ? window->objectName() : QString(), static_cast<int>(state_.function())));
}

void TfrmHlavniOkno::otevriNapovedu(const QString& page) {
    const QString file = helpPath(state_.storage.dataPath(u"Napoveda"), state_.language.name(), page);
    if (services_.launcher.openInBrowser(file)) {
        return;
    }
    // Shown over a dialog that is open, where it can be read and closed while the dialog waits.
    QWidget* owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : this;
    if (!helpBrowser_) {
        helpBrowser_ = new HelpBrowser(owner);
    } else if (helpBrowser_->parentWidget() != owner) {
        helpBrowser_->setParent(owner, Qt::Window);
    }
    helpBrowser_->showPage(file);
}

} // namespace tavrok
