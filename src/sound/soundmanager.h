#pragma once

#include "common/datetime.h"

#include <QString>
#include <functional>
#include <vector>

namespace tavrok {

class AudioDevice;
class Beeper;
class Clock;

// One playing sound.
struct TPrehravanyZvuk {
    int id = 0;
    QString soubor; // the file, which also names its sound on the device
    TDateTime delka = 0; // how long it plays; 0 = without end
    UtcTime start; // the moment its length counts from
    bool jednou = false; // plays once and ends by itself
};

// The sounds of alarms and of the countdown: starts them by the notification options, repeats them,
// ends each after its length and stops them all on request.
class SoundManager {
public:
    using PathExpander = std::function<QString(const QString&)>;
    using RandomIndex = std::function<int(int count)>; // 0..count-1

    SoundManager(AudioDevice& device, Clock& clock, Beeper& beeper, PathExpander expand, RandomIndex random);

    // Prepares (zazvonit false: picks the random file into vybranySoubor) or plays (zazvonit true) a
    // notification; returns the id of the started sound or -1.
    int obhospodarZvuk(bool upozornovat, bool zazvonit, bool vlastniZvuk, bool nahodnyZvuk, bool opakovat,
                       const QString& standardniCesta, const QString& vlastniCesta, const QString& nahodnaSlozka,
                       QString& vybranySoubor, int delka, UtcTime start);
    // Registers a sound that has just started; delka in milliseconds.
    int prehrajZvuk(const QString& soubor, QString& vybranySoubor, UtcTime start, int delka, bool opakovat);

    // "Now" on the scale of the sounds' moments.
    UtcTime utcNow() const;
    // Restarts what repeats and ends what has played its length.
    void tmrPrehravaniZvukuTimer();
    // Stops every sound.
    void vypnoutUpozorneni();
    // Ends one sound at the next tick.
    void ukoncitZvuk(int id);
    // The clock was set by `jump`: each sound plays its length all the same.
    void shiftStarts(TDateTime jump) {
        for (TPrehravanyZvuk& z : prehravaneZvuky_) {
            z.start += jump;
        }
    }

    const std::vector<TPrehravanyZvuk>& prehravaneZvuky() const { return prehravaneZvuky_; }
    // Told whenever a sound is registered, so that the owner can run the sound tick while any plays.
    void setOnRegistered(std::function<void()> callback) { onRegistered_ = std::move(callback); }
    bool busy() const { return zvukyZamceny_; }

    static bool jeSouborMultimedialni(QStringView extension);
    // A media file of the folder picked at random; empty when it holds none.
    QString nahodnySoubor(const QString& folder) const;

private:
    AudioDevice& device_;
    Clock& clock_;
    Beeper& beeper_;
    PathExpander expand_;
    RandomIndex random_;
    std::vector<TPrehravanyZvuk> prehravaneZvuky_;
    int citacZvuku_ = 0;
    bool zvukyZamceny_ = false;
    std::function<void()> onRegistered_;
};

} // namespace tavrok
