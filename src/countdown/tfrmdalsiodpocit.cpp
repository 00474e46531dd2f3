#include "countdown/tfrmdalsiodpocit.h"

#include "lang/messagetable.h"
#include "platform/audiodevice.h"
#include "platform/clock.h"
#include "platform/filedialogs.h"
#include "platform/questions.h"
#include "sound/notificationgroup.h"
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
    chbUpozornovatPredem = makeNamed<QCheckBox>(gpbPredem, "chbUpozornovatPredem", u"Upozorňov&at předem", 8, 20, 184, 17);
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

    gpbNaKonci = new NotificationGroup(
        {s_.files, s_.sounds, s_.audio, s_.clock, s_.expand},
        {"gpbNaKonci", u"Konečné upozornění", "chbUpozornovatNaKonci", u"Upo&zorňovat na konci", u"Stan&dardní zvuk",
         u"V&lastní zvuk", u"P&rocházet...", u"Ná&hodný zvuk", u"Pro&cházet...", u"Opa&kovat",
         u"Uko&nčit kliknutím (na tlačítko OK)"},
        this);
    gpbNaKonci->setGeometry(216, 8, 282, 282);

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
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{chbUpozornovatPredem, chbSpustitTavrok}) {
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
    gpbNaKonci->zobraz(o.naKonci);
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
    o.naKonci = gpbNaKonci->hodnoty();
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
    gpbNaKonci->useOwnSound(path);
}

void TfrmDalsiOdpocit::hideEvent(QHideEvent* event) {
    gpbNaKonci->btnStopClick();
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
