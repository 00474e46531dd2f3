#include "storage/importtables.h"

namespace tavrok {

namespace {

using T = PortType;
using P = PortPlace;

constexpr char16_t Zero[] = u"0";
constexpr char16_t One[] = u"1";
constexpr char16_t Empty[] = u"";

constexpr PortKey AlarmKeys[] = {
    {nullptr, u"posledni", nullptr, nullptr, T::DateTime, u"31.12.1899 0:00:00"},
    {nullptr, u"cas", nullptr, nullptr, T::Time, u"0:00:00"},
    {nullptr, u"zprava", nullptr, nullptr, T::Text, Empty},
    {nullptr, u"vzdy", nullptr, nullptr, T::Bool, One},
    {nullptr, u"doNekonecna", nullptr, nullptr, T::Bool, Zero},
    {nullptr, u"stav", nullptr, nullptr, T::Bool, Zero},
    {nullptr, u"OD", nullptr, nullptr, T::Integer, One},
    {nullptr, u"OM", nullptr, nullptr, T::Integer, One},
    {nullptr, u"OR", nullptr, nullptr, T::Integer, One},
    {nullptr, u"DD", nullptr, nullptr, T::Integer, One},
    {nullptr, u"DM", nullptr, nullptr, T::Integer, One},
    {nullptr, u"DR", nullptr, nullptr, T::Integer, One},
    {nullptr, u"KD", nullptr, nullptr, T::Integer, Zero},
    {nullptr, u"KM", nullptr, nullptr, T::Integer, Zero},
    {nullptr, u"KR", nullptr, nullptr, T::Integer, Zero},
    {nullptr, u"Po", nullptr, nullptr, T::Bool, One},
    {nullptr, u"Ut", nullptr, nullptr, T::Bool, One},
    {nullptr, u"St", nullptr, nullptr, T::Bool, One},
    {nullptr, u"Ct", nullptr, nullptr, T::Bool, One},
    {nullptr, u"Pa", nullptr, nullptr, T::Bool, One},
    {nullptr, u"So", nullptr, nullptr, T::Bool, One},
    {nullptr, u"Ne", nullptr, nullptr, T::Bool, One},
    // Since version 2.5:
    {nullptr, u"upozornovat", nullptr, nullptr, T::Bool, One},
    {nullptr, u"vlastniZvuk", nullptr, nullptr, T::Bool, Zero},
    {nullptr, u"nahodnyZvuk", nullptr, nullptr, T::Bool, Zero},
    {nullptr, u"vlastniZvukCesta", nullptr, nullptr, T::Text, Empty},
    {nullptr, u"nahodnyZvukCesta", nullptr, nullptr, T::Text, Empty},
    {nullptr, u"opakovat", nullptr, nullptr, T::Bool, One},
    {nullptr, u"delka", nullptr, nullptr, T::Integer, Zero},
    {nullptr, u"ukoncitKliknutim", nullptr, nullptr, T::Bool, One},
};
static_assert(std::u16string_view(AlarmKeys[NewAlarmKeysFrom].key) == u"upozornovat");

constexpr char16_t SplitsPath[] = u"%TavrokPath%\\Data\\Nastaveni\\Mezicasy.ini";
constexpr char16_t Mezicasy[] = u"nastaveniMezicasu";
constexpr char16_t Nastaveni[] = u"nastaveni";
constexpr char16_t Stav[] = u"stavHlavnihoOkna";
constexpr char16_t Displej[] = u"stavDispleje";
constexpr char16_t Odpocit[] = u"dalsiNastaveniOdpocit";
constexpr char16_t Tavrok[] = u"dalsiNastaveniTavrok";
constexpr char16_t Samostatny[] = u"nastaveniSamostatnehoDispleje";

constexpr PortKey OldSettingsKeys[] = {
    {Mezicasy, u"cesta", u"nastaveni3", u"cesta", T::Text, SplitsPath},
    {Mezicasy, u"sloucit", u"nastaveni1", u"sloucit", T::Bool, One},
    {Nastaveni, u"spustitMinimalizovane", u"nastaveni2", u"minimized", T::Bool, Zero},
    {Nastaveni, u"zobrazovatBudiky", u"nastaveni2", u"budiky", T::Bool, One},
    {Nastaveni, u"zacitOdNuly", u"nastaveni2", u"odnuly", T::Bool, Zero},
    {Nastaveni, u"kontrolovatUlozeniBudiku", u"nastaveni2", u"ulbud", T::Bool, One},
    {Nastaveni, u"pozastavit", u"nastaveni2", u"pozastavit", T::Bool, Zero},
    {Nastaveni, u"nechat", u"nastaveni2", u"nechat", T::Bool, Zero},
    {Nastaveni, u"zeptat", u"nastaveni2", u"zeptat", T::Bool, Zero},
    {Nastaveni, u"poziceCentrovat", u"nastaveni2", u"P1", T::Bool, Zero},
    {Nastaveni, u"pozicePamatovat", u"nastaveni2", u"P2", T::Bool, One},
    {Nastaveni, u"poziceX", u"nastaveni2", u"x", T::Integer, Zero},
    {Nastaveni, u"poziceY", u"nastaveni2", u"y", T::Integer, Zero},
    {Nastaveni, u"velikostNejvetsi", u"nastaveni2", u"V1", T::Bool, One},
    {Nastaveni, u"velikostPamatovat", u"nastaveni2", u"V2", T::Bool, Zero},
    {Nastaveni, u"vyska", u"nastaveni2", u"h", T::Integer, u"270"},
    {Nastaveni, u"zkratkaMezicasu", u"nastaveni2", u"mezicas", T::Integer, u"8237"}, // Shift+Insert
    {Nastaveni, u"pouzitMezicas", u"nastaveni2", u"mezicasaktiv", T::Bool, Zero},
    {Stav, u"levo", u"pozice", u"left", T::Integer, Zero, P::MainLeft},
    {Stav, u"hor", u"pozice", u"top", T::Integer, Zero, P::MainTop},
    {Stav, u"vyska", u"pozice", u"height", T::Integer, Zero, P::MainHeight},
    {Stav, u"doIkony", u"nastaveni1", u"ikona", T::Bool, Zero},
    {Stav, u"zvuk", u"nastaveni1", u"zvuk", T::Bool, One},
    {Stav, u"vzdyNahore", u"nastaveni1", u"nahore", T::Bool, Zero},
    {Stav, u"funkce", u"nastaveni1", u"funkce", T::Integer, One},
    {Displej, u"stav", u"PoziceDispleje", u"state", T::Integer, u"3"},
    {Displej, u"levo", u"PoziceDispleje", u"left", T::Integer, Zero, P::DisplayLeft},
    {Displej, u"hor", u"PoziceDispleje", u"Top", T::Integer, Zero, P::DisplayTop},
    {Displej, u"sirka", u"PoziceDispleje", u"width", T::Integer, u"666"},
    {Displej, u"vyska", u"PoziceDispleje", u"height", T::Integer, u"180"},
    {Odpocit, u"upozornovatPredem", u"nastaveni5", u"predano", T::Bool, Zero},
    {Odpocit, u"pocetUpozorneni", u"nastaveni5", u"predpocet", T::Integer, Zero},
    {Odpocit, u"upozornovatNaKonci", u"nastaveni5", u"poano", T::Bool, One},
    {Odpocit, u"opakovat", u"nastaveni5", u"poporat", T::Bool, One},
    {Odpocit, u"spustitTavrok", u"nastaveni5", u"tavrokaktiv", T::Bool, Zero},
    {Odpocit, u"prepnoutDisplej", u"nastaveni5", u"prepnout", T::Bool, Zero},
    {Tavrok, u"zastavitDisplej", u"nastaveni6", u"zastavit", T::Bool, Zero},
    {Tavrok, u"doba", u"nastaveni6", u"doba", T::Integer, u"5000"},
    {Samostatny, u"nacitatZHodin", u"nastaveni4", u"ZH", T::Bool, Zero},
    {Samostatny, u"nacitatZOdpocitavani", u"nastaveni4", u"ZO", T::Bool, Zero},
    {Samostatny, u"nacitatZOkna", u"nastaveni4", u"ZP", T::Bool, Zero},
    {Samostatny, u"barvaTextu", u"nastaveni4", u"text", T::Colour, u"4278190088"},  // the window text
    {Samostatny, u"barvaPozadi", u"nastaveni4", u"pozadi", T::Colour, u"4278190095"}, // the button face
    {Samostatny, u"vzdyNahore", u"nastaveni4", u"nahore", T::Bool, Zero},
    {Samostatny, u"standardniOkraj", u"nastaveni4", u"standardni", T::Bool, One},
    {Samostatny, u"uzamknout", u"nastaveni4", u"uzamknout", T::Bool, Zero},
    {Samostatny, u"skrytKurzor", u"nastaveni4", u"kurzor", T::Bool, Zero},
};

#define SAME(section, key, type, def) {section, key, nullptr, nullptr, type, def}
#define PLACED(section, key, place) {section, key, nullptr, nullptr, T::Integer, Zero, place}

constexpr PortKey SettingsKeys[] = {
    SAME(Mezicasy, u"cesta", T::Text, SplitsPath),
    SAME(Mezicasy, u"sloucit", T::Bool, One),
    SAME(Nastaveni, u"spustitMinimalizovane", T::Bool, Zero),
    SAME(Nastaveni, u"zobrazovatBudiky", T::Bool, One),
    SAME(Nastaveni, u"zacitOdNuly", T::Bool, Zero),
    SAME(Nastaveni, u"kontrolovatUlozeniBudiku", T::Bool, One),
    SAME(Nastaveni, u"doIkonySD", T::Bool, Zero),
    SAME(Nastaveni, u"pamatovatOdpocit", T::Bool, Zero),
    SAME(Nastaveni, u"pozastavit", T::Bool, Zero),
    SAME(Nastaveni, u"nechat", T::Bool, Zero),
    SAME(Nastaveni, u"zeptat", T::Bool, Zero),
    SAME(Nastaveni, u"poziceCentrovat", T::Bool, Zero),
    SAME(Nastaveni, u"pozicePamatovat", T::Bool, One),
    SAME(Nastaveni, u"poziceX", T::Integer, Zero),
    SAME(Nastaveni, u"poziceY", T::Integer, Zero),
    SAME(Nastaveni, u"velikostNejvetsi", T::Bool, One),
    SAME(Nastaveni, u"velikostPamatovat", T::Bool, Zero),
    SAME(Nastaveni, u"vyska", T::Integer, u"270"),
    SAME(Nastaveni, u"zkratkaMezicasu", T::Integer, u"122"),
    SAME(Nastaveni, u"pouzitMezicas", T::Bool, Zero),
    SAME(Nastaveni, u"jazyk", T::Text, u"Cesky"),
    PLACED(Stav, u"levo", P::MainLeft),
    PLACED(Stav, u"hor", P::MainTop),
    PLACED(Stav, u"vyska", P::MainHeight),
    SAME(Stav, u"doIkony", T::Bool, Zero),
    SAME(Stav, u"zvuk", T::Bool, One),
    SAME(Stav, u"vzdyNahore", T::Bool, Zero),
    // The countdown's length is a fraction of a day: read as an integer it would come out as 0.
    SAME(Stav, u"odpocitCas", T::Float, Zero),
    SAME(Stav, u"odpocitOpakovat", T::Bool, Zero),
    SAME(Stav, u"odpocitZprava", T::Text, Empty),
    SAME(Stav, u"funkce", T::Integer, One),
    SAME(Displej, u"stav", T::Integer, u"3"),
    SAME(Displej, u"sirka", T::Integer, u"666"),
    SAME(Displej, u"vyska", T::Integer, u"180"),
    PLACED(Displej, u"levo", P::DisplayLeft),
    PLACED(Displej, u"hor", P::DisplayTop),
    SAME(Odpocit, u"upozornovatPredem", T::Bool, Zero),
    SAME(Odpocit, u"pocetUpozorneni", T::Integer, Zero),
    SAME(Odpocit, u"pridatCislo", T::Bool, Zero),
    SAME(Odpocit, u"upozornovatNaKonci", T::Bool, One),
    SAME(Odpocit, u"vlastniZvuk", T::Bool, Zero),
    SAME(Odpocit, u"vlastniZvukCesta", T::Text, Empty),
    SAME(Odpocit, u"nahodnyZvuk", T::Bool, Zero),
    SAME(Odpocit, u"nahodnyZvukCesta", T::Text, Empty),
    SAME(Odpocit, u"opakovat", T::Bool, One),
    SAME(Odpocit, u"delkaUpozorneni", T::Integer, Zero),
    SAME(Odpocit, u"ukoncitKliknutim", T::Bool, One),
    SAME(Odpocit, u"zvuky", T::Text, u"Standard"),
    SAME(Odpocit, u"spustitTavrok", T::Bool, Zero),
    SAME(Odpocit, u"prepnoutDisplej", T::Bool, Zero),
    SAME(Odpocit, u"procenta", T::Bool, One),
    SAME(Odpocit, u"graf", T::Bool, One),
    SAME(Tavrok, u"zastavitDisplej", T::Bool, Zero),
    SAME(Tavrok, u"doba", T::Integer, u"5000"),
    SAME(Samostatny, u"zobrazitDny", T::Bool, One),
    SAME(Samostatny, u"zobrazitOddelovacDnu", T::Bool, One),
    SAME(Samostatny, u"zobrazeniDisplejeOd", T::Integer, Zero),
    SAME(Samostatny, u"zobrazeniDisplejeDo", T::Integer, u"12"),
    SAME(Samostatny, u"nacitatZHodin", T::Bool, Zero),
    SAME(Samostatny, u"nacitatZOdpocitavani", T::Bool, Zero),
    SAME(Samostatny, u"nacitatZOkna", T::Bool, Zero),
    SAME(Samostatny, u"barvaTextu", T::Colour, Zero),
    SAME(Samostatny, u"barvaPozadi", T::Colour, u"16777215"),
    SAME(Samostatny, u"vzdyNahore", T::Bool, Zero),
    SAME(Samostatny, u"standardniOkraj", T::Bool, One),
    SAME(Samostatny, u"uzamknout", T::Bool, Zero),
    SAME(Samostatny, u"skrytKurzor", T::Bool, Zero),
    SAME(Samostatny, u"skrytOvladani", T::Integer, u"2000"),
    SAME(Samostatny, u"aktivniPruhlednaBarva", T::Bool, Zero),
    SAME(Samostatny, u"pruhlednaBarva", T::Colour, u"16777215"),
    SAME(Samostatny, u"aktivniPolopruhlednost", T::Bool, Zero),
    SAME(Samostatny, u"polopruhlednost", T::Integer, u"255"),
    SAME(Samostatny, u"zobrazitObrazek", T::Bool, Zero),
    SAME(Samostatny, u"obrazek", T::Text, u"%TavrokPath%\\Data\\Obrazky\\Standard.bmp"),
    SAME(Samostatny, u"zarovnaniObrLT", T::Bool, Zero),
    SAME(Samostatny, u"zarovnaniObrCT", T::Bool, Zero),
    SAME(Samostatny, u"zarovnaniObrRT", T::Bool, Zero),
    SAME(Samostatny, u"zarovnaniObrLC", T::Bool, Zero),
    SAME(Samostatny, u"zarovnaniObrCC", T::Bool, One),
    SAME(Samostatny, u"zarovnaniObrRC", T::Bool, Zero),
    SAME(Samostatny, u"zarovnaniObrLB", T::Bool, Zero),
    SAME(Samostatny, u"zarovnaniObrCB", T::Bool, Zero),
    SAME(Samostatny, u"obrZachVelikost", T::Bool, Zero),
    SAME(Samostatny, u"obrOriznout", T::Bool, Zero),
    SAME(Samostatny, u"obrRoztahnout", T::Bool, Zero),
    SAME(Samostatny, u"parentOkno", T::Bool, Zero),
    SAME(Samostatny, u"zarovnaniTextLT", T::Bool, Zero),
    SAME(Samostatny, u"zarovnaniTextCT", T::Bool, Zero),
    SAME(Samostatny, u"zarovnaniTextRT", T::Bool, Zero),
    SAME(Samostatny, u"zarovnaniTextLC", T::Bool, Zero),
    SAME(Samostatny, u"zarovnaniTextCC", T::Bool, One),
    SAME(Samostatny, u"zarovnaniTextRC", T::Bool, Zero),
    SAME(Samostatny, u"zarovnaniTextLB", T::Bool, Zero),
    SAME(Samostatny, u"zarovnaniTextCB", T::Bool, Zero),
    SAME(Samostatny, u"relativni", T::Bool, One),
    // Decimal numbers as the display dialog writes them ("33,3333333333333"): carried as they stand.
    SAME(Samostatny, u"zleva", T::Text, Zero),
    SAME(Samostatny, u"shora", T::Text, Zero),
    SAME(Samostatny, u"velikost", T::Text, u"100"),
    SAME(Samostatny, u"nepresahovatParent", T::Bool, Zero),
    SAME(Samostatny, u"nepresahovatOkno", T::Bool, One),
    SAME(Samostatny, u"nahled", T::Bool, One),
    SAME(Samostatny, u"zvyraznit", T::Bool, One),
    SAME(Samostatny, u"barvaZvyrazneni", T::Colour, u"255"),
    SAME(Samostatny, u"fontCharset", T::Integer, One),
    SAME(Samostatny, u"fontName", T::Text, u"Arial"),
    SAME(Samostatny, u"fontSize", T::Integer, u"12"),
    SAME(Samostatny, u"fontBold", T::Bool, Zero),
    SAME(Samostatny, u"fontItalic", T::Bool, Zero),
    SAME(Samostatny, u"fontUnderline", T::Bool, Zero),
    SAME(Samostatny, u"fontStrikeOut", T::Bool, Zero),
};

#undef SAME
#undef PLACED

} // namespace

std::span<const PortKey> alarmKeys() {
    return AlarmKeys;
}

std::span<const PortKey> oldSettingsKeys() {
    return OldSettingsKeys;
}

std::span<const PortKey> settingsKeys() {
    return SettingsKeys;
}

} // namespace tavrok
