#pragma once

#include "alarms/missedalarms.h"
#include "alarms/snooze.h"
#include "app/clockwatch.h"
#include "app/functionpanel.h"
#include "widgets/lazydialog.h"

#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace tavrok {

class AlarmNamesModel;
class AudioDevice;
class FileDialogs;
class ProgramState;
class Questions;
class TfrmDalsiBudik;
class TfrmZmeskaneBudiky;

// The alarm clock's controls in the main window: the name box with its buttons, the date label and
// the bell; the alarm check of every tick.
class AlarmPanel : public FunctionPanel {
    Q_OBJECT
public:
    struct Services {
        Questions& questions;
        FileDialogs& files;
        AudioDevice& audio;
    };
    AlarmPanel(ProgramState& state, Services services, QWidget* parent);

    void setShown(bool shown) override;
    void btnZapnoutClick(); // the alarm on or off (the engines' buttons go through the program's actions)
    void btnVynulovatClick() override;
    void btnDalsiClick() override; // the alarm's schedule and notification
    void tick(const TickTime& now, bool onScreen, AfterTick& after) override;
    void refresh() override;

    void btnBudNacistClick();
    void btnBudUlozitClick();
    void btnBudVymazatClick();
    void btnBudVymazatVseClick();

    // Reads the list again and watches the next alarm.
    void reloadAlarms();
    // The same at start-up, picking in that one reading the alarms the missed-alarm search will read.
    void loadAlarmsAtStart();
    // Loads the alarm of that name onto the digits; quietly when asked (start-up, after a save).
    void loadIntoEditor(const QString& name, bool quietly = false);
    // The digits, the message or the name were changed by the user: the name box loses its green.
    void alarmChanged();

    // Start-up: what rang while the program was closed; the alarms are marked as checked up to now.
    void najdiZmeskaneBudiky();
    void mnuZmeskaneBudikyClick();
    // The alarm file was changed from outside (an import): the list, the next alarm and the alarm shown
    // are read again, and what an imported alarm missed is gathered as at start; it is shown when
    // `zobrazovatBudiky` (as it stood before the import) says so. Without `gatherMissed` (the session
    // ends) the alarms stay unmarked.
    void alarmsReplaced(bool zobrazovatBudiky, bool gatherMissed = true);
    // Much time passed at once (the computer slept, the clock was set forward): what fell in the gap
    // is added to the missed alarms, and the alarm due rings at the tick as well.
    static constexpr TDateTime LongGap = 1.0 / 1440; // a minute: the ticks come at least every second
    // The wall clock moved at once (ClockWatch): what fell in a long gap is added to the missed list,
    // and a clock set back takes back the marks it left ahead. True when the list is to be shown now.
    bool clockMoved(const ClockWatch::Change& change, LocalTime now);
    // Adds what was missed since each alarm's "posledni"; true when anything was.
    bool pridejZmeskane();
    LazyDialog<TfrmDalsiBudik>& dalsiBudik() { return frmDalsiBudik_; }
    LazyDialog<TfrmZmeskaneBudiky>& zmeskaneBudiky() { return frmZmeskaneBudiky_; }
    TfrmDalsiBudik* frmDalsiBudik() const; // built when it was not yet
    TfrmZmeskaneBudiky* frmZmeskaneBudiky() const;

    // Whether the alarm named in the box (the alarm function shown) is put off; cancelling it keeps its
    // regular rings.
    bool zobrazenyOdlozen() const;
    void zrusOdlozeni();
    // An alarm was put off, or one put off was cancelled or rang: the marks and the label follow.
    void snoozesChanged();

    // How long after its moment the last alarm rang, and how many have rung.
    TDateTime lastAlarmLateness() const { return lastAlarmLateness_; }
    int alarmsRung() const { return alarmsRung_; }

private:
    // A ring: the desktop is told, the box (with "Odložit" when snoozing is on) comes after the tick.
    void ring(const Zazvoneni& ring, bool clickEndsSound, AfterTick& after);
    // An alarm put off is due: it rings with its sound and message as saved now.
    void ringSnoozed(const OdlozenyBudik& snoozed, UtcTime now, AfterTick& after);
    // A ring too late to ring: among the missed alarms, the list shown when the settings say so.
    void listAsMissed(const QString& name, TDateTime moment, AfterTick& after);
    void showLoadedList(TDateTime now);
    void syncAlarmList(const QString& keepText);
    void selectNextAlarm();
    void showEditorState(TDateTime now);
    void paintNameBox();
    // "Odloženo do 7:10" for an alarm put off, empty for one that is not.
    QString odlozenoDo(const QString& name) const;

    ProgramState& state_;
    Questions& questions_;
    std::unique_ptr<MissedAlarmCandidates> startCandidates_; // until the start's search has used them
    LazyDialog<TfrmDalsiBudik> frmDalsiBudik_;
    LazyDialog<TfrmZmeskaneBudiky> frmZmeskaneBudiky_;
    TDateTime lastAlarmLateness_ = 0;
    int alarmsRung_ = 0;
    int shownBell_ = -1;

    QLabel* lblBudZprava = nullptr;
    QFrame* pnlZvonek = nullptr;
    QLabel* imgZvonek = nullptr;
    QFrame* pnlBudik = nullptr;
    QComboBox* cbxBudiky = nullptr;
    AlarmNamesModel* names_ = nullptr;
    QPushButton* btnBudUlozit = nullptr;
    QPushButton* btnBudNacist = nullptr;
    QPushButton* btnBudVymazat = nullptr;
    QLabel* lblDatumBudiku = nullptr;
    QPushButton* btnBudVymazatVse = nullptr;
};

} // namespace tavrok
