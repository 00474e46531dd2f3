#include "storage/tfrmnastaveni.h"

#include "lang/language.h"
#include "lang/messagetable.h"
#include "platform/autostart.h"
#include "platform/filedialogs.h"
#include "platform/globalhotkey.h"
#include "platform/hotkeycode.h"
#include "platform/questions.h"
#include "storage/inifile.h"
#include "storage/ringoptionsgroup.h"
#include "storage/storagelocations.h"
#include "widgets/centre.h"
#include "widgets/namedwidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>

namespace tavrok {

namespace {

// The split hotkey's field: one key combination, taken at its press (no sequence of keys, no pause
// before it counts), the keypad told apart. Backspace and Delete empty it; Escape, Enter and Tab keep
// their meaning in the dialog. A combination the owner refuses leaves the field's previous key in place.
class HotkeyEdit final : public QKeySequenceEdit {
public:
    using QKeySequenceEdit::QKeySequenceEdit;
    // The combination, and whether it would type text in every other program.
    std::function<bool(QKeyCombination, bool typesText)> accepts;
    std::function<void(QKeyCombination)> refused;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const Qt::KeyboardModifiers modifiers =
            event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier |
                                  Qt::KeypadModifier);
        const bool plain = !(modifiers & ~Qt::KeypadModifier);
        switch (event->key()) {
        case Qt::Key_Control:
        case Qt::Key_Shift:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_Hyper_L:
        case Qt::Key_Hyper_R:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
        case Qt::Key_ScrollLock:
        case Qt::Key_unknown:
        case 0:
            event->accept(); // a modifier or a lock alone neither empties the field nor counts as a key
            return;
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            if (plain) {
                setKeySequence(QKeySequence());
                return;
            }
            break;
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (plain) {
                event->ignore(); // the dialog's Storno and OK
                return;
            }
            break;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
                focusNextPrevChild(event->key() == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier));
                return;
            }
            break;
        default:
            break;
        }
        const QKeyCombination key(modifiers, Qt::Key(event->key()));
        const bool typesText = !(modifiers & (Qt::ControlModifier | Qt::AltModifier)) && !event->text().isEmpty() &&
                               event->text().front().isPrint();
        if (accepts && accepts(key, typesText)) {
            setKeySequence(QKeySequence(key));
        } else if (refused) {
            refused(key);
        }
    }
};

} // namespace

