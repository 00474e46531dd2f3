#include "countdown/tfrmdalsiodpocit.h"

#include "lang/messagetable.h"
#include "platform/audiodevice.h"
#include "platform/clock.h"
#include "platform/filedialogs.h"
#include "platform/questions.h"
#include "sound/soundmanager.h"
#include "storage/inifile.h"
#include "storage/storagelocations.h"

#include "widgets/centre.h"
#include "widgets/namedwidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <limits>

namespace tavrok {

TfrmDalsiOdpocit::TfrmDalsiOdpocit(Services services, QWidget* parent) : QDialog(parent), s_(std::move(services)) {
    setObjectName(QStringLiteral("frmDalsiOdpocit"));
    setWindowTitle(QString::fromUtf16(u"Další nastavení odpočítávání"));

    gpbPredem = makeNamed<QGroupBox>(this, "gpbPredem", u"Předchozí upozornění", 8, 8, 200, 282);
    chbUpozornovatPredem = makeNamed<QCheckBox>(gpbPredem, "chbUpozornovatPredem", u"&Upozorňovat předem", 8, 20, 184, 17);
    spePredem = makeNamed<QSpinBox>(gpbPredem, "spePredem", {}, 8, 42, 120, 21);
    spePredem->setRange(1, std::numeric_limits<int>::max());
    lblS = makeNamed<QLabel>(gpbPredem, "lblS", QStringLiteral("s"), 134, 44, 20, 17);
    btnPredemPridat = makeNamed<QPushButton>(gpbPredem, "btnPredemPridat", u"Přida&t", 8, 68, 90, 23);
    btnPredemOdebrat = makeNamed<QPushButton>(gpbPredem, "btnPredemOdebrat", u"Ode&brat", 102, 68, 90, 23);
    lbxPredem = makeNamed<QListWidget>(gpbPredem, "lbxPredem", {}, 8, 96, 184, 84);
    btnPredemOdebratVse = makeNamed<QPushButton>(gpbPredem, "btnPredemOdebratVse", u"Odebrat &vše", 8, 184, 184, 23);
    chbPridatCislo = makeNamed<QCheckBox>(gpbPredem, "chbPridatCislo", u"Př&idat číslo k názvu souboru", 8, 212, 184, 17);
    lblZvuky = makeNamed<QLabel>(gpbPredem, "lblZvuky", u"Zvuky:", 8, 238, 44, 17);
    cbxZvuky = makeNamed<QComboBox>(gpbPredem, "cbxZvuky", {}, 56, 234, 136, 22);
    btnProKonec = makeNamed<QPushButton>(gpbPredem, "btnProKonec", u"Po&užít i pro konec >>", 8, 258, 184, 20);

    gpbNaKonci = makeNamed<QGroupBox>(this, "gpbNaKonci", u"Konečné upozornění", 216, 8, 282, 282);
    chbUpozornovatNaKonci = makeNamed<QCheckBox>(gpbNaKonci, "chbUpozornovatNaKonci", u"Upo&zorňovat na konci", 8, 20, 260, 17);
    rbtStandardniZvuk = makeNamed<QRadioButton>(gpbNaKonci, "rbtStandardniZvuk", u"Stan&dardní zvuk", 8, 42, 260, 17);
    rbtVlastniZvuk = makeNamed<QRadioButton>(gpbNaKonci, "rbtVlastniZvuk", u"V&lastní zvuk", 8, 64, 260, 17);
    edtVlastniZvuk = makeNamed<QLineEdit>(gpbNaKonci, "edtVlastniZvuk", {}, 24, 84, 164, 21);
    btnProchazetVlastni = makeNamed<QPushButton>(gpbNaKonci, "btnProchazetVlastni", u"P&rocházet...", 192, 84, 82, 21);
    rbtNahodnyZvuk = makeNamed<QRadioButton>(gpbNaKonci, "rbtNahodnyZvuk", u"Ná&hodný zvuk", 8, 110, 260, 17);
    edtNahodnyZvuk = makeNamed<QLineEdit>(gpbNaKonci, "edtNahodnyZvuk", {}, 24, 130, 164, 21);
    btnProchazetNahodny = makeNamed<QPushButton>(gpbNaKonci, "btnProchazetNahodny", u"Pro&cházet...", 192, 130, 82, 21);
    chbOpakovat = makeNamed<QCheckBox>(gpbNaKonci, "chbOpakovat", u"Opa&kovat", 8, 158, 260, 17);
    lblUpozornovat = makeNamed<QLabel>(gpbNaKonci, "lblUpozornovat", u"Délka:", 8, 184, 48, 17);
    speDelka = makeNamed<QSpinBox>(gpbNaKonci, "speDelka", {}, 60, 180, 96, 21);
    speDelka->setRange(0, std::numeric_limits<int>::max()); // milliseconds; no negative length
    lblMs = makeNamed<QLabel>(gpbNaKonci, "lblMs", QStringLiteral("ms"), 160, 184, 24, 17);
    lblDodatek = makeNamed<QLabel>(gpbNaKonci, "lblDodatek", u"(0 = neustále)", 186, 184, 90, 17);
    btnPlay = makeNamed<QPushButton>(gpbNaKonci, "btnPlay", QStringLiteral("\u25B6"), 8, 208, 40, 23);
    btnStop = makeNamed<QPushButton>(gpbNaKonci, "btnStop", QStringLiteral("\u25A0"), 52, 208, 40, 23);
    chbUkoncitKliknutim = makeNamed<QCheckBox>(gpbNaKonci, "chbUkoncitKliknutim", u"Uko&nčit kliknutím (na tlačítko OK)", 8, 240, 266, 17);

    gpbVIkone = makeNamed<QGroupBox>(this, "gpbVIkone", u"Zobrazovat v ikoně", 8, 296, 200, 48);
    chbProcenta = makeNamed<QCheckBox>(gpbVIkone, "chbProcenta", u"&Procenta", 8, 22, 90, 17);
    chbGraf = makeNamed<QCheckBox>(gpbVIkone, "chbGraf", u"&Graf", 104, 22, 90, 17);
    chbSpustitTavrok = makeNamed<QCheckBox>(this, "chbSpustitTavrok", u"Po ukonč&ení spustit tavrok", 224, 302, 270, 17);
    chbPrepnoutDisplej = makeNamed<QCheckBox>(this, "chbPrepnoutDisplej", u"Přepnout Samostatný disple&j", 240, 324, 254, 17);
    btnOK = makeNamed<QPushButton>(this, "btnOK", QStringLiteral("&OK"), 336, 352, 78, 25);
    btnStorno = makeNamed<QPushButton>(this, "btnStorno", QStringLiteral("&Storno"), 420, 352, 78, 25);
    btnOK->setDefault(true);
    // The client area ends 8 pixels right of and below btnStorno.
    setFixedSize(btnStorno->geometry().right() + 1 + 8, btnStorno->geometry().bottom() + 1 + 8);

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnStorno, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnPredemPridat, &QPushButton::clicked, this, &TfrmDalsiOdpocit::btnPredemPridatClick);
    connect(btnPredemOdebrat, &QPushButton::clicked, this, &TfrmDalsiOdpocit::btnPredemOdebratClick);
    connect(btnPredemOdebratVse, &QPushButton::clicked, this, &TfrmDalsiOdpocit::btnPredemOdebratVseClick);
    connect(btnProKonec, &QPushButton::clicked, this, &TfrmDalsiOdpocit::btnProKonecClick);
    connect(btnPlay, &QPushButton::clicked, this, &TfrmDalsiOdpocit::btnPlayClick);
    connect(btnStop, &QPushButton::clicked, this, &TfrmDalsiOdpocit::btnStopClick);
    connect(btnProchazetVlastni, &QPushButton::clicked, this, [this] {
        const QString chosen = s_.files.chooseFile(QFileInfo(s_.expand(edtVlastniZvuk->text())).absolutePath());
        if (!chosen.isEmpty()) {
            edtVlastniZvuk->setText(chosen);
        }
    });
    connect(btnProchazetNahodny, &QPushButton::clicked, this, [this] {
        const QString chosen = s_.files.chooseFolder(s_.expand(edtNahodnyZvuk->text()));
        if (!chosen.isEmpty()) {
            edtNahodnyZvuk->setText(chosen);
        }
    });
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             chbUpozornovatPredem, chbUpozornovatNaKonci, rbtStandardniZvuk, rbtVlastniZvuk, rbtNahodnyZvuk,
             chbSpustitTavrok}) {
        connect(b, &QAbstractButton::toggled, this, &TfrmDalsiOdpocit::enable);
    }
    connect(lbxPredem, &QListWidget::currentRowChanged, this, &TfrmDalsiOdpocit::enable);
}

