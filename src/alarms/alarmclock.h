#pragma once

#include "alarms/alarmfile.h"

#include <functional>
#include <optional>

namespace tavrok {

class IniFile;
class SoundManager;

// The alarm that rings next, watched on every tick: when it is due its moment is recorded, the list
// moves on, and its sound starts (the message is the window's).
class AlarmClock {
public:
    AlarmClock(IniFile& alarmsIni, SoundManager& sounds, std::function<QString()> standardSound)
        : alarmsIni_(alarmsIni), sounds_(sounds), standardSound_(std::move(standardSound)) {}

    const SeznamBudiku& seznam() const { return seznam_; }
    const TAktualniBudik& aktualni() const { return aktualni_; }
    // The name right after the separator; empty when no alarm follows it.
    QString nasledujici() const;

    void nactiSeznam(TDateTime now, const KazdyBudik& eachAlarm = {}) {
        seznam_ = nactiSeznamBudiku(alarmsIni_, now, eachAlarm);
    }
    void nactiAktualni(TDateTime now) { aktualni_ = nactiAktualniBudik(alarmsIni_, seznam_, now, aktualni_); }

    struct Ring {
        bool due = false;         // the watched alarm became due: the list was reloaded
        bool rings = false;       // it was switched on and its moment has come
        TAktualniBudik snapshot;  // the alarm as it was when the tick began
        QString nazev;            // the alarm that became due
        int soundId = -1;
        TDateTime lateness = 0;
        UtcTime dueUtc;           // when due: its moment, as the sounds count it
        bool tooLate = false;     // it came later than the limit `mostLate` gives: no sound, no ring
    };
    // The limit on lateness (none: any lateness rings), never shorter than the least one the settings allow
    // (`NejmensiZpozdeni` minutes). It is asked for only when an alarm is found due later than that, so an
    // alarm on time rings without reading the settings first.
    using LateLimit = std::function<std::optional<TDateTime>()>;
    // The alarm check of one tick. An alarm due longer ago than the limit `mostLate` gives (the computer
    // slept through it) does not ring; the caller lists it as missed.
    Ring kontrola(LocalTime now, bool soundOn, const LateLimit& mostLate = {});

    // The wall clock was set back: the list is read again from now, so the alarms due from now on ring,
    // but never before the occurrence that rang last, which must not ring a second time.
    void clockSetBack(LocalTime now);

    // The next moment the check must run: the ring, or the choice of a random sound 5 s before it.
    std::optional<LocalTime> nextDue() const;

private:
    // The ring's sound (or the random file chosen five seconds ahead) and whether it rings; too late to
    // ring when due longer ago than `mostLate`.
    void ringOrPrepare(Ring& r, LocalTime now, bool soundOn, const LateLimit& mostLate);
    IniFile& alarmsIni_;
    SoundManager& sounds_;
    std::function<QString()> standardSound_;
    SeznamBudiku seznam_;
    TAktualniBudik aktualni_;
    QString nahodnyZvukSoubor_;
    std::optional<TDateTime> randomChosenFor_; // the ring whose random sound was already chosen
    std::optional<TDateTime> lastRung_;        // the occurrence that became due last
};

} // namespace tavrok