TfrmNastaveni::TfrmNastaveni(Services services, QWidget* parent) : QDialog(parent), s_(std::move(services)) {
    setObjectName(QStringLiteral("frmNastaveni"));
    setWindowTitle(QStringLiteral("Nastaven\u00ED"));

    gpbVelikost = makeNamed<QGroupBox>(this, "gpbVelikost", u"Velikost okna po spuštění", 8, 8, 290, 92);
    rbtNejvetsi = makeNamed<QRadioButton>(gpbVelikost, "rbtNejvetsi", u"&Největší", 8, 20, 270, 18);
    rbtPamatovat2 = makeNamed<QRadioButton>(gpbVelikost, "rbtPamatovat2", u"Jako při posledním ukončení", 8, 42, 270, 18);
    rbtVzdy2 = makeNamed<QRadioButton>(gpbVelikost, "rbtVzdy2", u"Vždy výška:", 8, 66, 110, 18);
    speVelikost = makeNamed<QSpinBox>(gpbVelikost, "speVelikost", nullptr, 120, 64, 80, 21);

    gpbPozice = makeNamed<QGroupBox>(this, "gpbPozice", u"Pozice okna po spuštění", 8, 106, 290, 92);
    rbtCentrovat = makeNamed<QRadioButton>(gpbPozice, "rbtCentrovat", u"Uprostřed obrazovky", 8, 20, 270, 18);
    rbtPamatovat1 = makeNamed<QRadioButton>(gpbPozice, "rbtPamatovat1", u"Jako při posledním ukončení", 8, 42, 270, 18);
    rbtVzdy1 = makeNamed<QRadioButton>(gpbPozice, "rbtVzdy1", u"Vždy:", 8, 66, 60, 18);
    lblPoziceX = makeNamed<QLabel>(gpbPozice, "lblPoziceX", u"X:", 70, 67, 14, 16);
    spePoziceX = makeNamed<QSpinBox>(gpbPozice, "spePoziceX", nullptr, 86, 64, 80, 21);
    lblPoziceY = makeNamed<QLabel>(gpbPozice, "lblPoziceY", u"Y:", 172, 67, 14, 16);
    spePoziceY = makeNamed<QSpinBox>(gpbPozice, "spePoziceY", nullptr, 188, 64, 80, 21);

    lblAutostart = makeNamed<QLabel>(this, "lblAutostart", u"Spouštět při přihlášení:", 8, 206, 290, 16);
    chbAutostartVsichni = makeNamed<QCheckBox>(this, "chbAutostartVsichni", u"pro všechny uživatele", 16, 224, 280, 18);
    chbAutostartAktualni = makeNamed<QCheckBox>(this, "chbAutostartAktualni", u"pro aktuálního uživatele", 16, 244, 280, 18);

    int y = 270;
    const auto check = [&](const char* name, const char16_t* text) {
        auto* c = makeNamed<QCheckBox>(this, name, text, 8, y, 290, 18);
        y += 20;
        return c;
    };
    chbMinimalizovane = check("chbMinimalizovane", u"Spouštět &minimalizované");
    chbZobrazitZmeskane = check("chbZobrazitZmeskane", u"Po spuštění zobrazit zmeškané budíky");
    chbZacitOdNuly = check("chbZacitOdNuly", u"Tavrok spouštět vždy od nuly");
    chbKontrolovatBudik = check("chbKontrolovatBudik", u"Při ukončení upozornit na neuložený budík");
    chbPamatovatOdpocit = check("chbPamatovatOdpocit", u"Pamatovat si odpočítávání");
    chbPamatovatTavrok = check("chbPamatovatTavrok", u"Pamatovat si čas zastavených tavrek");
    chbMagnetovat = check("chbMagnetovat", u"Přichytávat okno k okrajům obrazovky");
    chbNechatOdpocit = check("chbNechatOdpocit", u"Po dokončení nechat odpočítávání na nule");
    chbMezicas = makeNamed<QCheckBox>(this, "chbMezicas", u"Klávesová zk&ratka mezičasu:", 8, y + 4, 180, 18);
    auto* hotkeyEdit = makeNamed<HotkeyEdit>(this, "hkyMezicas", 190, y + 2, 108, 22);
    hotkeyEdit->accepts = [this](QKeyCombination key, bool typesText) { return hotkeyUsable(key, typesText); };
    hotkeyEdit->refused = [this](QKeyCombination key) { hotkeyRefused(key); };
    hkyMezicas = hotkeyEdit;
    y += 30;
    lblJazyk = makeNamed<QLabel>(this, "lblJazyk", u"Jazyk:", 8, y + 3, 60, 16);
    cbxJazyk = makeNamed<QComboBox>(this, "cbxJazyk", nullptr, 70, y, 228, 22);

    gpbUkonceni = makeNamed<QGroupBox>(this, "gpbUkonceni", u"Běžící tavrok a odpočítávání při ukončení", 308, 8, 306, 68);
    rbtZastavit = makeNamed<QRadioButton>(gpbUkonceni, "rbtZastavit", u"Zastavit", 8, 20, 140, 18);
    rbtPozastavit = makeNamed<QRadioButton>(gpbUkonceni, "rbtPozastavit", u"Pozastavit", 150, 20, 150, 18);
    rbtNechat = makeNamed<QRadioButton>(gpbUkonceni, "rbtNechat", u"Nechat běžet", 8, 42, 140, 18);
    rbtZeptatSe = makeNamed<QRadioButton>(gpbUkonceni, "rbtZeptatSe", u"Zeptat se", 150, 42, 150, 18);

    gpbPoOdpocitavani = makeNamed<QGroupBox>(this, "gpbPoOdpocitavani", u"Po dokončení odpočítávání", 308, 82, 306, 88);
    lblTavrokSpusteny = makeNamed<QLabel>(gpbPoOdpocitavani, "lblTavrokSpusteny", u"Když tavrok již běží:", 8, 20, 290, 16);
    rbtSpustitTavrokZnovu = makeNamed<QRadioButton>(gpbPoOdpocitavani, "rbtSpustitTavrokZnovu", u"Spustit tavrok znovu", 8, 40, 290, 18);
    rbtNespoustetTavrok = makeNamed<QRadioButton>(gpbPoOdpocitavani, "rbtNespoustetTavrok", u"Nespouštět tavrok", 8, 60, 140, 18);
    rbtZeptatSeNaTavrok = makeNamed<QRadioButton>(gpbPoOdpocitavani, "rbtZeptatSeNaTavrok", u"Zeptat se", 150, 60, 150, 18);

    gpbAktualizace = makeNamed<QGroupBox>(this, "gpbAktualizace", u"Aktualizace", 308, 176, 306, 256);
    chbKontrolovatAktualizace = makeNamed<QCheckBox>(gpbAktualizace, "chbKontrolovatAktualizace", u"Kontrolovat nové verze", 8, 20, 290, 18);
    rbtRozdilova = makeNamed<QRadioButton>(gpbAktualizace, "rbtRozdilova", u"Stahovat rozdílovou verzi", 8, 42, 290, 18);
    rbtAutomaticka = makeNamed<QRadioButton>(gpbAktualizace, "rbtAutomaticka", u"Stahovat verzi pro automatickou aktualizaci", 8, 62, 290, 18);
    rbtNestahovat = makeNamed<QRadioButton>(gpbAktualizace, "rbtNestahovat", u"Nestahovat, jen upozornit", 8, 82, 290, 18);
    chbUpozornitNaAktualizaci = makeNamed<QCheckBox>(gpbAktualizace, "chbUpozornitNaAktualizaci", u"Upozornit na aktualizaci", 24, 106, 270, 18);
    rbtPriVypnuti = makeNamed<QRadioButton>(gpbAktualizace, "rbtPriVypnuti", u"Aktualizovat při ukončení programu", 24, 126, 270, 18);
    rbtPriSpusteniProgramu = makeNamed<QRadioButton>(gpbAktualizace, "rbtPriSpusteniProgramu", u"… při příštím spuštění programu", 24, 146, 270, 18);
    rbtPriSpusteniWindows = makeNamed<QRadioButton>(gpbAktualizace, "rbtPriSpusteniWindows", u"… při příštím přihlášení", 24, 166, 270, 18);
    lblNemaPravo = makeNamed<QLabel>(gpbAktualizace, "lblNemaPravo", u"Bez práva zápisu do složky programu:", 8, 190, 290, 16);
    rbtSpustitJako = makeNamed<QRadioButton>(gpbAktualizace, "rbtSpustitJako", u"Nabídnout přihlášení jiného uživatele", 8, 210, 290, 18);
    rbtPriste = makeNamed<QRadioButton>(gpbAktualizace, "rbtPriste", u"Aktualizovat příště", 8, 230, 290, 18);

    y += 34;
    gpbZvoneni = new RingOptionsGroup(this, 8, std::max(y, 440), 606);
    y = gpbZvoneni->geometry().bottom() + 1 + 10;
    lblCestaKNastaveni = makeNamed<QLabel>(this, "lblCestaKNastaveni", u"Složka s nastavením:", 8, y + 3, 140, 16);
    edtCestaKNastaveni = makeNamed<QLineEdit>(this, "edtCestaKNastaveni", nullptr, 150, y, 376, 22);
    btnProchazet = makeNamed<QPushButton>(this, "btnProchazet", u"&Procházet...", 530, y, 84, 22);
    y += 34;
    btnVychozi = makeNamed<QPushButton>(this, "btnVychozi", u"&Výchozí", 8, y, 90, 25);
    btnOK = makeNamed<QPushButton>(this, "btnOK", u"&OK", 440, y, 84, 25);
    btnStorno = makeNamed<QPushButton>(this, "btnStorno", u"&Storno", 530, y, 84, 25);
    btnOK->setDefault(true);
    setFixedSize(btnStorno->geometry().right() + 1 + 8, btnStorno->geometry().bottom() + 1 + 8);

    // Radio buttons that share a group box are one group already; the others need one.
    for (const auto& members : {std::initializer_list<QRadioButton*>{rbtRozdilova, rbtAutomaticka, rbtNestahovat},
                                std::initializer_list<QRadioButton*>{rbtPriVypnuti, rbtPriSpusteniProgramu,
                                                                     rbtPriSpusteniWindows},
                                std::initializer_list<QRadioButton*>{rbtSpustitJako, rbtPriste}}) {
        auto* group = new QButtonGroup(this);
        for (QRadioButton* r : members) {
            group->addButton(r);
        }
    }
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{rbtVzdy1, rbtVzdy2, chbMezicas, rbtAutomaticka,
                                                                     rbtNejvetsi, rbtPamatovat2, rbtCentrovat,
                                                                     rbtPamatovat1, rbtRozdilova, rbtNestahovat}) {
        connect(b, &QAbstractButton::toggled, this, &TfrmNastaveni::enable);
    }
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnStorno, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnVychozi, &QPushButton::clicked, this, &TfrmNastaveni::btnVychoziClick);
    connect(btnProchazet, &QPushButton::clicked, this, [this] {
        const QString chosen = s_.files.chooseFolder(s_.storage.expand(edtCestaKNastaveni->text()));
        if (!chosen.isEmpty()) {
            edtCestaKNastaveni->setText(chosen);
        }
    });
}

