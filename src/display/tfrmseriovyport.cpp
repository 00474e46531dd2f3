#include "display/tfrmseriovyport.h"

#include "lang/captions.h"
#include "lang/messagetable.h"
#include "platform/questions.h"
#include "storage/inifile.h"
#include "widgets/centre.h"
#include "widgets/namedwidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

namespace tavrok {

namespace {

const char* InputNames[4] = {"DSR", "CTS", "RI", "DCD"};
const char* OutputNames[3] = {"DTR", "RTS", "TxD"};
const char16_t* InputPins[4] = {u"6 (6) DSR", u"8 (5) CTS", u"9 (22) RI", u"1 (8) DCD"};
const char16_t* OutputPins[3] = {u"4 (20) DTR", u"7 (4) RTS", u"3 (2) TxD"};
QByteArray named(const char* prefix, const char* line) {
    return QByteArray(prefix) + line;
}

} // namespace

QString TfrmSeriovyPort::zadny() const {
    return language_.word(u"frmSeriovyPort", u"zadny");
}

void TfrmSeriovyPort::nactiJazyk(const Language& language) {
    language_ = language;
    applyCaptions(this, language_, u"frmSeriovyPort");
    const auto refill = [this](QComboBox* box, const char* prefix, int count) {
        const int index = box->currentIndex();
        box->clear();
        for (int i = 0; i < count; ++i) {
            box->addItem(language_.word(u"frmSeriovyPort", QString::fromLatin1(prefix) + QString::number(i)));
        }
        box->setCurrentIndex(std::max(index, 0));
    };
    for (QComboBox* box : cbxVstup) {
        refill(box, "vstup", 8);
    }
    for (QComboBox* box : cbxVystup) {
        refill(box, "vystup", 3);
    }
    if (cbxPort->count() > 0) {
        cbxPort->setItemText(0, zadny());
    }
    showConnection();
}

TfrmSeriovyPort::TfrmSeriovyPort(Services services, QWidget* parent) : QDialog(parent), s_(std::move(services)) {
    setObjectName(QStringLiteral("frmSeriovyPort"));
    setWindowTitle(QString::fromUtf16(u"Nastavení sériového portu"));
    lblPort = makeNamed<QLabel>(this, "lblPort", u"Port:", 8, 12, 40, 16);
    cbxPort = makeNamed<QComboBox>(this, "cbxPort", 52, 8, 260, 23);
    // A device path the system does not list (a pseudo-terminal, an adapter named by hand) can be typed.
    cbxPort->setEditable(true);
    cbxPort->setInsertPolicy(QComboBox::NoInsert);
    btnPripojit = makeNamed<QPushButton>(this, "btnPripojit", u"Připoji&t", 318, 8, 90, 23);
    lblPripojeno = makeNamed<QLabel>(this, "lblPripojeno", QString(), 8, 38, 400, 16);

    gpbVstup = makeNamed<QGroupBox>(this, "gpbVstup", u"Vstup - při příchozím signálu:", 8, 60, 400, 128);
    for (int i = 0; i < 4; ++i) {
        const int y = 22 + i * 25;
        const auto at = static_cast<size_t>(i);
        lblVstup[at] = makeNamed<QLabel>(gpbVstup, named("lbl", InputNames[i]).constData(), InputPins[i], 8, y + 3, 74, 16);
        cbxVstup[at] = makeNamed<QComboBox>(gpbVstup, named("cbx", InputNames[i]).constData(), 84, y, 244, 22);
        chbNeg[at] = makeNamed<QCheckBox>(gpbVstup, named("chbNeg", InputNames[i]).constData(), u"Neg", 334, y + 2, 44, 19);
        chbLampa[at] = makeNamed<QCheckBox>(gpbVstup, named("chb", InputNames[i]).constData(), QString(), 378, y + 2, 18, 19);
        chbLampa[at]->setAttribute(Qt::WA_TransparentForMouseEvents); // a lamp: shows, takes no clicks
        chbLampa[at]->setFocusPolicy(Qt::NoFocus);
    }
    gpbVystup = makeNamed<QGroupBox>(this, "gpbVystup", u"Výstup - změnit stav signálu při:", 8, 194, 400, 104);
    for (int i = 0; i < 3; ++i) {
        const int y = 22 + i * 25;
        const auto at = static_cast<size_t>(i);
        lblVystup[at] = makeNamed<QLabel>(gpbVystup, named("lbl", OutputNames[i]).constData(), OutputPins[i], 8, y + 3, 74, 16);
        cbxVystup[at] = makeNamed<QComboBox>(gpbVystup, named("cbx", OutputNames[i]).constData(), 84, y, 244, 22);
        chbStav[at] = makeNamed<QCheckBox>(gpbVystup, named("chb", OutputNames[i]).constData(), u"Stav", 334, y + 2, 60, 19);
    }
    lblDelka = makeNamed<QLabel>(this, "lblDelka", u"Délka výstupního signálu:", 8, 308, 160, 16);
    speDelka = makeNamed<QSpinBox>(this, "speDelka", QString(), 170, 305, 90, 21);
    speDelka->setRange(0, 86'400'000);
    lblDelkaMs = makeNamed<QLabel>(this, "lblDelkaMs", u"ms (0 = neustále)", 266, 308, 140, 16);
    btnOK = makeNamed<QPushButton>(this, "btnOK", QStringLiteral("&OK"), 168, 336, 76, 25);
    btnStorno = makeNamed<QPushButton>(this, "btnStorno", QStringLiteral("&Storno"), 250, 336, 76, 25);
    btnPouzit = makeNamed<QPushButton>(this, "btnPouzit", u"&Použít", 332, 336, 76, 25);
    btnOK->setDefault(true);
    for (QPushButton* b : {btnPripojit, btnStorno, btnPouzit}) {
        b->setAutoDefault(false);
    }
    // The client area ends 8 pixels right of and below btnPouzit.
    setFixedSize(btnPouzit->geometry().right() + 1 + 8, btnPouzit->geometry().bottom() + 1 + 8);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnStorno, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnPouzit, &QPushButton::clicked, this, &TfrmSeriovyPort::btnPouzitClick);
    connect(btnPripojit, &QPushButton::clicked, this, &TfrmSeriovyPort::btnPripojitClick);
    nactiJazyk(language_);
}

