#pragma once

#include "countdown/countdownoptions.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tavrok {

class FileDialogs;
class IniFile;
class MessageTable;
class Questions;
class NotificationGroup;
class SoundManager;
class AudioDevice;
class Clock;

// "Další nastavení odpočítávání": the countdown's options. It fills itself from Nastaveni.ini when
// opened and writes the file on OK, so it always mirrors the file.
class TfrmDalsiOdpocit : public QDialog {
    Q_OBJECT
public:
    struct Services {
        Questions& questions;
        FileDialogs& files;
        const MessageTable& messages;
        SoundManager& sounds;
        AudioDevice& audio;
        Clock& clock;
        std::function<QString(const QString&)> dataPath; // relative to the program's Data folder
        std::function<QString(const QString&)> expand;   // variables and slashes of a stored path
    };
    TfrmDalsiOdpocit(Services services, QWidget* parent = nullptr);

    // Shows the dialog; on OK writes the file. True when the options were saved.
    bool otevriDalsiOdp(IniFile& settings);

    void nactiDalsiOdp(const TDalsiOdpocit& options);
    TDalsiOdpocit hodnoty() const;

    void btnPredemPridatClick();
    void btnPredemOdebratClick();
    void btnPredemOdebratVseClick();
    void btnProKonecClick();

private:
    void enable();
    void hideEvent(QHideEvent* event) override;

    Services s_;
    QList<int> predem_;

    QGroupBox* gpbPredem;
    QCheckBox* chbUpozornovatPredem;
    QSpinBox* spePredem;
    QLabel* lblS;
    QPushButton* btnPredemPridat;
    QPushButton* btnPredemOdebrat;
    QListWidget* lbxPredem;
    QPushButton* btnPredemOdebratVse;
    QCheckBox* chbPridatCislo;
    QLabel* lblZvuky;
    QComboBox* cbxZvuky;
    QPushButton* btnProKonec;
    NotificationGroup* gpbNaKonci;
    QGroupBox* gpbVIkone;
    QCheckBox* chbProcenta;
    QCheckBox* chbGraf;
    QCheckBox* chbSpustitTavrok;
    QCheckBox* chbPrepnoutDisplej;
    QPushButton* btnOK;
    QPushButton* btnStorno;
};

} // namespace tavrok