void TfrmNastaveni::zobraz(const TNastaveni& n) {
    using T = TNastaveni;
    rbtNejvetsi->setChecked(n.velikost == T::Velikost::Nejvetsi);
    rbtPamatovat2->setChecked(n.velikost == T::Velikost::Pamatovat);
    rbtVzdy2->setChecked(n.velikost == T::Velikost::Vzdy);
    speVelikost->setValue(n.vyska);
    rbtCentrovat->setChecked(n.pozice == T::Pozice::Centrovat);
    rbtPamatovat1->setChecked(n.pozice == T::Pozice::Pamatovat);
    rbtVzdy1->setChecked(n.pozice == T::Pozice::Vzdy);
    spePoziceX->setValue(n.poziceX);
    spePoziceY->setValue(n.poziceY);
    chbMinimalizovane->setChecked(n.spustitMinimalizovane);
    chbZobrazitZmeskane->setChecked(n.zobrazovatBudiky);
    chbZacitOdNuly->setChecked(n.zacitOdNuly);
    chbKontrolovatBudik->setChecked(n.kontrolovatUlozeniBudiku);
    chbPamatovatOdpocit->setChecked(n.pamatovatOdpocit);
    chbPamatovatTavrok->setChecked(n.pamatovatTavrok);
    chbMagnetovat->setChecked(n.magnetovat);
    chbNechatOdpocit->setChecked(n.nechatOdpocit);
    chbMezicas->setChecked(n.pouzitMezicas);
    hkyMezicas->setKeySequence(QKeySequence(hotkeyToQt(n.zkratkaMezicasu)));
    // A stored code the field cannot show (edited by hand, or from another system) is kept while the
    // field is left as it was.
    loadedHotkey_ = n.zkratkaMezicasu;
    shownHotkey_ = hkyMezicas->keySequence();
    rbtZastavit->setChecked(n.ukonceni == T::Ukonceni::Zastavit);
    rbtPozastavit->setChecked(n.ukonceni == T::Ukonceni::Pozastavit);
    rbtNechat->setChecked(n.ukonceni == T::Ukonceni::Nechat);
    rbtZeptatSe->setChecked(n.ukonceni == T::Ukonceni::Zeptat);
    rbtSpustitTavrokZnovu->setChecked(n.poOdpocitavani == T::PoOdpocitavani::SpustitZnovu);
    rbtNespoustetTavrok->setChecked(n.poOdpocitavani == T::PoOdpocitavani::Nespoustet);
    rbtZeptatSeNaTavrok->setChecked(n.poOdpocitavani == T::PoOdpocitavani::Zeptat);
    chbKontrolovatAktualizace->setChecked(n.kontrolovatAktulizace);
    rbtRozdilova->setChecked(n.stahovani == T::Stahovani::Rozdilova);
    rbtAutomaticka->setChecked(n.stahovani == T::Stahovani::Automaticka);
    rbtNestahovat->setChecked(n.stahovani == T::Stahovani::Nestahovat);
    chbUpozornitNaAktualizaci->setChecked(n.upozornitNaAktualizaci);
    rbtPriVypnuti->setChecked(n.aktualizace == T::Aktualizace::PriVypnuti);
    rbtPriSpusteniProgramu->setChecked(n.aktualizace == T::Aktualizace::PriSpusteniProgramu);
    rbtPriSpusteniWindows->setChecked(n.aktualizace == T::Aktualizace::PriSpusteniWindows);
    rbtSpustitJako->setChecked(n.bezPrava == T::BezPrava::SpustitJako);
    rbtPriste->setChecked(n.bezPrava == T::BezPrava::Priste);
    cbxJazyk->setCurrentIndex(cbxJazyk->findText(n.jazyk, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    gpbZvoneni->zobraz(n);
    enable();
}

TNastaveni TfrmNastaveni::hodnoty() const {
    using T = TNastaveni;
    T n;
    n.velikost = rbtNejvetsi->isChecked() ? T::Velikost::Nejvetsi
                 : rbtPamatovat2->isChecked() ? T::Velikost::Pamatovat
                                              : T::Velikost::Vzdy;
    n.vyska = speVelikost->value();
    n.pozice = rbtCentrovat->isChecked() ? T::Pozice::Centrovat
               : rbtPamatovat1->isChecked() ? T::Pozice::Pamatovat
                                            : T::Pozice::Vzdy;
    n.poziceX = spePoziceX->value();
    n.poziceY = spePoziceY->value();
    n.spustitMinimalizovane = chbMinimalizovane->isChecked();
    n.zobrazovatBudiky = chbZobrazitZmeskane->isChecked();
    n.zacitOdNuly = chbZacitOdNuly->isChecked();
    n.kontrolovatUlozeniBudiku = chbKontrolovatBudik->isChecked();
    n.pamatovatOdpocit = chbPamatovatOdpocit->isChecked();
    n.pamatovatTavrok = chbPamatovatTavrok->isChecked();
    n.magnetovat = chbMagnetovat->isChecked();
    n.nechatOdpocit = chbNechatOdpocit->isChecked();
    n.pouzitMezicas = chbMezicas->isChecked();
    const QKeySequence key = hkyMezicas->keySequence();
    n.zkratkaMezicasu = key == shownHotkey_ ? loadedHotkey_ : key.isEmpty() ? 0 : hotkeyFromQt(key[0].toCombined());
    n.ukonceni = rbtPozastavit->isChecked() ? T::Ukonceni::Pozastavit
                 : rbtNechat->isChecked()   ? T::Ukonceni::Nechat
                 : rbtZeptatSe->isChecked() ? T::Ukonceni::Zeptat
                                            : T::Ukonceni::Zastavit;
    n.poOdpocitavani = rbtSpustitTavrokZnovu->isChecked() ? T::PoOdpocitavani::SpustitZnovu
                       : rbtNespoustetTavrok->isChecked() ? T::PoOdpocitavani::Nespoustet
                                                          : T::PoOdpocitavani::Zeptat;
    n.kontrolovatAktulizace = chbKontrolovatAktualizace->isChecked();
    n.stahovani = rbtRozdilova->isChecked()     ? T::Stahovani::Rozdilova
                  : rbtAutomaticka->isChecked() ? T::Stahovani::Automaticka
                                                : T::Stahovani::Nestahovat;
    n.upozornitNaAktualizaci = chbUpozornitNaAktualizaci->isChecked();
    n.aktualizace = rbtPriVypnuti->isChecked()          ? T::Aktualizace::PriVypnuti
                    : rbtPriSpusteniProgramu->isChecked() ? T::Aktualizace::PriSpusteniProgramu
                                                          : T::Aktualizace::PriSpusteniWindows;
    n.bezPrava = rbtSpustitJako->isChecked() ? T::BezPrava::SpustitJako : T::BezPrava::Priste;
    n.jazyk = cbxJazyk->currentText();
    gpbZvoneni->hodnoty(n);
    return n;
}

void TfrmNastaveni::enable() {
    speVelikost->setEnabled(rbtVzdy2->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{spePoziceX, spePoziceY, lblPoziceX, lblPoziceY}) {
        w->setEnabled(rbtVzdy1->isChecked());
    }
    hkyMezicas->setEnabled(chbMezicas->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{chbUpozornitNaAktualizaci, rbtPriVypnuti, rbtPriSpusteniProgramu,
                                                      rbtPriSpusteniWindows}) {
        w->setEnabled(rbtAutomaticka->isChecked());
    }
}

bool TfrmNastaveni::hotkeyUsable(QKeyCombination key, bool typesText) const {
    if (typesText || (key.keyboardModifiers() & Qt::MetaModifier)) {
        return false; // taken from typing in every program; the stored code has no bit for the logo key
    }
    const int code = hotkeyFromQt(key.toCombined());
    return code != 0 && (!s_.hotkey || s_.hotkey->hasKey(code));
}

void TfrmNastaveni::hotkeyRefused(QKeyCombination key) {
    s_.questions.tell(fillPlaceholders(s_.messages.text(MessageTable::HotkeyNotHere),
                                       QKeySequence(key).toString(QKeySequence::NativeText)),
                      MessageIcon::Warning);
}

void TfrmNastaveni::nactiNastaveni() {
    edtCestaKNastaveni->setText(s_.storage.storedLocation());
    // The write probe: the location can be changed only where Umisteni.ini can be written.
    // The probe is taken out again, so the file keeps only the location.
    IniFile umisteni(s_.storage.umisteniPath());
    const bool writable =
        umisteni.writeString(u"test", u"zapis", QStringLiteral("ok")) && umisteni.eraseSection(u"test");
    for (QWidget* w : std::initializer_list<QWidget*>{lblCestaKNastaveni, edtCestaKNastaveni, btnProchazet}) {
        w->setEnabled(writable);
    }
    speVelikost->setRange(s_.minHeight, s_.maxHeight);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen ? screen->virtualGeometry() : QRect(0, 0, 1024, 768);
    spePoziceX->setRange(0, desktop.width());
    spePoziceY->setRange(0, desktop.height());
    cbxJazyk->clear();
    for (const QString& file : QDir(s_.storage.dataPath(u"Jazyky")).entryList({QStringLiteral("*.ini")}, QDir::Files)) {
        cbxJazyk->addItem(file.left(file.size() - 4));
    }
    zobraz(tavrok::nactiNastaveni(s_.storage.settingsIni()));
    using A = Autostart::Scope;
    chbAutostartVsichni->setChecked(s_.autostart.isEnabled(A::AllUsers));
    chbAutostartVsichni->setEnabled(s_.autostart.canChange(A::AllUsers));
    chbAutostartAktualni->setChecked(s_.autostart.isEnabled(A::CurrentUser));
    chbAutostartAktualni->setEnabled(s_.autostart.canChange(A::CurrentUser));
}

void TfrmNastaveni::btnVychoziClick() {
    for (QCheckBox* c : {chbAutostartVsichni, chbAutostartAktualni}) {
        if (c->isEnabled()) {
            c->setChecked(false);
        }
    }
    TNastaveni n = hodnoty();
    vychoziNastaveni(n);
    zobraz(n);
    cbxJazyk->setCurrentIndex(cbxJazyk->findText(QStringLiteral("Cesky")));
    if (edtCestaKNastaveni->isEnabled()) {
        edtCestaKNastaveni->setText(s_.storage.defaultLocation());
    }
}

bool TfrmNastaveni::ulozNastaveni() {
    if (edtCestaKNastaveni->isEnabled()) {
        const auto moved = s_.storage.premistit(edtCestaKNastaveni->text(), s_.questions, s_.messages);
        if (moved.outcome == StorageLocations::Relocation::LocationNotSaved) {
            return false;
        }
        if (moved.switchSplitTimes) {
            emit splitTimesMoved(); // the split-times manager follows to the new folder
        }
    }
    if (!zmenJazyk()) {
        return false;
    }
    using A = Autostart::Scope;
    for (const auto& [box, scope] : {std::pair{chbAutostartVsichni, A::AllUsers}, std::pair{chbAutostartAktualni, A::CurrentUser}}) {
        if (box->isEnabled()) {
            s_.autostart.set(scope, box->isChecked(), s_.executable);
        }
    }
    if (!tavrok::ulozNastaveni(s_.storage.settingsIni(), hodnoty())) {
        s_.questions.tell(fillPlaceholders(s_.messages.text(51), s_.storage.settingsIni().path()), MessageIcon::Error);
        return false;
    }
    return true;
}

bool TfrmNastaveni::zmenJazyk() {
    const QString previous = QFileInfo(s_.storage.languageIni().path()).completeBaseName();
    s_.storage.openLanguage(cbxJazyk->currentText());
    const IniSnapshot chosen = s_.storage.languageIni().snapshot();
    const auto confirmed = [this](int message) {
        return s_.questions.ask(s_.messages.text(message), MessageIcon::Warning, MessageButtons::YesNo) == Answer::Yes;
    };
    if ((!languageIsForThisProgram(chosen) && !confirmed(54)) || (!languageFitsThisVersion(chosen) && !confirmed(55))) {
        s_.storage.openLanguage(previous);
        return false;
    }
    return true;
}

bool TfrmNastaveni::otevriNastaveni() {
    nactiNastaveni();
    if (firstShow_) {
        centreOnScreen(this);
        firstShow_ = false;
    }
    if (exec() != QDialog::Accepted) {
        nactiNastaveni();
        return false;
    }
    return ulozNastaveni();
}

} // namespace tavrok
