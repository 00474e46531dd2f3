#include "app/windowstate.h"

#include "common/timeformat.h"
#include "storage/inifile.h"

#include <algorithm>

namespace tavrok {

namespace {
constexpr char16_t Stav[] = u"stavHlavnihoOkna";
constexpr char16_t Nastaveni[] = u"nastaveni";
} // namespace

MenuChecks nactiStavHlavnihoOkna(const IniFile& s) {
    return {s.readBool(Stav, u"doIkony", false), s.readBool(Stav, u"zvuk", true),
            s.readBool(Stav, u"vzdyNahore", false)};
}

std::optional<RememberedCountdown> nactiPamatovanyOdpocet(const IniFile& s) {
    if (!s.readBool(Nastaveni, u"pamatovatOdpocit", false)) {
        return std::nullopt;
    }
    const double odpocitCas = s.readFloat(Stav, u"odpocitCas", 0);
    return RememberedCountdown{isShowableLength(odpocitCas) ? odpocitCas : 0, s.readBool(Stav, u"odpocitOpakovat", false),
                               s.readString(Stav, u"odpocitZprava")};
}

int startHeight(const IniFile& s, int maxHeight) {
    if (s.readBool(Nastaveni, u"velikostNejvetsi", false)) {
        return maxHeight;
    }
    if (s.readBool(Nastaveni, u"velikostPamatovat", false)) {
        return s.readInteger(Stav, u"vyska", maxHeight);
    }
    return s.readInteger(Nastaveni, u"vyska", maxHeight);
}

QPoint startPosition(const IniFile& s, QSize screen, QSize window) {
    const QPoint centred((screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2);
    if (s.readBool(Nastaveni, u"poziceCentrovat", false)) {
        return centred;
    }
    if (s.readBool(Nastaveni, u"pozicePamatovat", true)) {
        return {s.readInteger(Stav, u"levo", centred.x()), s.readInteger(Stav, u"hor", centred.y())};
    }
    return {s.readInteger(Nastaveni, u"poziceX", centred.x()), s.readInteger(Nastaveni, u"poziceY", centred.y())};
}

int startFunction(const IniFile& s) {
    return s.readInteger(Stav, u"funkce", 1);
}

bool ulozStavPriUkonceni(IniFile& s, const ExitState& e) {
    IniBatch b(s);
    b.writeInteger(Stav, u"levo", e.position.x());
    b.writeInteger(Stav, u"hor", e.position.y());
    b.writeInteger(Stav, u"vyska", e.height);
    b.writeBool(Stav, u"doIkony", e.menu.doIkony);
    b.writeBool(Stav, u"zvuk", e.menu.zvuk);
    b.writeBool(Stav, u"vzdyNahore", e.menu.vzdyNahore);
    b.writeFloat(Stav, u"odpocitCas", e.countdown.odpocitCas);
    b.writeBool(Stav, u"odpocitOpakovat", e.countdown.odpocitOpakovat);
    b.writeString(Stav, u"odpocitZprava", e.countdown.odpocitZprava);
    b.writeBool(u"nastaveniMezicasu", u"sloucit", e.mezicasySloucit);
    if (e.display) {
        constexpr char16_t Displej[] = u"stavDispleje";
        b.writeInteger(Displej, u"stav", e.display->stav);
        if (e.display->stav == 3) {
            b.writeInteger(Displej, u"levo", e.display->geometry.x());
            b.writeInteger(Displej, u"hor", e.display->geometry.y());
            b.writeInteger(Displej, u"sirka", e.display->geometry.width());
            b.writeInteger(Displej, u"vyska", e.display->geometry.height());
        }
    }
    b.writeInteger(Stav, u"funkce", static_cast<int>(e.function));
    b.writeDateTime(u"stavProgramu", u"posledniKontrolaVerze", e.lastVersionCheck);
    return b.commit();
}

} // namespace tavrok