void TfrmDalsiOdpocit::nactiDalsiOdp(const TDalsiOdpocit& o) {
    predem_ = o.predem;
    lbxPredem->clear();
    for (const int v : predem_) {
        lbxPredem->addItem(QString::number(v));
    }
    spePredem->setValue(predem_.isEmpty() ? 1 : predem_.back() + 1);
    chbUpozornovatPredem->setChecked(o.upozornovatPredem);
    chbPridatCislo->setChecked(o.pridatCislo);
    cbxZvuky->clear();
    cbxZvuky->addItems(QDir(s_.dataPath(QStringLiteral("Zvuky")))
                           .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name));
    cbxZvuky->setCurrentIndex(cbxZvuky->findText(o.zvuky, Qt::MatchFixedString));
    const NotificationOptions& n = o.naKonci;
    chbUpozornovatNaKonci->setChecked(n.upozornovat);
    rbtStandardniZvuk->setChecked(!n.vlastniZvuk && !n.nahodnyZvuk);
    rbtVlastniZvuk->setChecked(n.vlastniZvuk);
    rbtNahodnyZvuk->setChecked(n.nahodnyZvuk && !n.vlastniZvuk);
    edtVlastniZvuk->setText(n.vlastniZvukCesta);
    edtNahodnyZvuk->setText(n.nahodnyZvukCesta);
    chbOpakovat->setChecked(n.opakovat);
    speDelka->setValue(n.delka);
    chbUkoncitKliknutim->setChecked(n.ukoncitKliknutim);
    chbSpustitTavrok->setChecked(o.spustitTavrok);
    chbPrepnoutDisplej->setChecked(o.prepnoutDisplej);
    chbProcenta->setChecked(o.procenta);
    chbGraf->setChecked(o.graf);
    enable();
}

