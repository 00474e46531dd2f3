#include "alarms/alarmclock.h"

#include <algorithm>

#include "sound/soundmanager.h"
#include "storage/inifile.h"
#include "storage/nastaveni.h"

namespace tavrok {

namespace {
constexpr TDateTime FiveSeconds = 5.0 / 86400.0;

bool reached(LocalTime now, TDateTime moment) {
    return toMilliseconds(now - LocalTime(moment)) >= 0;
}
} // namespace

QString AlarmClock::nasledujici() const {
    const qsizetype separator = seznam_.seznamNazvuBudiku.indexOf(AlarmSeparator);
    return separator >= 0 && separator + 1 < seznam_.seznamNazvuBudiku.size()
               ? seznam_.seznamNazvuBudiku[separator + 1]
               : QString();
}

AlarmClock::Ring AlarmClock::kontrola(LocalTime now, bool soundOn, const LateLimit& mostLate) {
    Ring r;
    if (aktualni_.stav) {
        r.snapshot = aktualni_;
    }
    const QString watched = nasledujici();
    if (watched.isEmpty()) {
        return r;
    }
    if (reached(now, aktualni_.datum)) {
        r.due = true;
        r.nazev = watched;
        // Measured in real time: an alarm in the hour the spring change skips is not an hour late.
        r.dueUtc = utcFromLocal(LocalTime(aktualni_.datum));
        r.lateness = std::max(0.0, sounds_.utcNow() - r.dueUtc);
    }
    ringOrPrepare(r, now, soundOn, mostLate);
    if (r.due) {
        // After the sound has started: writing the file and reloading the list take milliseconds.
        lastRung_ = aktualni_.datum;
        (void)zapisPosledni(alarmsIni_, watched, now.days());
        // The occurrence that just rang is over: reloading at exactly its moment would find it again,
        // sort it before the separator and leave no alarm watched.
        const TDateTime after = now.days() + OneMillisecond;
        nactiSeznam(after);
        nactiAktualni(after);
    }
    return r;
}

void AlarmClock::ringOrPrepare(Ring& r, LocalTime now, bool soundOn, const LateLimit& mostLate) {
    if (!r.snapshot.stav) {
        return;
    }
    // No limit is shorter than the least one allowed: an alarm less late than that is not read against it.
    constexpr std::int64_t LeastLimitMs = NejmensiZpozdeni * 60'000LL;
    if (r.due && mostLate && toMilliseconds(r.lateness) > LeastLimitMs) {
        if (const auto limit = mostLate(); limit && toMilliseconds(r.lateness) > toMilliseconds(*limit)) {
            r.tooLate = true;
            return;
        }
    }
    const NotificationOptions& n = r.snapshot.upozorneni;
    // The alarm's moment is wall-clock time, the sounds count on UTC; a moment the spring change skipped
    // (and so lies after now on UTC) starts the sound now.
    const auto soundStart = [&] {
        return std::min(r.due ? r.dueUtc : utcFromLocal(LocalTime(r.snapshot.datum)), sounds_.utcNow());
    };
    if (reached(now, r.snapshot.datum)) {
        if (soundOn) {
            r.soundId = sounds_.obhospodarZvuk(n.upozornovat, true, n.vlastniZvuk, n.nahodnyZvuk, n.opakovat,
                                               standardSound_(), n.vlastniZvukCesta, n.nahodnyZvukCesta,
                                               nahodnyZvukSoubor_, n.delka, soundStart());
        }
    } else if (reached(now, r.snapshot.datum - FiveSeconds) && nahodnyZvukSoubor_.isEmpty() && n.nahodnyZvuk &&
               randomChosenFor_ != r.snapshot.datum) {
        // Looked at once, with the sound on or off: an empty folder is not searched again at every tick,
        // and the tick is not planned for this moment again and again until the ring.
        randomChosenFor_ = r.snapshot.datum;
        if (soundOn) {
            sounds_.obhospodarZvuk(n.upozornovat, false, n.vlastniZvuk, n.nahodnyZvuk, n.opakovat, standardSound_(),
                                   n.vlastniZvukCesta, n.nahodnyZvukCesta, nahodnyZvukSoubor_, n.delka,
                                   soundStart());
        }
    }
    r.rings = reached(now, r.snapshot.datum);
}

void AlarmClock::clockSetBack(LocalTime now) {
    const TDateTime from = lastRung_ ? std::max(now.days(), *lastRung_ + OneMillisecond) : now.days();
    nactiSeznam(from);
    nactiAktualni(from);
}

std::optional<LocalTime> AlarmClock::nextDue() const {
    if (nasledujici().isEmpty()) {
        return std::nullopt;
    }
    if (aktualni_.stav && aktualni_.upozorneni.nahodnyZvuk && nahodnyZvukSoubor_.isEmpty() &&
        randomChosenFor_ != aktualni_.datum) {
        return LocalTime(aktualni_.datum - FiveSeconds);
    }
    return LocalTime(aktualni_.datum);
}

} // namespace tavrok
