#include "countdown/countdown.h"

#include "platform/audiodevice.h"
#include "sound/soundmanager.h"


namespace tavrok {

namespace {

constexpr TDateTime FiveSeconds = 5.0 / 86400.0;

} // namespace

bool atOrBelow(TDateTime value, TDateTime limit) {
    // On the clock's millisecond grid: the time left is a difference of two large day numbers, whose
    // last bits are noise far below a millisecond.
    return toMilliseconds(value) <= toMilliseconds(limit);
}

int Countdown::warningIndexFor(TDateTime span, const TDalsiOdpocit& options) const {
    for (auto i = options.predem.size() - 1; i >= 0; --i) {
        if (options.predem[i] / 86400.0 <= span) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool Countdown::zapniOdpocit(TDateTime span, UtcTime now, const TDalsiOdpocit& options) {
    if (countdownRunning_) {
        return true;
    }
    if (toMilliseconds(span) <= 0) {
        return false;
    }
    countdownSpan_ = span;
    countdownStart_ = now;
    countdownLeft_ = span;
    nextWarningIndex_ = warningIndexFor(span, options);
    countdownRunning_ = true;
    countdownPaused_ = false;
    randomChosen_ = false;
    return true;
}

void Countdown::resume(UtcTime start, TDateTime span, UtcTime now, const TDalsiOdpocit& options) {
    countdownStart_ = start;
    countdownSpan_ = span;
    countdownLeft_ = start + span - now;
    nextWarningIndex_ = warningIndexFor(countdownLeft_, options);
    countdownRunning_ = true;
    countdownPaused_ = false;
}

void Countdown::vypniOdpocit() {
    randomChosen_ = false;
    countdownRunning_ = false;
    countdownPaused_ = false;
    countdownSoundState_.clear();
}

void Countdown::pauza(UtcTime now) {
    if (!countdownRunning_) {
        return;
    }
    pauseMoment_ = now;
    countdownRunning_ = false;
    countdownPaused_ = true;
}

void Countdown::pokracovat(UtcTime now) {
    if (!countdownPaused_) {
        return;
    }
    countdownStart_ += now - pauseMoment_;
    countdownRunning_ = true;
    countdownPaused_ = false;
}

void Countdown::playNotice(int seconds, const TDalsiOdpocit& options) {
    const QString set = QStringLiteral("Zvuky\\") + options.zvuky + QStringLiteral("\\Signalk");
    const QString candidates[] = {
        sounds_.dataPath(set + (options.pridatCislo ? QString::number(seconds) : QString()) + QStringLiteral(".wav")),
        sounds_.dataPath(set + QStringLiteral(".wav")),
        sounds_.dataPath(QStringLiteral("Zvuky\\Standard\\Signalk.wav")),
    };
    for (const QString& file : candidates) {
        if (sounds_.device.play(file)) {
            return;
        }
    }
    sounds_.beeper.informationBeep();
}

Countdown::Tick Countdown::tick(UtcTime now, bool soundOn, bool repeat, const TDalsiOdpocit& options) {
    Tick t;
    if (!countdownRunning_) {
        return t;
    }
    countdownLeft_ = countdownStart_ + countdownSpan_ - now;

    if (nextWarningIndex_ >= 0 && nextWarningIndex_ < options.predem.size() &&
        atOrBelow(countdownLeft_, options.predem[nextWarningIndex_] / 86400.0)) {
        if (options.upozornovatPredem) {
            t.notice = options.predem[nextWarningIndex_];
            if (soundOn) {
                playNotice(t.notice, options);
            }
        }
        --nextWarningIndex_;
    }

    const bool endReached = atOrBelow(countdownLeft_, 0);
    if (soundOn && (endReached || (atOrBelow(countdownLeft_, FiveSeconds) && countdownSoundState_.isEmpty() &&
                                   options.naKonci.nahodnyZvuk && !randomChosen_))) {
        randomChosen_ = !endReached; // an empty folder is not searched again at every tick
        const NotificationOptions& n = options.naKonci;
        t.endSoundId = sounds_.manager.obhospodarZvuk(
            n.upozornovat, endReached, n.vlastniZvuk, n.nahodnyZvuk, n.opakovat,
            sounds_.dataPath(QStringLiteral("Zvuky\\Standard\\Signald.wav")), n.vlastniZvukCesta, n.nahodnyZvukCesta,
            countdownSoundState_, n.delka, end());
    }

    if (endReached) {
        t.ended = true;
        t.endMoment = end();
        t.lateness = now - t.endMoment;
        randomChosen_ = false;
        if (repeat) {
            countdownStart_ += countdownSpan_;
            nextWarningIndex_ = warningIndexFor(countdownSpan_, options);
            countdownLeft_ = countdownStart_ + countdownSpan_ - now;
        } else {
            vypniOdpocit();
            countdownLeft_ = options.nechatOdpocit ? 0 : countdownSpan_;
        }
    }
    return t;
}

std::optional<UtcTime> Countdown::nextDue(bool soundOn, const TDalsiOdpocit& options) const {
    if (!countdownRunning_) {
        return std::nullopt;
    }
    UtcTime due = end();
    if (nextWarningIndex_ >= 0 && nextWarningIndex_ < options.predem.size()) {
        due = std::max(std::min(due, end() - options.predem[nextWarningIndex_] / 86400.0), countdownStart_);
    }
    if (soundOn && options.naKonci.nahodnyZvuk && countdownSoundState_.isEmpty() && !randomChosen_) {
        due = std::min(due, std::max(end() - FiveSeconds, countdownStart_));
    }
    return due;
}

StopwatchAtEnd stopwatchAtEnd(const TDalsiOdpocit& o, bool countdownStillRuns, bool stopwatchRuns) {
    if (!o.spustitTavrok || o.nespoustetTavrok || countdownStillRuns) {
        return StopwatchAtEnd::Nothing;
    }
    if (!stopwatchRuns) {
        return StopwatchAtEnd::Start;
    }
    return o.spustitTavrokZnovu ? StopwatchAtEnd::Restart : StopwatchAtEnd::Ask;
}

} // namespace tavrok