TDalsiOdpocit TfrmDalsiOdpocit::hodnoty() const {
    TDalsiOdpocit o;
    o.upozornovatPredem = chbUpozornovatPredem->isChecked();
    o.predem = predem_;
    o.pridatCislo = chbPridatCislo->isChecked();
    o.zvuky = cbxZvuky->currentText();
    o.naKonci.upozornovat = chbUpozornovatNaKonci->isChecked();
    o.naKonci.vlastniZvuk = rbtVlastniZvuk->isChecked();
    o.naKonci.vlastniZvukCesta = spravLomitka(edtVlastniZvuk->text());
    o.naKonci.nahodnyZvuk = rbtNahodnyZvuk->isChecked();
    o.naKonci.nahodnyZvukCesta = spravLomitka(edtNahodnyZvuk->text());
    o.naKonci.opakovat = chbOpakovat->isChecked();
    o.naKonci.delka = speDelka->value();
    o.naKonci.ukoncitKliknutim = chbUkoncitKliknutim->isChecked();
    o.spustitTavrok = chbSpustitTavrok->isChecked();
    o.prepnoutDisplej = chbPrepnoutDisplej->isChecked();
    o.procenta = chbProcenta->isChecked();
    o.graf = chbGraf->isChecked();
    return o;
}

void TfrmDalsiOdpocit::enable() {
    const bool predem = chbUpozornovatPredem->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{lbxPredem, spePredem, btnPredemPridat, chbPridatCislo, lblZvuky,
                                                      cbxZvuky, btnProKonec, lblS}) {
        w->setEnabled(predem);
    }
    btnPredemOdebrat->setEnabled(predem && lbxPredem->currentRow() >= 0);
    btnPredemOdebratVse->setEnabled(predem && lbxPredem->count() > 0);
    const bool naKonci = chbUpozornovatNaKonci->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{rbtStandardniZvuk, rbtVlastniZvuk, rbtNahodnyZvuk, chbOpakovat,
                                                      speDelka, lblUpozornovat, lblMs, lblDodatek,
                                                      chbUkoncitKliknutim}) {
        w->setEnabled(naKonci);
    }
    const bool vlastni = naKonci && rbtVlastniZvuk->isChecked();
    const bool nahodny = naKonci && rbtNahodnyZvuk->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{edtVlastniZvuk, btnProchazetVlastni, btnPlay, btnStop}) {
        w->setEnabled(vlastni);
    }
    edtNahodnyZvuk->setEnabled(nahodny);
    btnProchazetNahodny->setEnabled(nahodny);
    chbPrepnoutDisplej->setEnabled(chbSpustitTavrok->isChecked());
}

