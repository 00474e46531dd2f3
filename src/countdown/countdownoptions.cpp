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

} // namespace tavrok
