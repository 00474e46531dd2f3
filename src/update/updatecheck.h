#pragma once

#include "common/datetime.h"

#include <QString>
#include <QStringList>

namespace tavrok {

class Launcher;
class WindowList;
struct TNastaveni;

// The check for a new version. The program never contacts a server itself: when a check is due it
// starts the external updater with the user's update choices, and the updater confirms a finished check
// with the message "VerzeZkontrolovana".
namespace aktualizace {

inline constexpr double intervalKontroly = 30.0;     // days between two checks
inline constexpr double odkladKontroly = 1.0 / 144; // ten minutes: the retry while no check is confirmed

inline const QString titulekAktualizatoru = QStringLiteral("Aktualizace programu Tavrok");
inline const QString zpravaPotvrzeni = QStringLiteral("VerzeZkontrolovana");

// Due when the last check lies more than the interval back.
bool kontrolaNaRade(TDateTime now, TDateTime lastVersionCheck);

// The folder both external programs lie in, and the programs themselves.
QString slozkaAktualizaci(const QString& programFolder);
QString programAktualizace(const QString& programFolder); // TavrokAktualizace
QString programStahovace(const QString& programFolder);   // TavrokStahovac

// The updater's arguments in their order: download kind, notify, when to update, offer another user's
// log-on, language file, program version, settings file.
QStringList prikazovaRadka(const TNastaveni& settings, const QString& settingsPath);

enum class Spusteni {
    Spusten,       // the updater was started
    UzBezi,        // its window is open already
    Chybi,         // no updater is installed
    NelzeSpustit,  // it is there but would not start
    Vypnuto,       // automatic checks are switched off
};

// Starts the updater unless it runs already. `lastVersionCheck` moves so that the next automatic
// attempt comes ten minutes later, unless the updater confirms a finished check before.
Spusteni spustKontroluNoveVerze(TDateTime now, TDateTime& lastVersionCheck, const TNastaveni& settings,
                                const QString& programFolder, const QString& settingsPath, WindowList& windows,
                                Launcher& launcher);

// The automatic check: with checking switched off the next attempt is an interval away and nothing
// starts; otherwise as above.
Spusteni zkontrolujNoveVerze(TDateTime now, TDateTime& lastVersionCheck, const TNastaveni& settings,
                             const QString& programFolder, const QString& settingsPath, WindowList& windows,
                             Launcher& launcher);

} // namespace aktualizace

} // namespace tavrok
