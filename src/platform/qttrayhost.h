#pragma once

#include "platform/trayhost.h"

#include <QSystemTrayIcon>

namespace tavrok {

// The notification area through Qt: the StatusNotifierItem protocol where the desktop offers it, the
// X11 system tray (XEmbed) otherwise.
class QtTrayHost final : public TrayHost {
public:
    QtTrayHost();

    bool available() const override;
    void setPicture(const QImage& picture) override;
    void setToolTip(const QString& text) override;
    void setMenu(QMenu* menu) override;
    bool show() override;
    void hide() override;

private:
    QSystemTrayIcon icon_;
};

} // namespace tavrok
