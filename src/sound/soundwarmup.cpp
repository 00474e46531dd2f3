#include "sound/soundwarmup.h"

#include "app/programstate.h"
#include "platform/audiodevice.h"
#include "platform/clock.h"

#include <algorithm>
#include <cmath>

namespace tavrok {

namespace {

// A far ring is looked at again every minute: the timer follows neither a change of the clock nor a
// suspend, after which the ring may be near.
constexpr qint64 LongestWaitMs = 60'000;

} // namespace

SoundWarmUp::SoundWarmUp(ProgramState& state, AudioDevice& audio, std::function<bool()> mayOpen,
                         QObject* parent)
    : QObject(parent), state_(state), audio_(audio), mayOpen_(std::move(mayOpen)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &SoundWarmUp::check);
}

std::optional<qint64> SoundWarmUp::msUntilNeeded(const ProgramState& state) {
    if (state.countdown.running()) {
        return 0; // its end and its warnings may come at any time
    }
    const std::optional<NextRing> ring = state.nextRing();
    if (!ring) {
        return std::nullopt;
    }
    const double msToRing = (ring->at.days() - state.clock.now().days()) * MsPerDay;
    return std::max<qint64>(0, static_cast<qint64>(std::floor(msToRing)) - LeadMs);
}

void SoundWarmUp::check() {
    if (warm_ || !mayOpen_()) {
        return;
    }
    const std::optional<qint64> wait = msUntilNeeded(state_);
    if (!wait) {
        timer_.stop();
        return;
    }
    if (*wait > 0) {
        timer_.start(static_cast<int>(std::min(*wait, LongestWaitMs)));
        return;
    }
    timer_.stop();
    warm_ = true;
    if (!audio_.open()) {
        return; // without a device every sound falls back to the information beep
    }
    for (const QStringView name : {u"Zvonek.wav", u"Signalk.wav", u"Signald.wav"}) {
        audio_.prepare(state_.standardSound(name));
    }
}

} // namespace tavrok
