// The controls of the display settings dialog and where they stand.
#include "display/tfrmnastavenidispleje.h"

#include "widgets/namedwidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

namespace tavrok {

namespace {

// Radio buttons that share a parent but not a choice get a group of their own.
void group(QObject* owner, std::initializer_list<QRadioButton*> buttons) {
    auto* g = new QButtonGroup(owner);
    for (QRadioButton* b : buttons) {
        g->addButton(b);
    }
}

// Nine small radio buttons in a square: left/centre/right by top/centre/bottom.
std::array<QRadioButton*, 9> alignmentSquare(QWidget* parent, const char* prefix, int x, int y) {
    static const char* suffixes[9] = {"LT", "CT", "RT", "LC", "CC", "RC", "LB", "CB", "RB"};
    std::array<QRadioButton*, 9> square{};
    auto* g = new QButtonGroup(parent);
    for (int i = 0; i < 9; ++i) {
        const QByteArray name = QByteArray(prefix) + suffixes[i];
        square[static_cast<size_t>(i)] =
            makeNamed<QRadioButton>(parent, name.constData(), x + (i % 3) * 18, y + (i / 3) * 18, 16, 16);
        g->addButton(square[static_cast<size_t>(i)]);
    }
    return square;
}

QPushButton* colourPanel(QWidget* parent, const char* name, int x, int y) {
    auto* b = makeNamed<QPushButton>(parent, name, x, y, 56, 21);
    b->setAutoDefault(false);
    return b;
}

QPushButton* pipeta(QWidget* parent, const char* name, int x, int y) {
    auto* b = makeNamed<QPushButton>(parent, name, QStringLiteral("P"), x, y, 24, 21);
    b->setCheckable(true);
    b->setAutoDefault(false);
    return b;
}

} // namespace

void TfrmNastaveniDispleje::buildControls() {
    gpbZobrazitZ = makeNamed<QGroupBox>(this, "gpbZobrazitZ", u"Zobrazit čas z", 8, 8, 304, 70);
    rbtZeTavrek = makeNamed<QRadioButton>(gpbZobrazitZ, "rbtZeTavrek", u"&Tavrek", 10, 20, 130, 19);
    rbtZOdpocitavani = makeNamed<QRadioButton>(gpbZobrazitZ, "rbtZOdpocitavani", u"Odpočítávání", 150, 20, 140, 19);
    rbtZHodin = makeNamed<QRadioButton>(gpbZobrazitZ, "rbtZHodin", u"&Hodin", 10, 44, 130, 19);
    rbtZOkna = makeNamed<QRadioButton>(gpbZobrazitZ, "rbtZOkna", u"Hlavního okna", 150, 44, 140, 19);
    rbtZeTavrek->setChecked(true);

    gbtZobrazit = makeNamed<QGroupBox>(this, "gbtZobrazit", u"Zobrazit", 8, 82, 304, 96);
    lblZobrazit = makeNamed<QLabel>(gbtZobrazit, "lblZobrazit", u"Označte, co má displej ukazovat:", 10, 18, 284, 16);
    edtZobrazit = makeNamed<QLineEdit>(gbtZobrazit, "edtZobrazit", QString(), 10, 36, 150, 24);
    edtZobrazit->setFocusPolicy(Qt::ClickFocus); // tabbing in would select it all
    edtZobrazit->setText(QStringLiteral("0;00:00:00,000"));
    edtZobrazit->setReadOnly(true);
    QFont big = edtZobrazit->font();
    big.setPixelSize(14);
    edtZobrazit->setFont(big);
    lblZobrazitOd = makeNamed<QLabel>(gbtZobrazit, "lblZobrazitOd", QString(), 166, 34, 134, 15);
    lblZobrazitDo = makeNamed<QLabel>(gbtZobrazit, "lblZobrazitDo", QString(), 166, 50, 134, 15);
    chbZaokrouhlovatNahoru = makeNamed<QCheckBox>(gbtZobrazit, "chbZaokrouhlovatNahoru",
                                                  u"Zaokrouhlovat odpočít. nahoru", 10, 68, 284, 19);

    gpbOkno = makeNamed<QGroupBox>(this, "gpbOkno", u"Okno", 8, 182, 304, 262);
    rbtStandardni = makeNamed<QRadioButton>(gpbOkno, "rbtStandardni", u"Standardn&í okraj", 10, 20, 140, 19);
    rbtZjednoduseny = makeNamed<QRadioButton>(gpbOkno, "rbtZjednoduseny", u"&Zjednodušený okraj", 150, 20, 150, 19);
    chbUzamknout = makeNamed<QCheckBox>(gpbOkno, "chbUzamknout", u"&Uzamknout", 10, 42, 130, 19);
    chbVzdyNahore = makeNamed<QCheckBox>(gpbOkno, "chbVzdyNahore", u"V&ždy nahoře", 150, 42, 140, 19);
    chbSkrytKurzor = makeNamed<QCheckBox>(gpbOkno, "chbSkrytKurzor", u"Skrývat kurzor m&yši", 10, 64, 284, 19);
    lblOvladani = makeNamed<QLabel>(gpbOkno, "lblOvladani", u"Skrýt ovládání po:", 10, 90, 116, 16);
    speSkrytOvladani = makeNamed<QSpinBox>(gpbOkno, "speSkrytOvladani", QString(), 130, 87, 90, 21);
    speSkrytOvladani->setRange(1, 3'600'000);
    speSkrytOvladani->setSingleStep(100);
    lblOvladaniMs = makeNamed<QLabel>(gpbOkno, "lblOvladaniMs", u"ms", 226, 90, 30, 16);
    lblBarvaPozadi = makeNamed<QLabel>(gpbOkno, "lblBarvaPozadi", u"Barva pozadí:", 10, 118, 116, 16);
    pnlBarvaPozadi = colourPanel(gpbOkno, "pnlBarvaPozadi", 130, 115);
    btnBarvaPozadiPipeta = pipeta(gpbOkno, "btnBarvaPozadiPipeta", 190, 115);
    lblPipeta = makeNamed<QLabel>(gpbOkno, "lblPipeta", u"+Pause", 218, 118, 60, 16);
    chbPruhlednaBarva = makeNamed<QCheckBox>(gpbOkno, "chbPruhlednaBarva", u"Zvolit pr&ůhlednou barvu", 10, 142, 284, 19);
    pnlPruhlednaBarva = colourPanel(gpbOkno, "pnlPruhlednaBarva", 26, 164);
    btnPruhlednaBarvaPipeta = pipeta(gpbOkno, "btnPruhlednaBarvaPipeta", 86, 164);
    btnPruhlednePozadi = makeNamed<QPushButton>(gpbOkno, "btnPruhlednePozadi", u"<< St&ejná jako pozadí", 116, 164, 178, 21);
    chbPolopruhlednost = makeNamed<QCheckBox>(gpbOkno, "chbPolopruhlednost", u"N&astavit celkovou průhlednost", 10, 190, 284, 19);
    lblPruhledne = makeNamed<QLabel>(gpbOkno, "lblPruhledne", u"Průhledné", 10, 214, 64, 16);
    tbrPolopruhlednost = makeNamed<QSlider>(gpbOkno, "tbrPolopruhlednost", QString(), 76, 212, 140, 20);
    tbrPolopruhlednost->setOrientation(Qt::Horizontal);
    tbrPolopruhlednost->setRange(0, 255);
    lblNepruhledne = makeNamed<QLabel>(gpbOkno, "lblNepruhledne", u"Neprůhledné", 220, 214, 80, 16);
    spePolopruhlednost = makeNamed<QSpinBox>(gpbOkno, "spePolopruhlednost", QString(), 224, 234, 70, 21);
    spePolopruhlednost->setRange(0, 255);
    chbMagnetovat = makeNamed<QCheckBox>(gpbOkno, "chbMagnetovat", u"Přitahovat k okrajům", 10, 236, 200, 19);

    gpbObrazek = makeNamed<QGroupBox>(this, "gpbObrazek", u"Obrázek", 320, 8, 316, 170);
    chbObrazek = makeNamed<QCheckBox>(gpbObrazek, "chbObrazek", u"Zobraz&it obrázek na pozadí", 10, 18, 296, 19);
    edtObrazek = makeNamed<QLineEdit>(gpbObrazek, "edtObrazek", QString(), 10, 40, 210, 21);
    btnObrProchazet = makeNamed<QPushButton>(gpbObrazek, "btnObrProchazet", u"Procházet...", 224, 39, 82, 23);
    rbtObrZachVelikost = makeNamed<QRadioButton>(gpbObrazek, "rbtObrZachVelikost", u"Za&chovat velikost", 10, 68, 140, 19);
    rbtObrZachProporce = makeNamed<QRadioButton>(gpbObrazek, "rbtObrZachProporce", u"Zachovat proporce", 160, 68, 146, 19);
    rbtObrOriznout = makeNamed<QRadioButton>(gpbObrazek, "rbtObrOriznout", u"Oříznout", 10, 88, 140, 19);
    rbtObrRoztahnout = makeNamed<QRadioButton>(gpbObrazek, "rbtObrRoztahnout", u"Roztáhnout", 160, 88, 146, 19);
    group(this, {rbtObrZachVelikost, rbtObrZachProporce, rbtObrOriznout, rbtObrRoztahnout});
    lblZarovnaniObr = makeNamed<QLabel>(gpbObrazek, "lblZarovnaniObr", u"Zarovnání:", 10, 116, 90, 16);
    rbtZarovnaniObr = alignmentSquare(gpbObrazek, "rbtZarovnaniObr", 100, 112);

    gpbText = makeNamed<QGroupBox>(this, "gpbText", u"Text", 320, 182, 316, 262);
    btnFont = makeNamed<QPushButton>(gpbText, "btnFont", u"Pís&mo...", 10, 18, 84, 23);
    lblBarvaTextu = makeNamed<QLabel>(gpbText, "lblBarvaTextu", u"Barva textu:", 104, 22, 76, 16);
    pnlBarvaTextu = colourPanel(gpbText, "pnlBarvaTextu", 184, 19);
    btnBarvaTextuPipeta = pipeta(gpbText, "btnBarvaTextuPipeta", 244, 19);
    lblParent = makeNamed<QLabel>(gpbText, "lblParent", u"Mateřský objekt:", 10, 50, 110, 16);
    rbtParentOkno = makeNamed<QRadioButton>(gpbText, "rbtParentOkno", u"O&kno", 124, 48, 70, 19);
    rbtParentObr = makeNamed<QRadioButton>(gpbText, "rbtParentObr", u"O&brázek", 200, 48, 100, 19);
    group(this, {rbtParentOkno, rbtParentObr});
    lblZarovnaniTextu = makeNamed<QLabel>(gpbText, "lblZarovnaniTextu", u"Zarovnání:", 10, 76, 110, 16);
    rbtZarovnaniText = alignmentSquare(gpbText, "rbtZarovnaniText", 124, 72);
    rbtRelativni = makeNamed<QRadioButton>(gpbText, "rbtRelativni", u"&Relativní", 10, 130, 100, 19);
    rbtAbsolutni = makeNamed<QRadioButton>(gpbText, "rbtAbsolutni", u"Abso&lutní", 124, 130, 100, 19);
    group(this, {rbtRelativni, rbtAbsolutni});
    lblOdsazeni = makeNamed<QLabel>(gpbText, "lblOdsazeni", u"Odsazení a velikost:", 10, 152, 200, 16);
    const auto numberRow = [this](const char* label, const char16_t* caption, const char* edit, const char* unit,
                                  int y, QLabel*& l, QLineEdit*& e, QLabel*& u) {
        l = makeNamed<QLabel>(gpbText, label, caption, 10, y + 2, 70, 16);
        e = makeNamed<QLineEdit>(gpbText, edit, QString(), 84, y, 70, 21);
        u = makeNamed<QLabel>(gpbText, unit, QString(), 160, y + 2, 80, 16);
    };
    numberRow("lblZleva", u"Zleva:", "edtZleva", "lblZlevaJednotka", 170, lblZleva, edtZleva, lblZlevaJednotka);
    numberRow("lblShora", u"Shora:", "edtShora", "lblShoraJednotka", 194, lblShora, edtShora, lblShoraJednotka);
    numberRow("lblVelikost", u"Velikost:", "edtVelikost", "lblVelikostJednotka", 218, lblVelikost, edtVelikost,
              lblVelikostJednotka);
    lblNepresahovat = makeNamed<QLabel>(this, "lblNepresahovat", u"Nepřesahovat:", 8, 452, 90, 16);
    rbtPresahovat = makeNamed<QRadioButton>(this, "rbtPresahovat", u"Přesahovat okraje", 100, 450, 140, 19);
    rbtNepresahovatOkno = makeNamed<QRadioButton>(this, "rbtNepresahovatOkno", u"Okna", 244, 450, 80, 19);
    rbtNepresahovatParent = makeNamed<QRadioButton>(this, "rbtNepresahovatParent", u"Mateřského ob&jektu", 330, 450, 160, 19);
    group(this, {rbtPresahovat, rbtNepresahovatOkno, rbtNepresahovatParent});
    group(this, {rbtZeTavrek, rbtZOdpocitavani, rbtZHodin, rbtZOkna});
    group(this, {rbtStandardni, rbtZjednoduseny});

    chbNahled = makeNamed<QCheckBox>(this, "chbNahled", u"Náhle&d", 8, 478, 80, 19);
    chbZvyraznit = makeNamed<QCheckBox>(this, "chbZvyraznit", u"Zvýraz&nit", 90, 478, 90, 19);
    pnlBarvaZvyrazneni = colourPanel(this, "pnlBarvaZvyrazneni", 182, 477);
    lblPosouvani = makeNamed<QLabel>(gpbText, "lblPosouvani", u"V náhledu lze text posouvat myší.", 10, 242, 296, 16);
    btnVychozi = makeNamed<QPushButton>(this, "btnVychozi", u"&Výchozí", 320, 476, 74, 25);
    btnOK = makeNamed<QPushButton>(this, "btnOK", QStringLiteral("&OK"), 400, 476, 74, 25);
    btnStorno = makeNamed<QPushButton>(this, "btnStorno", QStringLiteral("&Storno"), 480, 476, 74, 25);
    btnPouzit = makeNamed<QPushButton>(this, "btnPouzit", u"&Použít", 560, 476, 76, 25);
    btnOK->setDefault(true);
    // The client area ends 8 pixels right of and below btnPouzit.
    setFixedSize(btnPouzit->geometry().right() + 1 + 8, btnPouzit->geometry().bottom() + 1 + 8);
}

} // namespace tavrok
