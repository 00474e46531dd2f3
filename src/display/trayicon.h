#pragma once

#include "common/datetime.h"
#include "display/traypicture.h"

#include <QString>
#include <optional>

class QImage;

namespace tavrok {

class ProgramState;
class TrayHost;

// The icon in the notification area: its picture follows the countdown (the graph and the number of
// per cent its options choose) and its tooltip the application title. The picture is drawn whether the
// icon is shown or not; the host gets only what changed, and only while the icon is shown.
class TrayIcon {
public:
    TrayIcon(const ProgramState& state, TrayHost& host);

    // Draws the picture from the program state and hands the shown icon what changed.
    void refresh(UtcTime now);
    // Adds the icon to the notification area; false when the desktop has none.
    bool makeIcon();
    void killIcon();
    bool shown() const { return shown_; }
    // When the shown picture changes next (UTC): the countdown needs a tick then.
    std::optional<UtcTime> nextDue(UtcTime now) const;

    const TrayPicture& picture() const { return picture_; }
    // The tooltip for a title: the notification area holds 63 characters of it.
    static QString tooltipFor(const QString& title);
    static QImage toImage(const TrayPixels& pixels);

private:
    bool drawsCountdown() const;
    void handOver(bool always);

    const ProgramState& state_;
    TrayHost& host_;
    TrayPicture picture_;
    bool shown_ = false;
    quint64 handedGeneration_ = 0;
    QString handedToolTip_;
};

} // namespace tavrok
