#pragma once

#include <QRect>
#include <QString>

namespace tavrok {

class IniFile;

// Where the separate display takes its time from.
enum class DisplaySource { Tavrok, Hodiny, Odpocitavani, Okno };

enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Centre, Bottom };
struct Alignment {
    HAlign h = HAlign::Centre;
    VAlign v = VAlign::Centre;
    bool operator==(const Alignment&) const = default;
};

enum class PictureSizing { ZachVelikost, ZachProporce, Oriznout, Roztahnout };
// Whether the text may reach past the window or the picture it sits on.
enum class EdgeRule { Presahovat, NepresahovatOkno, NepresahovatParent };

// Which characters show: the day label, the day separator and the time positions od <= p < do_ of
// "00:00:00,000".
struct VisibleRange {
    bool dny = true;
    bool oddelovac = true;
    int od = 0;
    int do_ = 12;
    bool operator==(const VisibleRange&) const = default;
};

struct DisplayFont {
    int charset = 1;
    QString name = QStringLiteral("Arial");
    int size = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const DisplayFont&) const = default;
};

// The look of the separate display, as section "nastaveniSamostatnehoDispleje" keeps it. Colours are
// stored as the Windows version wrote them: red in the lowest byte, blue in the third.
struct TNastaveniDispleje {
    VisibleRange rozsah;
    DisplaySource zdroj = DisplaySource::Tavrok;
    quint32 barvaTextu = 0;
    quint32 barvaPozadi = 0xFFFFFF;
    bool vzdyNahore = false;
    bool standardniOkraj = true;
    bool uzamknout = false;
    bool skrytKurzor = false;
    int skrytOvladani = 2000;
    bool aktivniPruhlednaBarva = false;
    quint32 pruhlednaBarva = 0xFFFFFF;
    bool aktivniPolopruhlednost = false;
    int polopruhlednost = 255;
    QString obrazek = QStringLiteral("%TavrokPath%\\Data\\Obrazky\\Standard.bmp");
    bool zobrazitObrazek = false;
    Alignment zarovnaniObr;
    PictureSizing obrVelikost = PictureSizing::ZachProporce;
    bool parentOkno = false;
    Alignment zarovnaniText;
    bool relativni = true;
    QString zleva = QStringLiteral("0");
    QString shora = QStringLiteral("0");
    QString velikost = QStringLiteral("100");
    EdgeRule okraje = EdgeRule::NepresahovatOkno;
    bool nahled = true;
    bool zvyraznit = true;
    quint32 barvaZvyrazneni = 255;
    DisplayFont font;
    bool magnetovat = true;
    bool zaokrouhlovatNahoru = true;
    bool operator==(const TNastaveniDispleje&) const = default;
};

TNastaveniDispleje nactiNastaveniDispleje(const IniFile& settings);
// One replacement of the file: false when it could not be written, and then nothing of it is.
bool ulozNastaveniDispleje(IniFile& settings, const TNastaveniDispleje& s);

// A stored offset or size: a decimal number with a point or a comma; 0 when it is none.
double storedNumber(const QString& text);

// The display window's place and state, section "stavDispleje": 1 maximised, 2 minimised, 3 normal.
struct DisplayWindowState {
    int stav = 3;
    QRect geometry; // left, top, width, height
};
// `screen` centres a window that has no stored place.
DisplayWindowState nactiStavDispleje(const IniFile& settings, QSize screen);

} // namespace tavrok
