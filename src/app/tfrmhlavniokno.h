#pragma once

#include "alarms/alarmclock.h"
#include "alarms/alarmeditor.h"
#include "app/buttoncaptions.h"
#include "app/daynames.h"
#include "app/digiteditor.h"
#include "countdown/countdown.h"
#include "app/functionview.h"
#include "app/mainstate.h"
#include "app/windowstate.h"
#include "lang/messagetable.h"
#include "platform/questions.h"
#include "platform/services.h"
#include "sound/soundmanager.h"
#include "stopwatch/stopwatch.h"
#include "storage/storagelocations.h"

#include <QMainWindow>

class QAction;
class QCheckBox;
class QKeyEvent;
class QMouseEvent;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tavrok {

class Clock;
class ClickLabel;
class TfrmDalsiOdpocit;
class TfrmNastaveni;
class Questions;

// The main window: shows the state of the engines and forwards the user's actions to them.
class TfrmHlavniOkno : public QMainWindow {
    Q_OBJECT
public:
    TfrmHlavniOkno(const QString& executableFolder, PlatformServices services, QWidget* parent = nullptr);
    ~TfrmHlavniOkno() override;

    StorageLocations& storage() { return storage_; }
    const MessageTable& messageTable() const { return messageTable_; }
    const ButtonCaptions& buttonCaptions() const { return buttonCaptions_; }
    const TMainState& state() const { return state_; }
    const Stopwatch& stopwatch() const { return stopwatch_; }
    const Countdown& countdown() const { return countdown_; }
    Countdown& countdown() { return countdown_; }
    int markedPosition() const { return position_; }
    // How long after its end moment the last countdown end was handled.
    TDateTime lastEndLateness() const { return lastEndLateness_; }
    int endsHandled() const { return endsHandled_; }
    const AlarmClock& alarmClock() const { return alarmClock_; }
    const AlarmEditor& alarmEditor() const { return editor_; }
    // How long after its moment the last alarm rang, and how many have rung.
    TDateTime lastAlarmLateness() const { return lastAlarmLateness_; }
    int alarmsRung() const { return alarmsRung_; }

    void btnBudNacistClick();
    void btnBudUlozitClick();
    void btnBudVymazatClick();
    void btnBudVymazatVseClick();

    // Start and stop, from the countdown's button or from any function (the serial input lines).
    void zapniOdpocit();
    void vypniOdpocit();
    SoundManager& sounds() { return sounds_; }
    // The standard sound files: Zvonek.wav for alarms, Signalk.wav and Signald.wav for the countdown.
    QString standardSound(QStringView name) const;
    SizeLimits limits() const { return limits_; }

    // The function labels act as tabs.
    void lblFceBudikClick() { prepniFunkci(Funkce::Budik); }
    void lblFceTavrokClick() { prepniFunkci(Funkce::Tavrok); }
    void lblFceOdpocitClick() { prepniFunkci(Funkce::Odpocit); }

    void btnZapnoutClick();
    void btnVynulovatClick();
    void btnTvrMezicasClick();
    void btnTvrVymazatClick();
    void btnTvrVymazatVseClick();
    void zkratkaMezicasuStisknuta();
    void mnuVypnoutUpozorneniClick();
    void btnPauzaClick();
    void btnDalsiClick();
    TfrmDalsiOdpocit* frmDalsiOdpocit() const { return frmDalsiOdpocit_; }
    TfrmNastaveni* frmNastaveni() const { return frmNastaveni_; }
    void mnuNastaveniClick();
    void lblCasClick();
    // Selects the digit at the position, as a click on its half of a label does.
    void uD1Click();

    // The two ticks; public so that tests can run them at exact moments.
    void tmrFunkceTimer();
    void tmrAktualizaceCasuTimer();
    void tmrPrehravaniZvukuTimer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void formCreate(const QString& executableFolder);
    void formShow();
    bool formClose();
    void formResize();
    void prepniFunkci(Funkce target);
    void applyView(const FunctionView& view);
    void paintFunctionLabels();
    void zobrazNaDispleji(TDateTime value);
    TDateTime zakodujDisplej(bool includeDays) const;
    void setTitle(const QString& title);
    void refreshTitleFromClock();
    void scheduleFunctionTick();
    void scheduleClockTick();
    void zapniTavrok();
    void vypniTavrok();
    void syncSplitList();
    void mnuVzdyNahoreClick();
    bool isShownOnScreen() const;
    // Running engines across a restart.
    RunningChoice zvolPokracovani(int line1, int line2);
    bool ulozPokracovani();
    void pokracujPoSpusteni();
    // Alarms.
    void alarmTick(TDateTime now);
    void syncAlarmList(const QString& keepText);
    void selectNextAlarm();
    void loadIntoEditor(const QString& name);
    void showAlarmEditorState(TDateTime now);
    void alarmChanged();
    void reloadAlarms();
    // Countdown.
    void odpocitTick(TDateTime now);
    void showCountdownState();
    // Editing the digits.
    bool markerTakesKeys() const;
    bool editorFocused() const;
    void paintMarker();
    TDigits readDigits() const;
    void writeDigits(const TDigits& digits);
    void digitsEdited();
    bool winMessageKey(QKeyEvent* key, bool released);
    void digitLabelPressed(QLabel* label, QMouseEvent* event);
    void digitLabelClicked(QLabel* label, QMouseEvent* event);
    int positionUnderMouse(QLabel* label, QMouseEvent* event) const;
    void keyPressEditaceCasu();
    void refreshClockEditor(TDateTime now);

