#pragma once

#include "common/datetime.h"

#include <QString>
#include <optional>

namespace tavrok {

class IniFile;

// The general settings, section "nastaveni" of Nastaveni.ini, as the settings dialog edits them. Radio
// groups are kept as one boolean per stored member; the unstored member is on when none of them is.
// The two lengths in minutes, their defaults and bounds; a stored value outside them reads as the
// nearest bound.
inline constexpr int VychoziOdlozeni = 10, NejkratsiOdlozeni = 1, NejdelsiOdlozeni = 120;
inline constexpr int VychoziZpozdeni = 30, NejmensiZpozdeni = 1, NejvetsiZpozdeni = 1440;

struct TNastaveni {
    bool spustitMinimalizovane = false;
    bool zobrazovatBudiky = true;
    bool zacitOdNuly = false;
    bool kontrolovatUlozeniBudiku = true;
    bool pamatovatOdpocit = false;
    bool pamatovatTavrok = false;
    enum class Ukonceni { Zastavit, Pozastavit, Nechat, Zeptat } ukonceni = Ukonceni::Zastavit;
    enum class Pozice { Centrovat, Pamatovat, Vzdy } pozice = Pozice::Pamatovat;
    int poziceX = 0;
    int poziceY = 0;
    enum class Velikost { Nejvetsi, Pamatovat, Vzdy } velikost = Velikost::Nejvetsi;
    int vyska = 270;
    int zkratkaMezicasu = 122; // Windows shortcut code: virtual key, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt
    bool pouzitMezicas = false;
    enum class PoOdpocitavani { SpustitZnovu, Nespoustet, Zeptat } poOdpocitavani = PoOdpocitavani::Zeptat;
    bool kontrolovatAktulizace = true;
    enum class Stahovani { Rozdilova, Automaticka, Nestahovat } stahovani = Stahovani::Automaticka;
    bool upozornitNaAktualizaci = false;
    enum class Aktualizace { PriVypnuti, PriSpusteniProgramu, PriSpusteniWindows } aktualizace =
        Aktualizace::PriVypnuti;
    enum class BezPrava { SpustitJako, Priste } bezPrava = BezPrava::SpustitJako;
    bool magnetovat = true;
    bool nechatOdpocit = false;
    // Rings and countdown ends while the window is out of sight also go to the desktop's notifications.
    bool oznameniNaPlose = true;
    // A ringing alarm can be put off by `delkaOdlozeni` minutes (1 to 120).
    bool odkladani = false;
    int delkaOdlozeni = VychoziOdlozeni;
    // An alarm more than `zpozdeniMinut` minutes late (the computer slept) is listed as missed instead.
    bool nezvonitZpozdene = false;
    int zpozdeniMinut = VychoziZpozdeni;
    QString jazyk = QStringLiteral("Cesky");

    friend bool operator==(const TNastaveni&, const TNastaveni&) = default;
};


// How late an alarm may ring: none when late alarms ring however late (the default).
std::optional<TDateTime> nejvetsiZpozdeni(const IniFile& settings);

// Every key with the value shown when it is missing.
TNastaveni nactiNastaveni(const IniFile& settings);
// Every key in the order of the table, jazyk last; false at the first write that fails.
bool ulozNastaveni(IniFile& settings, const TNastaveni& values);
// The defaults button: what it sets, leaving the rest as it is.
void vychoziNastaveni(TNastaveni& values);

} // namespace tavrok
