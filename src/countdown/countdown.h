#pragma once

#include "common/datetime.h"
#include "countdown/countdownoptions.h"

#include <functional>
#include <optional>

namespace tavrok {

class AudioDevice;
class Beeper;
class SoundManager;

// The countdown: the time left is always start + span - now; pausing moves the start by the pause.
class Countdown {
public:
    // Where the sounds come from: the sound manager for the end, the device itself for the notices, and
    // the program's Data folder.
    struct Sounds {
        SoundManager& manager;
        AudioDevice& device;
        Beeper& beeper;
        std::function<QString(const QString& relative)> dataPath; // "Zvuky\\Standard\\Signalk.wav"
    };

    explicit Countdown(Sounds sounds) : sounds_(std::move(sounds)) {}

    bool running() const { return countdownRunning_; }
    bool paused() const { return countdownPaused_; }
    UtcTime start() const { return countdownStart_; }
    TDateTime span() const { return countdownSpan_; }
    TDateTime left() const { return countdownLeft_; }
    UtcTime end() const { return countdownStart_ + countdownSpan_; }
    int nextWarningIndex() const { return nextWarningIndex_; }
    const QString& soundState() const { return countdownSoundState_; }

    void setLeft(TDateTime left) { countdownLeft_ = left; }
    // Keeps the countdown where it was when the computer's clock jumps.
    // The clock was set by `jump`: every moment kept moves with it (a pause keeps its length).
    void shiftStart(TDateTime jump) {
        countdownStart_ += jump;
        pauseMoment_ += jump;
    }

    // Starts counting `span` down from now; false for a zero length (the caller shows message 2).
    bool zapniOdpocit(TDateTime span, UtcTime now, const TDalsiOdpocit& options);
    void vypniOdpocit();
    void pauza(UtcTime now);
    void pokracovat(UtcTime now);
    // Runs on from an earlier start (continuation after a restart).
    void resume(UtcTime start, TDateTime span, UtcTime now, const TDalsiOdpocit& options);

    struct Tick {
        bool ended = false;          // the end was reached in this tick
        UtcTime endMoment;           // the moment it was reached
        int endSoundId = -1;         // the end sound started in this tick
        TDateTime lateness = 0;      // how long after the end moment the tick came
        int notice = -1;             // the advance notice given in this tick: seconds before the end
    };
    // The countdown tick: time left, notices, the end sound, and at the end the next span (repeat) or
    // idle. soundOn is the sound switch of the menu.
    Tick tick(UtcTime now, bool soundOn, bool repeat, const TDalsiOdpocit& options);

    // The next moment the countdown must act: a notice, the random sound's preparation, the end.
    std::optional<UtcTime> nextDue(bool soundOn, const TDalsiOdpocit& options) const;

private:
    int warningIndexFor(TDateTime span, const TDalsiOdpocit& options) const;
    void playNotice(int seconds, const TDalsiOdpocit& options);

    Sounds sounds_;
    bool countdownRunning_ = false;
    bool countdownPaused_ = false;
    UtcTime countdownStart_;
    TDateTime countdownSpan_ = 0;
    TDateTime countdownLeft_ = 0;
    UtcTime pauseMoment_;
    int nextWarningIndex_ = -1;
    QString countdownSoundState_;
    bool randomChosen_ = false; // the random end sound of this span was chosen (possibly none)
};

// The comparisons of the time left with 0, with 5 s and with the notices.
bool atOrBelow(TDateTime value, TDateTime limit);

// What the end of a countdown does with the stopwatch.
enum class StopwatchAtEnd { Nothing, Start, Restart, Ask };
StopwatchAtEnd stopwatchAtEnd(const TDalsiOdpocit& options, bool countdownStillRuns, bool stopwatchRuns);

} // namespace tavrok