void TfrmDalsiOdpocit::btnPredemPridatClick() {
    if (!predem::pridat(predem_, spePredem->value())) {
        s_.questions.tell(s_.messages.text(16), MessageIcon::Error);
        return;
    }
    lbxPredem->clear();
    for (const int v : predem_) {
        lbxPredem->addItem(QString::number(v));
    }
    if (spePredem->value() < spePredem->maximum()) {
        spePredem->setValue(spePredem->value() + 1);
    }
    enable();
}

void TfrmDalsiOdpocit::btnPredemOdebratClick() {
    const int row = lbxPredem->currentRow();
    if (row < 0) {
        return;
    }
    predem_.removeAt(row);
    delete lbxPredem->takeItem(row);
    lbxPredem->setCurrentRow(std::min(row, lbxPredem->count() - 1));
    enable();
}

void TfrmDalsiOdpocit::btnPredemOdebratVseClick() {
    if (s_.questions.ask(s_.messages.text(17), MessageIcon::Warning, MessageButtons::YesNo) != Answer::Yes) {
        return;
    }
    predem_.clear();
    lbxPredem->clear();
    spePredem->setValue(1);
    enable();
}

void TfrmDalsiOdpocit::btnProKonecClick() {
    const QString path = s_.dataPath(QStringLiteral("Zvuky\\") + cbxZvuky->currentText() + QStringLiteral("\\Signald.wav"));
    if (!QFileInfo::exists(path) &&
        s_.questions.ask(s_.messages.text(58), MessageIcon::Warning, MessageButtons::YesNo) != Answer::Yes) {
        return;
    }
    chbUpozornovatNaKonci->setChecked(true);
    rbtVlastniZvuk->setChecked(true);
    edtVlastniZvuk->setText(path);
    enable();
}

void TfrmDalsiOdpocit::btnPlayClick() {
    btnStopClick();
    const QString file = s_.expand(edtVlastniZvuk->text());
    if (!s_.audio.play(file)) {
        return; // a preview has no fallback
    }
    QString none;
    nahledZvuku_ = s_.sounds.prehrajZvuk(file, none, s_.clock.now(), 0, false);
}

void TfrmDalsiOdpocit::btnStopClick() {
    if (nahledZvuku_ >= 0) {
        s_.sounds.ukoncitZvuk(nahledZvuku_);
        nahledZvuku_ = -1;
    }
}

void TfrmDalsiOdpocit::hideEvent(QHideEvent* event) {
    btnStopClick();
    QDialog::hideEvent(event);
}

bool TfrmDalsiOdpocit::otevriDalsiOdp(IniFile& settings) {
    nactiDalsiOdp(tavrok::nactiDalsiOdp(settings));
    centreOnScreen(this);
    if (exec() != QDialog::Accepted) {
        nactiDalsiOdp(tavrok::nactiDalsiOdp(settings)); // the dialog always mirrors the file
        return false;
    }
    TDalsiOdpocit o = hodnoty();
    const TDalsiOdpocit stored = tavrok::nactiDalsiOdp(settings);
    o.nechatOdpocit = stored.nechatOdpocit;
    o.spustitTavrokZnovu = stored.spustitTavrokZnovu;
    o.nespoustetTavrok = stored.nespoustetTavrok;
    if (!ulozDalsiOdp(settings, o)) {
        s_.questions.tell(fillPlaceholders(s_.messages.text(51), settings.path()), MessageIcon::Error);
        return false;
    }
    return true;
}

} // namespace tavrok