    Clock& clock_;
    Questions& questions_;
    AudioDevice& audio_;
    ClockSetter& clockSetter_;
    PlatformServices services_;
    StorageLocations storage_;
    MessageTable messageTable_;
    ButtonCaptions buttonCaptions_;
    DayNames dayNames_;
    TMainState state_;
    Stopwatch stopwatch_;
    SoundManager sounds_;
    Countdown countdown_;
    AlarmClock alarmClock_;
    AlarmEditor editor_;
    TDateTime lastAlarmLateness_ = 0;
    int alarmsRung_ = 0;
    TDalsiOdpocit odpocitOptions_;
    TfrmDalsiOdpocit* frmDalsiOdpocit_ = nullptr;
    TfrmNastaveni* frmNastaveni_ = nullptr;
    int position_ = 1;      // the marked digit, as upDown1 holds it
    TDateTime lastEndLateness_ = 0;
    int endsHandled_ = 0;
    const QEvent* lastKeyEvent_ = nullptr;
    int lastKeyType_ = 0;
    bool dateLive_ = false; // the clock editor's fields still follow the clock
    bool timeLive_ = false;
    SizeLimits limits_{};
    QString clockText_;

    QTimer* tmrFunkce = nullptr;
    QTimer* tmrAktualizaceCasu = nullptr;
    QTimer* tmrPrehravaniZvuku = nullptr;

    QLabel* lblCas = nullptr;
    ClickLabel* lblFceBudik = nullptr;
    ClickLabel* lblFceTavrok = nullptr;
    ClickLabel* lblFceOdpocit = nullptr;
    QFrame* pnlProgressOdpocit = nullptr;
    QLabel* lblH = nullptr;
    QLabel* lblM = nullptr;
    QLabel* lblS = nullptr;
    QLabel* lblHOd = nullptr;
    QLabel* lblMOd = nullptr;
    QLabel* lblMs = nullptr;
    QFrame* pnlEditovanaCislice = nullptr;
    QCheckBox* chbOdpOpakovat = nullptr;
    QLabel* lblBudZprava = nullptr;
    QWidget* upDown1 = nullptr;
    QFrame* pnlZvonek = nullptr;
    QLabel* imgZvonek = nullptr;
    QFrame* pnlDny = nullptr;
    QLineEdit* edtD = nullptr;
    QLabel* lblDnu = nullptr;
    QPushButton* btnTvrImpExp = nullptr;
    QPushButton* btnTvrVymazatVse = nullptr;
    QFrame* pnlTavrok = nullptr;
    QComboBox* cbxMezicasy = nullptr;
    QPushButton* btnTvrMezicas = nullptr;
    QPushButton* btnTvrVymazat = nullptr;
    QFrame* pnlOdpocit = nullptr;
    QLabel* lblOdpZprava = nullptr;
    QLineEdit* edtOdpZprava = nullptr;
    QFrame* pnlBudik = nullptr;
    QComboBox* cbxBudiky = nullptr;
    QPushButton* btnBudUlozit = nullptr;
    QPushButton* btnBudNacist = nullptr;
    QPushButton* btnBudVymazat = nullptr;
    QLabel* lblDatumBudiku = nullptr;
    QPushButton* btnBudVymazatVse = nullptr;
    QPushButton* btnZapnout = nullptr;
    QPushButton* btnDalsi = nullptr;
    QPushButton* btnVynulovat = nullptr;
    QPushButton* btnPauza = nullptr;
    QPushButton* btnKonec = nullptr;
    QFrame* pnlDatCasEdit = nullptr;
    QLineEdit* mkeDatum = nullptr;
    QLineEdit* mkeCas = nullptr;

    QAction* mnuDoIkony = nullptr;
    QAction* mnuVzdyNahore = nullptr;
    QAction* mnuZvuk = nullptr;
    QAction* mnuVypnoutUpozorneni = nullptr;
};

} // namespace tavrok
