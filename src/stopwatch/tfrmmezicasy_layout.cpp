// The split-times manager's controls and their keys.
#include "stopwatch/tfrmmezicasy.h"

#include "widgets/namedwidget.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tavrok {

void TfrmMezicasy::buildControls() {
    const auto button = [](QWidget* parent, const char* name, const char16_t* caption, int x, int y, int w = 84) {
        auto* b = makeNamed<QPushButton>(parent, name, caption, x, y, w, 23);
        b->setAutoDefault(false);
        return b;
    };
    gpbExport1 = makeNamed<QGroupBox>(this, "gpbExport1", u"Export z programu", 8, 8, 384, 54);
    lblNazev2 = makeNamed<QLabel>(gpbExport1, "lblNazev2", u"Název:", 8, 25, 50, 16);
    edtNazev = makeNamed<QLineEdit>(gpbExport1, "edtNazev", 60, 22, 220, 22);
    btnUlozit = button(gpbExport1, "btnUlozit", u"&Uložit", 292, 21);

    gpbImport = makeNamed<QGroupBox>(this, "gpbImport", u"Import do programu a editace souboru", 8, 68, 384, 82);
    cbxNazev = makeNamed<QComboBox>(gpbImport, "cbxNazev", 8, 22, 272, 22);
    btnNacist = button(gpbImport, "btnNacist", u"&Načíst", 292, 21);
    btnVymazat = button(gpbImport, "btnVymazat", u"&Vymazat", 200, 51);
    btnVymazatVse = button(gpbImport, "btnVymazatVse", u"Vy&mazat vše", 292, 51);

    gpbOtevrit = makeNamed<QGroupBox>(this, "gpbOtevrit", u"Otevřít (vytvořit) externí soubor", 8, 156, 384, 128);
    lblCesta = makeNamed<QLabel>(gpbOtevrit, "lblCesta", u"Cesta:", 8, 25, 50, 16);
    edtCesta = makeNamed<QLineEdit>(gpbOtevrit, "edtCesta", 60, 22, 220, 22);
    btnProchazet = button(gpbOtevrit, "btnProchazet", u"&Procházet...", 292, 21);
    btnOtevritVychozi = button(gpbOtevrit, "btnOtevritVychozi", u"Otevřít vý&chozí", 176, 51, 108);
    btnOtevrit = button(gpbOtevrit, "btnOtevrit", u"&Otevřít", 292, 51);
    lblSoubor = makeNamed<QLabel>(gpbOtevrit, "lblSoubor", 8, 80, 368, 42);
    lblSoubor->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    gpbExport2 = makeNamed<QGroupBox>(this, "gpbExport2", u"Export ve formátu CSV", 8, 290, 384, 54);
    rbtOddelit = makeNamed<QRadioButton>(gpbExport2, "rbtOddelit", u"O&ddělit složky času", 8, 24, 140, 19);
    rbtSloucit = makeNamed<QRadioButton>(gpbExport2, "rbtSloucit", u"S&loučit složky času", 150, 24, 136, 19);
    btnExportovat = button(gpbExport2, "btnExportovat", u"&Exportovat...", 292, 21);

    btnSchranka = button(this, "btnSchranka", u"Zkopírovat do &schránky", 8, 352, 160);
    btnTisk = button(this, "btnTisk", u"&Tisk...", 216, 352);
    btnZavrit = button(this, "btnZavrit", u"&Zavřít", 308, 352);
    // The client area ends 8 pixels right of and below btnZavrit.
    setFixedSize(btnZavrit->geometry().right() + 1 + 8, btnZavrit->geometry().bottom() + 1 + 8);

    connect(btnUlozit, &QPushButton::clicked, this, &TfrmMezicasy::btnUlozitClick);
    connect(btnNacist, &QPushButton::clicked, this, &TfrmMezicasy::btnNacistClick);
    connect(btnVymazat, &QPushButton::clicked, this, &TfrmMezicasy::btnVymazatClick);
    connect(btnVymazatVse, &QPushButton::clicked, this, &TfrmMezicasy::btnVymazatVseClick);
    connect(btnOtevrit, &QPushButton::clicked, this, &TfrmMezicasy::btnOtevritClick);
    connect(btnOtevritVychozi, &QPushButton::clicked, this, &TfrmMezicasy::btnOtevritVychoziClick);
    connect(btnProchazet, &QPushButton::clicked, this, &TfrmMezicasy::btnProchazetClick);
    connect(btnExportovat, &QPushButton::clicked, this, &TfrmMezicasy::btnExportovatClick);
    connect(btnSchranka, &QPushButton::clicked, this, &TfrmMezicasy::btnSchrankaClick);
    connect(btnTisk, &QPushButton::clicked, this, &TfrmMezicasy::btnTiskClick);
    connect(btnZavrit, &QPushButton::clicked, this, &QDialog::close);
}

// Enter in a field presses its button; Escape closes like any dialog.
void TfrmMezicasy::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QWidget* focus = focusWidget();
        QPushButton* target = focus == edtNazev ? btnUlozit : focus == cbxNazev ? btnNacist : focus == edtCesta ? btnOtevrit : nullptr;
        if (target) {
            target->setFocus();
            target->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

} // namespace tavrok
