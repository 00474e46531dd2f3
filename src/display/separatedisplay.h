#pragma once

#include "common/datetime.h"
#include "widgets/lazydialog.h"

#include <QObject>

#include <memory>
#include <optional>

class QAction;
class QTimer;
class QWidget;

namespace tavrok {

class ProgramState;
class StopwatchPanel;
class TfrmDisplej;
class TfrmNastaveniDispleje;
struct PlatformServices;
enum class DisplaySource;

// The separate display as an output: its window (its own, with its own taskbar button) fed from the
// chosen source at every function tick while it is visible, held on a split for the time the stopwatch
// options give; its settings dialog; F5 and the menu's entries, which work in the display window too.
class SeparateDisplay : public QObject {
    Q_OBJECT
public:
    // The dialog is a child of `window`, built when first opened; the stopwatch's splits hold the time
    // shown.
    SeparateDisplay(ProgramState& state, const PlatformServices& services, QWidget* window,
                    StopwatchPanel& stopwatch);
    ~SeparateDisplay() override;

    // The menu's entries: the settings dialog, and showing the display.
    void wireMenu(QAction* settings, QAction* show);
    void mnuZobrazitDisplejClick();
    // Feeds the display from its source, when it is visible.
    void feed(LocalTime localNow);
    // The source chosen by another input (a serial line, the countdown's end), shown in the dialog too.
    void showSource(DisplaySource source);
    // A running time is shown: the function tick keeps the frame rate.
    bool runsVisibly() const;
    void tmrZastaveniCasuTimer();

    TfrmDisplej& frmDisplej() const { return *frmDisplej_; }
    LazyDialog<TfrmNastaveniDispleje>& nastaveniDispleje() { return frmNastaveniDispleje_; }

signals:
    // Shown or set up anew: the next function tick is due at once.
    void needsTick();

private:
    void onSplitTaken(TDateTime elapsed);
    ProgramState& state_;
    std::unique_ptr<TfrmDisplej> frmDisplej_;
    LazyDialog<TfrmNastaveniDispleje> frmNastaveniDispleje_;
    std::optional<DisplaySource> switchedSource_; // chosen by another input: the dialog shows it when built
    QTimer* tmrZastaveniCasu = nullptr;
};

} // namespace tavrok
