#pragma once

#include "display/seriovyport.h"
#include "lang/language.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tavrok {

class IniFile;
class MessageTable;
class Questions;

// "Nastavení sériového portu": the port, what each input line does and what changes each output.
class TfrmSeriovyPort : public QDialog {
    Q_OBJECT
public:
    struct Services {
        SeriovyPort& serial;
        Questions& questions;
        const MessageTable& messages;
        std::function<IniFile&()> settings;
    };
    explicit TfrmSeriovyPort(Services services, QWidget* parent = nullptr);

    // The menu's entry: shows the dialog modally.
    void otevriNastaveniSerioveho();

    void nactiNastaveniSerioveho();
    void ulozNastaveniSerioveho();
    TNastaveniSerioveho hodnoty() const;
    void apply();
    void btnPripojitClick();
    void btnPouzitClick();
    // The connection label and the input lamps, while the dialog is seen.
    void showConnection();
    void showLamps();

    // The word for "no port".
    QString zadny() const;
    // The texts of a language: the captions, the status words and the lists of the combo boxes.
    void nactiJazyk(const Language& language);

signals:
    // A port was opened or closed here: the poll starts or stops.
    void connectionChanged();

private:

    Services s_;
    Language language_;
    bool shownOnce_ = false;

    QLabel* lblPort;
    QComboBox* cbxPort;
    QPushButton* btnPripojit;
    QLabel* lblPripojeno;
    QGroupBox* gpbVstup;
    std::array<QLabel*, 4> lblVstup{};
    std::array<QComboBox*, 4> cbxVstup{};   // cbxDSR, cbxCTS, cbxRI, cbxDCD
    std::array<QCheckBox*, 4> chbNeg{};     // chbNegDSR ...
    std::array<QCheckBox*, 4> chbLampa{};   // chbDSR ... (read-only lamps)
    QGroupBox* gpbVystup;
    std::array<QLabel*, 3> lblVystup{};
    std::array<QComboBox*, 3> cbxVystup{};  // cbxDTR, cbxRTS, cbxTxD
    std::array<QCheckBox*, 3> chbStav{};    // chbDTR, chbRTS, chbTxD
    QLabel* lblDelka;
    QSpinBox* speDelka;
    QLabel* lblDelkaMs;
    QPushButton* btnOK;
    QPushButton* btnStorno;
    QPushButton* btnPouzit;
};

} // namespace tavrok
