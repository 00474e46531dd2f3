#pragma once

#include "app/functionpanel.h"
#include "widgets/lazydialog.h"

class QComboBox;
class QFrame;
class QPushButton;

namespace tavrok {

class MessageTable;
class ProgramState;
class Questions;
class FileDialogs;
class Pickers;
class Printing;
class TfrmDalsiTavrok;
class TfrmMezicasy;

// The stopwatch's controls in the main window: the split list and its buttons.
class StopwatchPanel : public FunctionPanel {
    Q_OBJECT
public:
    struct Services {
        Questions& questions;
        FileDialogs& files;
        Pickers& pickers;
        Printing& printing;
    };
    StopwatchPanel(ProgramState& state, Services services, QWidget* parent);

    void setShown(bool shown) override;
    void btnVynulovatClick() override;
    void btnDalsiClick() override;
    void tick(const TickTime&, bool, AfterTick&) override {}
    void refresh() override;

    void zapniTavrok();
    void vypniTavrok();
    void btnTvrMezicasClick() { zkratkaMezicasuStisknuta(); }
    // A split from anywhere: the button, the hotkey, a serial line. Only while the stopwatch runs.
    void zkratkaMezicasuStisknuta();
    void btnTvrVymazatClick();
    void btnTvrVymazatVseClick();
    LazyDialog<TfrmDalsiTavrok>& dalsiTavrok() { return frmDalsiTavrok_; }
    TfrmDalsiTavrok* frmDalsiTavrok() const; // built when it was not yet
    // The split-times manager, not modal.
    void btnTvrImpExpClick();
    LazyDialog<TfrmMezicasy>& mezicasy() { return frmMezicasy_; }
    TfrmMezicasy* frmMezicasy() const;

signals:
    // A split was taken; `elapsed` is its time.
    void splitTaken(TDateTime elapsed);

private:
    void syncSplitList();

    ProgramState& state_;
    Questions& questions_;
    LazyDialog<TfrmDalsiTavrok> frmDalsiTavrok_;
    LazyDialog<TfrmMezicasy> frmMezicasy_;
    QFrame* pnlTavrok = nullptr;
    QComboBox* cbxMezicasy = nullptr;
    QPushButton* btnTvrMezicas = nullptr;
    QPushButton* btnTvrVymazat = nullptr;
    QPushButton* btnTvrImpExp = nullptr;
    QPushButton* btnTvrVymazatVse = nullptr;
};

} // namespace tavrok
