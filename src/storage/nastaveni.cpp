#include "storage/nastaveni.h"

#include "storage/inifile.h"

#include <algorithm>

namespace tavrok {

namespace {
constexpr char16_t S[] = u"nastaveni";
} // namespace

TNastaveni nactiNastaveni(const IniFile& settings) {
    const IniSnapshot s = settings.snapshot();
    TNastaveni n;
    n.spustitMinimalizovane = s.readBool(S, u"spustitMinimalizovane", false);
    n.zobrazovatBudiky = s.readBool(S, u"zobrazovatBudiky", true);
    n.zacitOdNuly = s.readBool(S, u"zacitOdNuly", false);
    n.kontrolovatUlozeniBudiku = s.readBool(S, u"kontrolovatUlozeniBudiku", true);
    n.pamatovatOdpocit = s.readBool(S, u"pamatovatOdpocit", false);
    n.pamatovatTavrok = s.readBool(S, u"pamatovatTavrok", false);
    using U = TNastaveni::Ukonceni;
    n.ukonceni = s.readBool(S, u"pozastavit", false) ? U::Pozastavit
                 : s.readBool(S, u"nechat", false)   ? U::Nechat
                 : s.readBool(S, u"zeptat", false)   ? U::Zeptat
                                                     : U::Zastavit;
    using P = TNastaveni::Pozice;
    n.pozice = s.readBool(S, u"poziceCentrovat", false)   ? P::Centrovat
               : s.readBool(S, u"pozicePamatovat", true) ? P::Pamatovat
                                                         : P::Vzdy;
    n.poziceX = s.readInteger(S, u"poziceX", 0);
    n.poziceY = s.readInteger(S, u"poziceY", 0);
    using V = TNastaveni::Velikost;
    n.velikost = s.readBool(S, u"velikostNejvetsi", true)    ? V::Nejvetsi
                 : s.readBool(S, u"velikostPamatovat", false) ? V::Pamatovat
                                                              : V::Vzdy;
    n.vyska = s.readInteger(S, u"vyska", 270);
    n.zkratkaMezicasu = s.readInteger(S, u"zkratkaMezicasu", 122);
    n.pouzitMezicas = s.readBool(S, u"pouzitMezicas", false);
    using O = TNastaveni::PoOdpocitavani;
    n.poOdpocitavani = s.readBool(S, u"spustitTavrokZnovu", false) ? O::SpustitZnovu
                       : s.readBool(S, u"nespoustetTavrok", false) ? O::Nespoustet
                                                                   : O::Zeptat;
    n.kontrolovatAktulizace = s.readBool(S, u"kontrolovatAktulizace", true);
    using D = TNastaveni::Stahovani;
    n.stahovani = s.readBool(S, u"rozdilovaAktualizace", false)     ? D::Rozdilova
                  : s.readBool(S, u"automatickaAktualizace", true) ? D::Automaticka
                                                                   : D::Nestahovat;
    n.upozornitNaAktualizaci = s.readBool(S, u"upozornitNaAktualizaci", false);
    using A = TNastaveni::Aktualizace;
    n.aktualizace = s.readBool(S, u"aktualizovatPriVypnuti", true)            ? A::PriVypnuti
                    : s.readBool(S, u"aktualizovatPriSpusteniProgramu", false) ? A::PriSpusteniProgramu
                                                                               : A::PriSpusteniWindows;
    n.bezPrava = s.readBool(S, u"spustitJako", true) ? TNastaveni::BezPrava::SpustitJako
                                                     : TNastaveni::BezPrava::Priste;
    n.magnetovat = s.readBool(S, u"magnetovat", true);
    n.nechatOdpocit = s.readBool(S, u"nechatOdpocit", false);
    n.oznameniNaPlose = s.readBool(S, u"oznameniNaPlose", true);
    n.odkladani = s.readBool(S, u"odkladani", false);
    n.delkaOdlozeni = std::clamp(s.readInteger(S, u"delkaOdlozeni", VychoziOdlozeni), NejkratsiOdlozeni, NejdelsiOdlozeni);
    n.nezvonitZpozdene = s.readBool(S, u"nezvonitZpozdene", false);
    n.zpozdeniMinut = std::clamp(s.readInteger(S, u"zpozdeniMinut", VychoziZpozdeni), NejmensiZpozdeni, NejvetsiZpozdeni);
    n.jazyk = s.readString(S, u"jazyk", QStringLiteral("Cesky"));
    return n;
}

std::optional<TDateTime> nejvetsiZpozdeni(const IniFile& settings) {
    const IniSnapshot s = settings.snapshot();
    if (!s.readBool(S, u"nezvonitZpozdene", false)) {
        return std::nullopt;
    }
    return std::clamp(s.readInteger(S, u"zpozdeniMinut", VychoziZpozdeni), NejmensiZpozdeni, NejvetsiZpozdeni) / 1440.0;
}

bool ulozNastaveni(IniFile& f, const TNastaveni& n) {
    using U = TNastaveni::Ukonceni;
    using P = TNastaveni::Pozice;
    using V = TNastaveni::Velikost;
    using O = TNastaveni::PoOdpocitavani;
    using D = TNastaveni::Stahovani;
    using A = TNastaveni::Aktualizace;
    // One replacement of the file: a save cut short leaves every option old or every option new.
    IniBatch b(f);
    b.writeBool(S, u"spustitMinimalizovane", n.spustitMinimalizovane);
    b.writeBool(S, u"zobrazovatBudiky", n.zobrazovatBudiky);
    b.writeBool(S, u"zacitOdNuly", n.zacitOdNuly);
    b.writeBool(S, u"kontrolovatUlozeniBudiku", n.kontrolovatUlozeniBudiku);
    b.writeBool(S, u"pamatovatOdpocit", n.pamatovatOdpocit);
    b.writeBool(S, u"pamatovatTavrok", n.pamatovatTavrok);
    b.writeBool(S, u"pozastavit", n.ukonceni == U::Pozastavit);
    b.writeBool(S, u"nechat", n.ukonceni == U::Nechat);
    b.writeBool(S, u"zeptat", n.ukonceni == U::Zeptat);
    b.writeBool(S, u"poziceCentrovat", n.pozice == P::Centrovat);
    b.writeBool(S, u"pozicePamatovat", n.pozice == P::Pamatovat);
    b.writeInteger(S, u"poziceX", n.poziceX);
    b.writeInteger(S, u"poziceY", n.poziceY);
    b.writeBool(S, u"velikostNejvetsi", n.velikost == V::Nejvetsi);
    b.writeBool(S, u"velikostPamatovat", n.velikost == V::Pamatovat);
    b.writeInteger(S, u"vyska", n.vyska);
    b.writeInteger(S, u"zkratkaMezicasu", n.zkratkaMezicasu);
    b.writeBool(S, u"pouzitMezicas", n.pouzitMezicas);
    b.writeBool(S, u"spustitTavrokZnovu", n.poOdpocitavani == O::SpustitZnovu);
    b.writeBool(S, u"nespoustetTavrok", n.poOdpocitavani == O::Nespoustet);
    b.writeBool(S, u"kontrolovatAktulizace", n.kontrolovatAktulizace);
    b.writeBool(S, u"rozdilovaAktualizace", n.stahovani == D::Rozdilova);
    b.writeBool(S, u"automatickaAktualizace", n.stahovani == D::Automaticka);
    b.writeBool(S, u"upozornitNaAktualizaci", n.upozornitNaAktualizaci);
    b.writeBool(S, u"aktualizovatPriVypnuti", n.aktualizace == A::PriVypnuti);
    b.writeBool(S, u"aktualizovatPriSpusteniProgramu", n.aktualizace == A::PriSpusteniProgramu);
    b.writeBool(S, u"spustitJako", n.bezPrava == TNastaveni::BezPrava::SpustitJako);
    b.writeBool(S, u"magnetovat", n.magnetovat);
    b.writeBool(S, u"nechatOdpocit", n.nechatOdpocit);
    b.writeBool(S, u"oznameniNaPlose", n.oznameniNaPlose);
    b.writeBool(S, u"odkladani", n.odkladani);
    b.writeInteger(S, u"delkaOdlozeni", n.delkaOdlozeni);
    b.writeBool(S, u"nezvonitZpozdene", n.nezvonitZpozdene);
    b.writeInteger(S, u"zpozdeniMinut", n.zpozdeniMinut);
    b.writeString(S, u"jazyk", n.jazyk);
    return b.commit();
}

void vychoziNastaveni(TNastaveni& n) {
    n.spustitMinimalizovane = false;
    n.zobrazovatBudiky = true;
    n.zacitOdNuly = false;
    n.kontrolovatUlozeniBudiku = true;
    n.pamatovatOdpocit = true;
    n.pamatovatTavrok = false;
    n.ukonceni = TNastaveni::Ukonceni::Zastavit;
    n.pozice = TNastaveni::Pozice::Pamatovat;
    n.velikost = TNastaveni::Velikost::Nejvetsi;
    n.zkratkaMezicasu = 122;
    n.pouzitMezicas = false;
    n.kontrolovatAktulizace = true;
    n.stahovani = TNastaveni::Stahovani::Automaticka;
    n.upozornitNaAktualizaci = false;
    n.aktualizace = TNastaveni::Aktualizace::PriVypnuti;
    n.bezPrava = TNastaveni::BezPrava::SpustitJako;
    n.magnetovat = true;
    n.nechatOdpocit = false;
    n.oznameniNaPlose = true;
    n.odkladani = false;
    n.delkaOdlozeni = VychoziOdlozeni;
    n.nezvonitZpozdene = false;
    n.zpozdeniMinut = VychoziZpozdeni;
    n.jazyk = QStringLiteral("Cesky");
}

} // namespace tavrok
