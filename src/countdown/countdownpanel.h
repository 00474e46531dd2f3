#pragma once

#include "app/functionpanel.h"
#include "widgets/lazydialog.h"
#include "display/displaysettings.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavrok {

class ProgramState;
class Questions;
class TfrmDalsiOdpocit;
struct PlatformServices;

// The countdown's controls in the main window: the end message, the repeat box, the pause button and
// the progress bar under its function label.
class CountdownPanel : public FunctionPanel {
    Q_OBJECT
public:
    CountdownPanel(ProgramState& state, const PlatformServices& services, QPushButton* btnPauza, QWidget* parent);

    void setShown(bool shown) override;
    void btnVynulovatClick() override;
    void btnDalsiClick() override;
    void tick(const TickTime& now, bool onScreen, AfterTick& after) override;
    void refresh() override;
    // The length the next start counts down (a stopped countdown only).
    void setLength(TDateTime length);

    // Start and stop, called by the program's actions (the buttons, the serial lines, the command line).
    // Starts the countdown from its set length; false when no time is set (the caller tells the user).
    bool zapniOdpocit();
    void vypniOdpocit();
    void btnPauzaClick();

    LazyDialog<TfrmDalsiOdpocit>& dalsiOdpocit() { return frmDalsiOdpocit_; }
    TfrmDalsiOdpocit* frmDalsiOdpocit() const; // built when it was not yet
    // How long after its end moment the last countdown end was handled, and how many were.
    TDateTime lastEndLateness() const { return lastEndLateness_; }
    int endsHandled() const { return endsHandled_; }

signals:
    // The end started the stopwatch and the separate display follows it now.
    void displaySwitched(DisplaySource source);

private:
    void showProgress(UtcTime now);

    ProgramState& state_;
    Questions& questions_;
    TDateTime lastEndLateness_ = 0;
    int endsHandled_ = 0;

    QFrame* pnlProgressOdpocit = nullptr;
    QCheckBox* chbOdpOpakovat = nullptr;
    QFrame* pnlOdpocit = nullptr;
    QLabel* lblOdpZprava = nullptr;
    QLineEdit* edtOdpZprava = nullptr;
    QPushButton* btnPauza = nullptr;
    LazyDialog<TfrmDalsiOdpocit> frmDalsiOdpocit_;
};

} // namespace tavrok
