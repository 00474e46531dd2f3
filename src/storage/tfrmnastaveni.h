#pragma once

#include "storage/nastaveni.h"

#include <QDialog>
#include <QKeySequence>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeySequenceEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tavrok {

class Autostart;
class FileDialogs;
class GlobalHotkey;
class MessageTable;
class Questions;
class RingOptionsGroup;
class StorageLocations;

// "Nastavení": the general settings, the start with the session and the settings location.
class TfrmNastaveni : public QDialog {
    Q_OBJECT
public:
    struct Services {
        StorageLocations& storage;
        Questions& questions;
        FileDialogs& files;
        Autostart& autostart;
        const MessageTable& messages;
        QString executable;
        int minHeight;
        int maxHeight;
        // Tells whether a split hotkey code names a key this desktop can grab.
        const GlobalHotkey* hotkey = nullptr;
    };
    TfrmNastaveni(Services services, QWidget* parent = nullptr);

    // Fills the controls from the files; shows the dialog; on OK saves. True when saved.
    bool otevriNastaveni();
    void nactiNastaveni();
    // The save of OK; false when a step ended it.
    bool ulozNastaveni();
    void btnVychoziClick();

    TNastaveni hodnoty() const;
    void zobraz(const TNastaveni& values);

signals:
    // The settings moved and the split times kept in their folder went along: the manager opens the
    // default file.
    void splitTimesMoved();

private:
    void enable();
    // The split hotkey field takes a combination only when it can be stored and grabbed here, and when
    // taking it from the whole desktop would not take a letter, digit or blank from typing.
    bool hotkeyUsable(QKeyCombination key, bool typesText) const;
    void hotkeyRefused(QKeyCombination key);
    // Opens the chosen language file, after the user's yes when it was not made for this program or
    // version; on no the previous file stays open and the save ends.
    bool zmenJazyk();

    Services s_;
    bool firstShow_ = true;

    RingOptionsGroup* gpbZvoneni;
    QGroupBox* gpbVelikost;
    QRadioButton* rbtNejvetsi;
    QRadioButton* rbtPamatovat2;
    QRadioButton* rbtVzdy2;
    QSpinBox* speVelikost;
    QGroupBox* gpbPozice;
    QRadioButton* rbtCentrovat;
    QRadioButton* rbtPamatovat1;
    QRadioButton* rbtVzdy1;
    QLabel* lblPoziceX;
    QSpinBox* spePoziceX;
    QLabel* lblPoziceY;
    QSpinBox* spePoziceY;
    QLabel* lblAutostart;
    QCheckBox* chbAutostartVsichni;
    QCheckBox* chbAutostartAktualni;
    QCheckBox* chbMinimalizovane;
    QCheckBox* chbZobrazitZmeskane;
    QCheckBox* chbZacitOdNuly;
    QCheckBox* chbKontrolovatBudik;
    QCheckBox* chbPamatovatOdpocit;
    QCheckBox* chbPamatovatTavrok;
    QCheckBox* chbMagnetovat;
    QCheckBox* chbNechatOdpocit;
    QCheckBox* chbMezicas;
    QKeySequenceEdit* hkyMezicas;
    int loadedHotkey_ = 122;
    QKeySequence shownHotkey_;
    QLabel* lblJazyk;
    QComboBox* cbxJazyk;
    QLabel* lblCestaKNastaveni;
    QLineEdit* edtCestaKNastaveni;
    QPushButton* btnProchazet;
    QGroupBox* gpbUkonceni;
    QRadioButton* rbtZastavit;
    QRadioButton* rbtPozastavit;
    QRadioButton* rbtNechat;
    QRadioButton* rbtZeptatSe;
    QGroupBox* gpbPoOdpocitavani;
    QLabel* lblTavrokSpusteny;
    QRadioButton* rbtSpustitTavrokZnovu;
    QRadioButton* rbtNespoustetTavrok;
    QRadioButton* rbtZeptatSeNaTavrok;
    QGroupBox* gpbAktualizace;
    QCheckBox* chbKontrolovatAktualizace;
    QRadioButton* rbtRozdilova;
    QRadioButton* rbtAutomaticka;
    QRadioButton* rbtNestahovat;
    QCheckBox* chbUpozornitNaAktualizaci;
    QRadioButton* rbtPriVypnuti;
    QRadioButton* rbtPriSpusteniProgramu;
    QRadioButton* rbtPriSpusteniWindows;
    QLabel* lblNemaPravo;
    QRadioButton* rbtSpustitJako;
    QRadioButton* rbtPriste;
    QPushButton* btnVychozi;
    QPushButton* btnOK;
    QPushButton* btnStorno;
};

} // namespace tavrok
