#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

namespace tavrok {

class AudioDevice;
class ProgramState;

// Opens the sound device and decodes the standard sounds ahead of the first sound that may come: a
// minute before the next ring (a snoozed one too), and at once while a countdown runs. A program that
// only shows the time never loads them: the sound libraries and the decoded sounds cost more memory than
// the rest of the program, and loading them takes longer than its first show. A sound due before the
// device is ready opens it itself.
class SoundWarmUp final : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 LeadMs = 60'000;

    // `mayOpen`: false while the program ends.
    SoundWarmUp(ProgramState& state, AudioDevice& audio, std::function<bool()> mayOpen,
                QObject* parent = nullptr);

    // How long until the sounds must be ready: 0 now, none while nothing is due to sound.
    static std::optional<qint64> msUntilNeeded(const ProgramState& state);

    // Looks again at what is due (after every change of the state, and when its timer runs out): warms
    // up now, or plans when to.
    void check();
    bool warm() const { return warm_; }

private:
    ProgramState& state_;
    AudioDevice& audio_;
    std::function<bool()> mayOpen_;
    QTimer timer_;
    bool warm_ = false;
};

} // namespace tavrok
