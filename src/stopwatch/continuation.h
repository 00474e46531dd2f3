#pragma once

#include "common/datetime.h"
#include "platform/questions.h"

#include <QStringList>
#include <optional>

namespace tavrok {

class IniFile;
class IniSnapshot;
class Stopwatch;
class Countdown;

// A running stopwatch or countdown kept across a restart: paused while the program is off (state 1) or
// left running (state 2), in sections of Nastaveni.ini that the next start reads and erases.
namespace pokracovani {

inline constexpr int Paused = 1;
inline constexpr int KeptRunning = 2;

// The standing choice of the settings; Ask when "zeptat" is set (the caller shows the question).
enum class Setting { Stop, Pause, KeepRunning, Ask };
Setting volba(const IniFile& settings);

// Writes the state and the time (failures ignored), then the save routine as one change; false when the
// save routine failed (the caller shows message 6 and keeps the program open). `zastaveno`: the user had
// stopped the stopwatch or paused the countdown, and the next start keeps it so ("zastaveno=1"; a
// program that does not know the key runs it on, as after a pause while off).
bool ulozPokracovaniTavrek(IniFile& settings, const Stopwatch& stopwatch, RunningChoice choice,
                           bool zastaveno = false);
bool ulozPokracovaniOdpocitavani(IniFile& settings, const Countdown& countdown, RunningChoice choice,
                                 bool opakovat, const QString& zprava, bool zastaveno = false);

struct Tavrok {
    int stav = 0;
    TDateTime cas = 0; // paused: the time shown; running: the local moment it counts from
    QStringList mezicasy;
    int posledniMezicas = 0;
    bool ulozeno = false;
    bool zastaveno = false;
};
// Empty when there is nothing to continue.
std::optional<Tavrok> nactiTavrok(const IniSnapshot& settings);

struct Odpocet {
    int stav = 0;
    TDateTime cas = 0; // paused: the time left; running: the local moment it started
    TDateTime delka = 0;
    bool opakovat = false;
    QString zprava;
    bool zastaveno = false;
    // The moment it ends (or ended): a paused one counts its time left from now.
    UtcTime konec(UtcTime now) const { return stav == Paused ? now + cas : utcFromLocal(LocalTime(cas)) + delka; }
};
std::optional<Odpocet> nactiOdpocet(const IniSnapshot& settings);

// Erases the continuation sections (start-up step 12); false when that failed.
bool smaz(IniFile& settings);

} // namespace pokracovani
} // namespace tavrok
