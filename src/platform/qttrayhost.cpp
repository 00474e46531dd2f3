#include "platform/qttrayhost.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace tavrok {

QtTrayHost::QtTrayHost() {
    icon_.setObjectName(QStringLiteral("trayIcon"));
    QObject::connect(&icon_, &QSystemTrayIcon::activated, &icon_, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick && onDoubleClick) {
            onDoubleClick();
        }
    });
}

bool QtTrayHost::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayHost::setPicture(const QImage& picture) {
    icon_.setIcon(QIcon(QPixmap::fromImage(picture)));
}

void QtTrayHost::setToolTip(const QString& text) {
    icon_.setToolTip(text);
}

void QtTrayHost::setMenu(QMenu* menu) {
    icon_.setContextMenu(menu);
}

bool QtTrayHost::show() {
    if (!available()) {
        return false;
    }
    icon_.show();
    return icon_.isVisible();
}

void QtTrayHost::hide() {
    icon_.hide();
}

} // namespace tavrok
