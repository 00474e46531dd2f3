#pragma once

#include "display/displaysettings.h"
#include "lang/language.h"

#include <QColor>
#include <QDialog>
#include <QFont>
#include <array>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;

namespace tavrok {

class FileDialogs;
class GlobalHotkey;
class IniFile;
class MessageTable;
class Pickers;
class Questions;
class TfrmDisplej;

// "Nastavení Samostatného displeje": the separate display's look and source. Modeless; with "Náhled" checked every
// change shows in the display at once, and what was not confirmed with OK or "Použít" is dropped when
// the dialog closes.
class TfrmNastaveniDispleje : public QDialog {
    Q_OBJECT
public:
    struct Services {
        TfrmDisplej& display;
        Questions& questions;
        FileDialogs& files;
        Pickers& pickers;
        const MessageTable& messages;
        std::function<IniFile&()> settings;
        // The look as applied: the program state keeps it for the display's feed.
        std::function<void(const TNastaveniDispleje&)> applied;
        // The Pause key taken system-wide while a pipette waits; none: Pause works in this dialog only.
        GlobalHotkey* pickerKey = nullptr;
    };
    explicit TfrmNastaveniDispleje(Services services, QWidget* parent = nullptr);
    ~TfrmNastaveniDispleje() override;

    // Shows the dialog (the menu's F6).
    void otevri();
    // The texts of a language: captions, hints, the unit words and the names of the shown range.
    void nactiJazyk(const Language& language);

    void nactiNastaveniDispleje(const TNastaveniDispleje& settings);
    TNastaveniDispleje hodnoty() const;
    // Dialog to display; false when the picture could not be read (message 52 when `reportErrors`).
    bool apply(bool reportErrors);
    // Applies without error reports while previewing.
    void change();

    void btnPouzitClick();
    void btnOKClick();
    void btnStornoClick();
    void btnVychoziClick();
    void edtZobrazitSelected();
    // The source was switched from outside (a serial input line, a countdown's end): the choice follows,
    // and closing the dialog keeps that source until a choice is confirmed with OK or "Použít".
    void showSource(DisplaySource source);
    // The text was dragged in the preview: the offsets or the size follow it.
    void textMoved(QPoint moved, QSize parent);
    void textResized(int height, QSize parent);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void enable();
    void setColour(QPushButton* panel, const QColor& colour);
    void choosePanelColour(QPushButton* panel);
    void pipetaToggled(QPushButton* button, bool on);
    // Pause was pressed: the pixel under the mouse goes to the waiting pipette's panel.
    void pipetuj();
    void releasePipety();
    void showUnits();
    void showHighlight();
    // The settings as the file holds them, with a source switched from outside since.
    TNastaveniDispleje stored() const;

    Services s_;
    Language language_;
    TNastaveniDispleje previous_; // as last confirmed: the display returns to it
    std::optional<DisplaySource> switchedSource_; // set from outside, not yet in the file
    bool loading_ = false;
    bool shownOnce_ = false;
    QFont font_;
    int charset_ = 1;
    VisibleRange range_;
    QPushButton* pipetaTarget_ = nullptr;

    QGroupBox* gpbZobrazitZ;
    QRadioButton* rbtZeTavrek;
    QRadioButton* rbtZOdpocitavani;
    QRadioButton* rbtZHodin;
    QRadioButton* rbtZOkna;
    QGroupBox* gbtZobrazit;
    QLabel* lblZobrazit;
    QLineEdit* edtZobrazit;
    QLabel* lblZobrazitOd;
    QLabel* lblZobrazitDo;
    QCheckBox* chbZaokrouhlovatNahoru;

    QGroupBox* gpbOkno;
    QRadioButton* rbtStandardni;
    QRadioButton* rbtZjednoduseny;
    QCheckBox* chbUzamknout;
    QCheckBox* chbVzdyNahore;
    QCheckBox* chbSkrytKurzor;
    QLabel* lblOvladani;
    QSpinBox* speSkrytOvladani;
    QLabel* lblOvladaniMs;
    QLabel* lblBarvaPozadi;
    QPushButton* pnlBarvaPozadi;
    QPushButton* btnBarvaPozadiPipeta;
    QCheckBox* chbPruhlednaBarva;
    QPushButton* pnlPruhlednaBarva;
    QPushButton* btnPruhlednaBarvaPipeta;
    QPushButton* btnPruhlednePozadi;
    QCheckBox* chbPolopruhlednost;
    QLabel* lblPruhledne;
    QSlider* tbrPolopruhlednost;
    QLabel* lblNepruhledne;
    QSpinBox* spePolopruhlednost;
    QCheckBox* chbMagnetovat;

    QGroupBox* gpbObrazek;
    QCheckBox* chbObrazek;
    QLineEdit* edtObrazek;
    QPushButton* btnObrProchazet;
    QRadioButton* rbtObrZachVelikost;
    QRadioButton* rbtObrZachProporce;
    QRadioButton* rbtObrOriznout;
    QRadioButton* rbtObrRoztahnout;
    QLabel* lblZarovnaniObr;
    std::array<QRadioButton*, 9> rbtZarovnaniObr{};

    QGroupBox* gpbText;
    QPushButton* btnFont;
    QLabel* lblBarvaTextu;
    QPushButton* pnlBarvaTextu;
    QPushButton* btnBarvaTextuPipeta;
    QLabel* lblPipeta;
    QLabel* lblParent;
    QRadioButton* rbtParentOkno;
    QRadioButton* rbtParentObr;
    QLabel* lblZarovnaniTextu;
    std::array<QRadioButton*, 9> rbtZarovnaniText{};
    QRadioButton* rbtRelativni;
    QRadioButton* rbtAbsolutni;
    QLabel* lblOdsazeni;
    QLabel* lblZleva;
    QLineEdit* edtZleva;
    QLabel* lblZlevaJednotka;
    QLabel* lblShora;
    QLineEdit* edtShora;
    QLabel* lblShoraJednotka;
    QLabel* lblVelikost;
    QLineEdit* edtVelikost;
    QLabel* lblVelikostJednotka;
    QLabel* lblNepresahovat;
    QRadioButton* rbtPresahovat;
    QRadioButton* rbtNepresahovatOkno;
    QRadioButton* rbtNepresahovatParent;

    QCheckBox* chbNahled;
    QCheckBox* chbZvyraznit;
    QPushButton* pnlBarvaZvyrazneni;
    QLabel* lblPosouvani;
    QPushButton* btnVychozi;
    QPushButton* btnOK;
    QPushButton* btnStorno;
    QPushButton* btnPouzit;
};

} // namespace tavrok
