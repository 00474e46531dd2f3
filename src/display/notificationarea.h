#pragma once

#include "common/datetime.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class QMenu;
class QWidget;

namespace tavrok {

class ProgramState;
class SeparateDisplay;
class TrayHost;
class TrayIcon;

// The main window in the notification area: a minimise takes it there when the option says so (its
// taskbar button and the separate display go with it); the icon's menu and a double click bring it back.
// The icon's picture follows the countdown.
class NotificationArea : public QObject {
    Q_OBJECT
public:
    struct Parts {
        ProgramState& state;
        TrayHost& host;
        QWidget& window;
        SeparateDisplay& display;
        std::function<void()> showWindow; // "Obnovit" and a double click
        std::function<void()> help;
        std::function<void()> about;
    };
    // The icon's menu is a child of the window.
    explicit NotificationArea(Parts parts);
    ~NotificationArea() override;

    // After a minimise: the window goes to the notification area when the option is set and the desktop
    // has one. Returns whether it went (the icon's picture sets the pace of the ticks then).
    bool afterMinimise();
    // The window is back: the icon goes, the display comes back when it was shown.
    void leave();
    bool shown() const;
    void refresh(UtcTime now);
    std::optional<UtcTime> nextDue(UtcTime now) const;
    void killIcon();
    const TrayIcon& trayIcon() const { return *icon_; }

private:
    Parts p_;
    std::unique_ptr<TrayIcon> icon_;
    QMenu* popupMenu1 = nullptr;
    bool displayWasVisible_ = false; // when the window went to the notification area
};

} // namespace tavrok
