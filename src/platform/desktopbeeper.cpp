#include "platform/desktopbeeper.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>

namespace tavrok {

void DesktopBeeper::informationBeep() {
    static const QString player = QStandardPaths::findExecutable(QStringLiteral("canberra-gtk-play"));
    if (!player.isEmpty() &&
        QProcess::startDetached(player, {QStringLiteral("--id=dialog-information"),
                                         QStringLiteral("--description=Tavrok")})) {
        return;
    }
    QApplication::beep();
}

} // namespace tavrok
