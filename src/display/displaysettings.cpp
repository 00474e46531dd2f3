#include "display/displaysettings.h"

#include "storage/inifile.h"
#include "storage/inivalues.h"

#include <cmath>
#include <tuple>

namespace tavrok {

namespace {

constexpr char16_t Section[] = u"nastaveniSamostatnehoDispleje";

// The eight named alignments; the ninth, right-bottom, has no key and holds when none is set.
constexpr const char16_t* AlignmentSuffixes[] = {u"LT", u"CT", u"RT", u"LC", u"CC", u"RC", u"LB", u"CB"};
constexpr Alignment AlignmentOf[] = {{HAlign::Left, VAlign::Top},     {HAlign::Centre, VAlign::Top},
                                     {HAlign::Right, VAlign::Top},    {HAlign::Left, VAlign::Centre},
                                     {HAlign::Centre, VAlign::Centre}, {HAlign::Right, VAlign::Centre},
                                     {HAlign::Left, VAlign::Bottom},  {HAlign::Centre, VAlign::Bottom}};

// A group of radio buttons read key by key, as the dialog loads them: a later button set unsets the
// earlier ones, so the last true key wins; none true leaves the implied one.
template <typename T>
T lastTrue(const IniSnapshot& s, std::initializer_list<std::tuple<QString, bool, T>> keys, T implied) {
    T chosen = implied;
    for (const auto& [key, def, value] : keys) {
        if (s.readBool(Section, key, def)) {
            chosen = value;
        }
    }
    return chosen;
}

Alignment readAlignment(const IniSnapshot& s, QStringView prefix) {
    Alignment chosen{HAlign::Right, VAlign::Bottom};
    for (size_t i = 0; i < std::size(AlignmentSuffixes); ++i) {
        if (s.readBool(Section, prefix.toString() + QString::fromUtf16(AlignmentSuffixes[i]), i == 4)) {
            chosen = AlignmentOf[i];
        }
    }
    return chosen;
}

void writeAlignment(IniBatch& b, QStringView prefix, Alignment a) {
    for (size_t i = 0; i < std::size(AlignmentSuffixes); ++i) {
        b.writeBool(Section, prefix.toString() + QString::fromUtf16(AlignmentSuffixes[i]), AlignmentOf[i] == a);
    }
}

quint32 readColour(const IniSnapshot& s, QStringView key, quint32 def) {
    return parseIniColour(s.readString(Section, key)).value_or(def);
}

void writeColour(IniBatch& b, QStringView key, quint32 colour) {
    b.writeString(Section, key, QString::number(colour));
}

} // namespace

double storedNumber(const QString& text) {
    QString t = text.trimmed();
    t.replace(u',', u'.');
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

TNastaveniDispleje nactiNastaveniDispleje(const IniFile& settings) {
    const IniSnapshot s = settings.snapshot();
    TNastaveniDispleje d;
    d.rozsah.dny = s.readBool(Section, u"zobrazitDny", true);
    d.rozsah.oddelovac = s.readBool(Section, u"zobrazitOddelovacDnu", true);
    d.rozsah.od = std::clamp(s.readInteger(Section, u"zobrazeniDisplejeOd", 0), 0, 12);
    d.rozsah.do_ = std::clamp(s.readInteger(Section, u"zobrazeniDisplejeDo", 12), 0, 12);
    d.zdroj = lastTrue<DisplaySource>(s,
                                      {{QStringLiteral("nacitatZHodin"), false, DisplaySource::Hodiny},
                                       {QStringLiteral("nacitatZOdpocitavani"), false, DisplaySource::Odpocitavani},
                                       {QStringLiteral("nacitatZOkna"), false, DisplaySource::Okno}},
                                      DisplaySource::Tavrok);
    d.barvaTextu = readColour(s, u"barvaTextu", 0);
    d.barvaPozadi = readColour(s, u"barvaPozadi", 0xFFFFFF);
    d.vzdyNahore = s.readBool(Section, u"vzdyNahore", false);
    d.standardniOkraj = s.readBool(Section, u"standardniOkraj", true);
    d.uzamknout = s.readBool(Section, u"uzamknout", false);
    d.skrytKurzor = s.readBool(Section, u"skrytKurzor", false);
    d.skrytOvladani = std::clamp(s.readInteger(Section, u"skrytOvladani", 2000), 1, 3'600'000);
    d.aktivniPruhlednaBarva = s.readBool(Section, u"aktivniPruhlednaBarva", false);
    d.pruhlednaBarva = readColour(s, u"pruhlednaBarva", d.barvaPozadi);
    d.aktivniPolopruhlednost = s.readBool(Section, u"aktivniPolopruhlednost", false);
    d.polopruhlednost = std::clamp(s.readInteger(Section, u"polopruhlednost", 255), 0, 255);
    d.obrazek = s.readString(Section, u"obrazek", d.obrazek);
    d.zobrazitObrazek = s.readBool(Section, u"zobrazitObrazek", false);
    d.zarovnaniObr = readAlignment(s, u"zarovnaniObr");
    d.obrVelikost = lastTrue<PictureSizing>(s,
                                            {{QStringLiteral("obrZachVelikost"), false, PictureSizing::ZachVelikost},
                                             {QStringLiteral("obrOriznout"), false, PictureSizing::Oriznout},
                                             {QStringLiteral("obrRoztahnout"), false, PictureSizing::Roztahnout}},
                                            PictureSizing::ZachProporce);
    d.parentOkno = s.readBool(Section, u"parentOkno", false);
    d.zarovnaniText = readAlignment(s, u"zarovnaniText");
    d.relativni = s.readBool(Section, u"relativni", true);
    d.zleva = s.readString(Section, u"zleva", d.zleva);
    d.shora = s.readString(Section, u"shora", d.shora);
    d.velikost = s.readString(Section, u"velikost", d.velikost);
    d.okraje = lastTrue<EdgeRule>(s,
                                  {{QStringLiteral("nepresahovatParent"), false, EdgeRule::NepresahovatParent},
                                   {QStringLiteral("nepresahovatOkno"), true, EdgeRule::NepresahovatOkno}},
                                  EdgeRule::Presahovat);
    d.nahled = s.readBool(Section, u"nahled", true);
    d.zvyraznit = s.readBool(Section, u"zvyraznit", true);
    d.barvaZvyrazneni = readColour(s, u"barvaZvyrazneni", 255);
    d.font.charset = s.readInteger(Section, u"fontCharset", 1);
    d.font.name = s.readString(Section, u"fontName", d.font.name);
    d.font.size = s.readInteger(Section, u"fontSize", 12);
    d.font.bold = s.readBool(Section, u"fontBold", false);
    d.font.italic = s.readBool(Section, u"fontItalic", false);
    d.font.underline = s.readBool(Section, u"fontUnderline", false);
    d.font.strikeOut = s.readBool(Section, u"fontStrikeOut", false);
    d.magnetovat = s.readBool(Section, u"magnetovat", true);
    d.zaokrouhlovatNahoru = s.readBool(Section, u"zaokrouhlovatNahoru", true);
    return d;
}

bool ulozNastaveniDispleje(IniFile& settings, const TNastaveniDispleje& d) {
    IniBatch b(settings);
    b.writeBool(Section, u"zobrazitDny", d.rozsah.dny);
    b.writeBool(Section, u"zobrazitOddelovacDnu", d.rozsah.oddelovac);
    b.writeInteger(Section, u"zobrazeniDisplejeOd", d.rozsah.od);
    b.writeInteger(Section, u"zobrazeniDisplejeDo", d.rozsah.do_);
    b.writeBool(Section, u"nacitatZHodin", d.zdroj == DisplaySource::Hodiny);
    b.writeBool(Section, u"nacitatZOdpocitavani", d.zdroj == DisplaySource::Odpocitavani);
    b.writeBool(Section, u"nacitatZOkna", d.zdroj == DisplaySource::Okno);
    writeColour(b, u"barvaTextu", d.barvaTextu);
    writeColour(b, u"barvaPozadi", d.barvaPozadi);
    b.writeBool(Section, u"vzdyNahore", d.vzdyNahore);
    b.writeBool(Section, u"standardniOkraj", d.standardniOkraj);
    b.writeBool(Section, u"uzamknout", d.uzamknout);
    b.writeBool(Section, u"skrytKurzor", d.skrytKurzor);
    b.writeInteger(Section, u"skrytOvladani", d.skrytOvladani);
    b.writeBool(Section, u"aktivniPruhlednaBarva", d.aktivniPruhlednaBarva);
    writeColour(b, u"pruhlednaBarva", d.pruhlednaBarva);
    b.writeBool(Section, u"aktivniPolopruhlednost", d.aktivniPolopruhlednost);
    b.writeInteger(Section, u"polopruhlednost", d.polopruhlednost);
    b.writeString(Section, u"obrazek", d.obrazek);
    b.writeBool(Section, u"zobrazitObrazek", d.zobrazitObrazek);
    writeAlignment(b, u"zarovnaniObr", d.zarovnaniObr);
    b.writeBool(Section, u"obrZachVelikost", d.obrVelikost == PictureSizing::ZachVelikost);
    b.writeBool(Section, u"obrOriznout", d.obrVelikost == PictureSizing::Oriznout);
    b.writeBool(Section, u"obrRoztahnout", d.obrVelikost == PictureSizing::Roztahnout);
    b.writeBool(Section, u"parentOkno", d.parentOkno);
    writeAlignment(b, u"zarovnaniText", d.zarovnaniText);
    b.writeBool(Section, u"relativni", d.relativni);
    b.writeString(Section, u"zleva", d.zleva);
    b.writeString(Section, u"shora", d.shora);
    b.writeString(Section, u"velikost", d.velikost);
    b.writeBool(Section, u"nepresahovatParent", d.okraje == EdgeRule::NepresahovatParent);
    b.writeBool(Section, u"nepresahovatOkno", d.okraje == EdgeRule::NepresahovatOkno);
    b.writeBool(Section, u"nahled", d.nahled);
    b.writeBool(Section, u"zvyraznit", d.zvyraznit);
    writeColour(b, u"barvaZvyrazneni", d.barvaZvyrazneni);
    b.writeInteger(Section, u"fontCharset", d.font.charset);
    b.writeString(Section, u"fontName", d.font.name);
    b.writeInteger(Section, u"fontSize", d.font.size);
    b.writeBool(Section, u"magnetovat", d.magnetovat);
    b.writeBool(Section, u"zaokrouhlovatNahoru", d.zaokrouhlovatNahoru);
    b.writeBool(Section, u"fontBold", d.font.bold);
    b.writeBool(Section, u"fontItalic", d.font.italic);
    b.writeBool(Section, u"fontUnderline", d.font.underline);
    b.writeBool(Section, u"fontStrikeOut", d.font.strikeOut);
    return b.commit();
}

DisplayWindowState nactiStavDispleje(const IniFile& settings, QSize screen) {
    const IniSnapshot s = settings.snapshot();
    constexpr char16_t Stav[] = u"stavDispleje";
    DisplayWindowState w;
    const int width = std::clamp(s.readInteger(Stav, u"sirka", 666), 14, 100'000);
    const int height = std::clamp(s.readInteger(Stav, u"vyska", 180), 7, 100'000);
    w.geometry = QRect(s.readInteger(Stav, u"levo", (screen.width() - width) / 2),
                       s.readInteger(Stav, u"hor", (screen.height() - height) / 2), width, height);
    w.stav = s.readInteger(Stav, u"stav", 3);
    return w;
}

} // namespace tavrok