void TfrmSeriovyPort::nactiNastaveniSerioveho() {
    const TNastaveniSerioveho n = tavrok::nactiNastaveniSerioveho(s_.settings(), zadny());
    cbxPort->clear();
    cbxPort->addItem(zadny());
    QStringList names = s_.serial.port().portNames();
    // The stored port is offered also when the system does not list it (a device path, a pseudo-terminal).
    if (!n.port.isEmpty() && !names.contains(n.port)) {
        names << n.port;
    }
    cbxPort->addItems(names);
    cbxPort->setCurrentIndex(n.port.isEmpty() ? 0 : cbxPort->findText(n.port));
    for (size_t i = 0; i < 4; ++i) {
        cbxVstup[i]->setCurrentIndex(n.akce[i]);
        chbNeg[i]->setChecked(n.negace[i]);
    }
    for (size_t i = 0; i < 3; ++i) {
        cbxVystup[i]->setCurrentIndex(n.udalost[i]);
        chbStav[i]->setChecked(n.stav[i]);
    }
    speDelka->setValue(n.delka);
}

TNastaveniSerioveho TfrmSeriovyPort::hodnoty() const {
    TNastaveniSerioveho n;
    const QString port = cbxPort->currentText().trimmed();
    n.port = port == zadny() ? QString() : port;
    for (size_t i = 0; i < 4; ++i) {
        n.akce[i] = std::max(cbxVstup[i]->currentIndex(), 0);
        n.negace[i] = chbNeg[i]->isChecked();
    }
    for (size_t i = 0; i < 3; ++i) {
        n.udalost[i] = std::max(cbxVystup[i]->currentIndex(), 0);
        n.stav[i] = chbStav[i]->isChecked();
    }
    n.delka = speDelka->value();
    return n;
}

void TfrmSeriovyPort::ulozNastaveniSerioveho() {
    IniFile& settings = s_.settings();
    if (!tavrok::ulozNastaveniSerioveho(settings, hodnoty())) {
        s_.questions.tell(fillPlaceholders(s_.messages.text(51), settings.path()), MessageIcon::Error);
    }
}

void TfrmSeriovyPort::apply() {
    s_.serial.apply(hodnoty());
}

void TfrmSeriovyPort::btnPripojitClick() {
    const QString port = hodnoty().port;
    QString error;
    if (!s_.serial.pripojit(port, error)) {
        s_.questions.tell(portNotOpened(s_.messages, error), MessageIcon::Error);
    }
    showConnection();
    emit connectionChanged();
}

void TfrmSeriovyPort::btnPouzitClick() {
    apply();
    ulozNastaveniSerioveho();
}

void TfrmSeriovyPort::showConnection() {
    lblPripojeno->setText(language_.word(u"frmSeriovyPort", u"pripojenoK") + u' ' +
                          (s_.serial.connected() ? s_.serial.portName() : zadny()));
    showLamps();
}

void TfrmSeriovyPort::showLamps() {
    for (size_t i = 0; i < 4; ++i) {
        chbLampa[i]->setChecked(s_.serial.connected() && s_.serial.lastInputs()[i]);
    }
}

void TfrmSeriovyPort::otevriNastaveniSerioveho() {
    nactiNastaveniSerioveho();
    if (s_.serial.connected()) {
        for (size_t i = 0; i < 3; ++i) {
            chbStav[i]->setChecked(s_.serial.port().output(static_cast<SerialPort::Output>(i)));
        }
    }
    showConnection();
    if (!shownOnce_) {
        shownOnce_ = true;
        centreOnScreen(this);
    }
    if (exec() == QDialog::Accepted) {
        ulozNastaveniSerioveho();
        apply();
    } else {
        nactiNastaveniSerioveho(); // a port connected meanwhile stays connected
    }
}

} // namespace tavrok
