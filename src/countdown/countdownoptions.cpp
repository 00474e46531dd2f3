#include "countdown/countdownoptions.h"

#include "storage/inifile.h"

namespace tavrok {

TDalsiOdpocit nactiDalsiOdp(const IniFile& settings) {
    const IniSnapshot s = settings.snapshot();
    constexpr char16_t Section[] = u"dalsiNastaveniOdpocit";
    TDalsiOdpocit o;
    o.upozornovatPredem = s.readBool(Section, u"upozornovatPredem", false);
    // The list's own keys bound its length: a hand-edited count cannot make millions of notices.
    const int count = std::clamp(s.readInteger(Section, u"pocetUpozorneni", 0), 0, 100'000);
    for (int i = 0; i < count; ++i) {
        o.predem << s.readInteger(u"dalsiNastaveniOdpocit-Upozorneni", QString::number(i), i + 1);
    }
    o.pridatCislo = s.readBool(Section, u"pridatCislo", false);
    o.zvuky = s.readString(Section, u"zvuky", QStringLiteral("Standard"));
    o.naKonci = nactiUpozorneni(s, Section, CountdownNotificationKeys);
    o.spustitTavrok = s.readBool(Section, u"spustitTavrok", false);
    o.prepnoutDisplej = s.readBool(Section, u"prepnoutDisplej", false);
    o.procenta = s.readBool(Section, u"procenta", true);
    o.graf = s.readBool(Section, u"graf", true);
    o.nechatOdpocit = s.readBool(u"nastaveni", u"nechatOdpocit", false);
    o.spustitTavrokZnovu = s.readBool(u"nastaveni", u"spustitTavrokZnovu", false);
    o.nespoustetTavrok = s.readBool(u"nastaveni", u"nespoustetTavrok", false);
    return o;
}

bool ulozDalsiOdp(IniFile& settings, const TDalsiOdpocit& o) {
    constexpr char16_t Section[] = u"dalsiNastaveniOdpocit";
    constexpr char16_t List[] = u"dalsiNastaveniOdpocit-Upozorneni";
    const NotificationOptions& n = o.naKonci;
    const NotificationKeys& k = CountdownNotificationKeys;
    if (!settings.writeBool(Section, u"upozornovatPredem", o.upozornovatPredem) ||
        !settings.writeInteger(Section, u"pocetUpozorneni", static_cast<int>(o.predem.size()))) {
        return false;
    }
    // The list is rewritten as one change: never half an old list and half a new one.
    IniBatch list(settings);
    list.eraseSection(List);
    for (qsizetype i = 0; i < o.predem.size(); ++i) {
        list.writeInteger(List, QString::number(i), o.predem[i]);
    }
    return list.commit() && settings.writeBool(Section, u"pridatCislo", o.pridatCislo) &&
           settings.writeBool(Section, k.upozornovat, n.upozornovat) &&
           settings.writeBool(Section, k.vlastniZvuk, n.vlastniZvuk) &&
           settings.writeString(Section, k.vlastniZvukCesta, n.vlastniZvukCesta) &&
           settings.writeBool(Section, k.nahodnyZvuk, n.nahodnyZvuk) &&
           settings.writeString(Section, k.nahodnyZvukCesta, n.nahodnyZvukCesta) &&
           settings.writeBool(Section, k.opakovat, n.opakovat) && settings.writeInteger(Section, k.delka, n.delka) &&
           settings.writeBool(Section, k.ukoncitKliknutim, n.ukoncitKliknutim) &&
           settings.writeString(Section, u"zvuky", o.zvuky) &&
           settings.writeBool(Section, u"spustitTavrok", o.spustitTavrok) &&
           settings.writeBool(Section, u"prepnoutDisplej", o.prepnoutDisplej) &&
           settings.writeBool(Section, u"procenta", o.procenta) && settings.writeBool(Section, u"graf", o.graf);
}

namespace predem {

bool pridat(QList<int>& list, int seconds) {
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i] == seconds) {
            return false;
        }
        if (list[i] > seconds) {
            list.insert(i, seconds);
            return true;
        }
    }
    list.append(seconds);
    return true;
}

} // namespace predem

} // namespace tavrok
