#include "display/trayicon.h"

#include "app/programstate.h"
#include "platform/trayhost.h"

#include <QImage>
#include <cstring>

namespace tavrok {

TrayIcon::TrayIcon(const ProgramState& state, TrayHost& host) : state_(state), host_(host) {}

QString TrayIcon::tooltipFor(const QString& title) {
    return title.left(63);
}

QImage TrayIcon::toImage(const TrayPixels& pixels) {
    QImage image(TrayIconSize, TrayIconSize, QImage::Format_ARGB32);
    for (int y = 0; y < TrayIconSize; ++y) {
        std::memcpy(image.scanLine(y), pixels.data() + y * TrayIconSize, TrayIconSize * sizeof(quint32));
    }
    return image;
}

bool TrayIcon::drawsCountdown() const {
    // The countdown owns the picture as it owns the title: while it is shown or the stopwatch does not
    // run. Otherwise the picture stays as it was last drawn.
    return state_.countdown.running() && (state_.odpocitOptions.graf || state_.odpocitOptions.procenta) &&
           (state_.function() == Funkce::Odpocit || !state_.stopwatch.running());
}

void TrayIcon::refresh(UtcTime now) {
    if (!state_.countdown.running()) {
        picture_.resetToIdle(); // stopped, paused or ended: the ordinary icon, drawn afresh next time
    } else if (drawsCountdown()) {
        picture_.kresliTaskIkonu(state_.countdownShare(now) * 100, state_.odpocitOptions.graf,
                                 state_.odpocitOptions.procenta);
    }
    if (shown_) {
        handOver(false);
    }
}

void TrayIcon::handOver(bool always) {
    // A new icon for every tick would grow the toolkit's pixmap cache and make the desktop redraw.
    if (always || picture_.generation() != handedGeneration_) {
        host_.setPicture(toImage(picture_.image()));
        handedGeneration_ = picture_.generation();
    }
    const QString tip = tooltipFor(state_.main.titleText);
    if (always || tip != handedToolTip_) {
        host_.setToolTip(tip);
        handedToolTip_ = tip;
    }
}

bool TrayIcon::makeIcon() {
    if (!shown_) {
        handOver(true);
        shown_ = host_.show();
    } else {
        handOver(false);
    }
    return shown_;
}

void TrayIcon::killIcon() {
    if (shown_) {
        host_.hide();
        shown_ = false;
    }
}

std::optional<UtcTime> TrayIcon::nextDue(UtcTime now) const {
    if (!shown_ || !drawsCountdown() || state_.countdown.span() <= 0) {
        return std::nullopt;
    }
    const auto& o = state_.odpocitOptions;
    const double next = TrayPicture::nextChange(state_.countdownShare(now) * 100, o.graf, o.procenta);
    if (next < 0) {
        return std::nullopt;
    }
    return state_.countdown.end() - next / 100 * state_.countdown.span();
}

} // namespace tavrok
