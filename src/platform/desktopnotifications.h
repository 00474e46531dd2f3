#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <utility>

namespace tavrok {

// The desktop's own notifications: a short text with buttons that the desktop shows outside the
// program's windows, on any workspace. Without a notification server nothing is shown and nothing fails.
class DesktopNotifications {
public:
    struct Notice {
        QString summary;                              // the alarm's or the countdown's name
        QString body;                                 // its message
        QList<std::pair<QString, QString>> buttons;   // (key, caption)
        // A ring stays until it is answered; a passing notice (an advance notice) goes by itself.
        bool lasting = true;
    };
    virtual ~DesktopNotifications() = default;

    // Sends a notice; the number names it in onButton and withdraw (0: nothing was sent).
    virtual quint64 send(const Notice& notice) = 0;
    // Takes back a notice that is still shown (its ring was silenced in the program).
    virtual void withdraw(quint64 notice) = 0;

    // A button of a notice was pressed: the notice and the button's key.
    std::function<void(quint64 notice, const QString& key)> onButton;
    // The desktop closed a notice (the user dismissed it, or it expired).
    std::function<void(quint64 notice)> onClosed;
};

} // namespace tavrok
