#pragma once

#include "app/functionview.h"
#include "app/programstate.h"
#include "platform/services.h"
#include "widgets/lazydialog.h"

#include <QMainWindow>
#include <QEvent>
#include <QPointer>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QValidator;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace tavrok {

class ProgramActions;
class SplitHotkey;
class AlarmPanel;
class ClickLabel;
class ClockEditor;
class CountdownPanel;
class DigitInput;
class FunctionPanel;
class StopwatchPanel;
class TfrmDalsiOdpocit;
class SeparateDisplay;
class SerialLines;
class TfrmNastaveni;
class TfrmOProgramu;
class DesktopNotifier;
class NotificationArea;
struct PortSide;
class HelpBrowser;
class UpdateChecker;

// The main window: the shared controls, the menus, the title, the function labels and the timers. It
// shows the program state and forwards the user's actions to the panel of each function.
class TfrmHlavniOkno : public QMainWindow {
    Q_OBJECT
public:
    TfrmHlavniOkno(const QString& executableFolder, PlatformServices services, QWidget* parent = nullptr);
    ~TfrmHlavniOkno() override;

    ProgramState& programState() { return state_; }
    const TMainState& state() const { return state_.main; }
    StorageLocations& storage() { return state_.storage; }
    const MessageTable& messageTable() const { return state_.messages; }
    const Stopwatch& stopwatch() const { return state_.stopwatch; }
    Countdown& countdown() { return state_.countdown; }
    const AlarmClock& alarmClock() const { return state_.alarmClock; }
    SoundManager& sounds() { return state_.sounds; }
    QString standardSound(QStringView name) const { return state_.standardSound(name); }
    SizeLimits limits() const { return limits_; }
    int markedPosition() const;
    StopwatchPanel& stopwatchPanel() const { return *stopwatchPanel_; }
    CountdownPanel& countdownPanel() const { return *countdownPanel_; }
    AlarmPanel& alarmPanel() const { return *alarmPanel_; }
    // What every input asks of the program.
    ProgramActions& actions() const { return *actions_; }
    TfrmDalsiOdpocit* frmDalsiOdpocit() const;
    TfrmNastaveni* frmNastaveni() const; // built when it was not yet
    const NotificationArea& notificationArea() const { return *area_; }
    SeparateDisplay& separateDisplay() const { return *display_; }

    // The function labels act as tabs.
    void lblFceBudikClick() { prepniFunkci(Funkce::Budik); }
    void lblFceTavrokClick() { prepniFunkci(Funkce::Tavrok); }
    void lblFceOdpocitClick() { prepniFunkci(Funkce::Odpocit); }

    void btnKonecClick();
    void mnuKonecClick();
    void btnDalsiClick();
    void mnuVypnoutUpozorneniClick();
    void mnuNastaveniClick();
    void mnuOProgramuClick();
    void mnuZmeskaneBudikyClick();
    void mnuImportClick();
    // Help: the page of the window in front, or of the function shown.
    void mnuIndexClick();
    void otevriNapovedu(const QString& page);
    // F1 pressed in one of the program's windows.
    void napovedaKOknu(const QWidget* window);
    HelpBrowser* helpBrowser() const { return helpBrowser_; }
    void mnuExportClick();
    // Applies the language file in use to every window and to the words and messages of the program.
    void nactiJazyk();
    // Shows the window, also from the notification area.
    void mnuObnovitClick();
    SplitHotkey& splitHotkey() const { return *splitHotkey_; }
    SerialLines& serialLines() const { return *serialLines_; }
    void lblCasClick();
    const UpdateChecker& updateChecker() const { return *updateChecker_; }
    // The session ends (logout, shutdown, a terminating signal): closes in order without asking anyone.
    void endSession();

    // The ticks; public so that tests and benchmarks can run them at exact moments.
    void tmrFunkceTimer();
    void tmrFunkceTimer(LocalTime now); // the wall clock's moment already read by the clock tick
    void tmrAktualizaceCasuTimer();
    void tmrPrehravaniZvukuTimer();

signals:
    // The shutdown sequence ran to its end: the program may quit. (A hidden window in the notification
    // area must not end it when the last box closes.)
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Building the window.
    void buildControls();
    void buildPanels(const PlatformServices& services);
    void buildMenu();
    void buildTimers();
    void buildTray();
    void buildDisplay();
    void buildSerial();
    PortSide programFiles() const;
    void portuj(const PortSide& source, const PortSide& target, bool exportuje);
    void layOutFunctionLabels();
    // Start-up and shutdown, in their order.
    void formCreate(const QString& executableFolder);
    void formShow();
    bool formClose(Questions& questions);
    void formResize();

    FunctionPanel& panel(Funkce f) const;
    void prepniFunkci(Funkce target);
    // Shows everything that reads the state: labels, panels, digits, title; plans the next tick.
    void onStateChanged();
    void applyView();
    void paintFunctionLabels();
    void zobrazNaDispleji();
    void showTitle();
    void setTitle(const QString& title);
    void scheduleFunctionTick();
    bool isShownOnScreen() const { return isVisible() && !isMinimized(); }
    bool editorFocused() const;
    void edtDChange(const QString& text);
    bool winMessageKey(QKeyEvent* key, bool released);
    void mnuVzdyNahoreClick();

    PlatformServices services_;
    ProgramState state_;
    HelpBrowser* helpBrowser_ = nullptr;
    SizeLimits limits_{};
    QString clockText_;
    int pendingSwitch_ = 0; // Ctrl+Tab pressed: the function switches on the Tab's release
    struct HandledKey {
        const QEvent* event = nullptr;
        QEvent::Type type = QEvent::None;
        int key = 0;
        QPointer<QWidget> widget;
    };
    HandledKey lastKey_; // the key event last handled, and where

    bool endingSession_ = false;
    bool endedForUpdate_ = false; // handed over to the downloader: the program ends without its shutdown
    UpdateChecker* updateChecker_ = nullptr;
    struct {
        std::optional<LocalTime> local;
        UtcTime utc;
    } plannedAlarm_; // the next alarm's moment on both scales
    std::optional<UtcTime> plannedDue_; // the due moment the function tick was last planned for
    QValidator* dayValidator_ = nullptr;

    StopwatchPanel* stopwatchPanel_ = nullptr;
    CountdownPanel* countdownPanel_ = nullptr;
    AlarmPanel* alarmPanel_ = nullptr;
    DigitInput* digitInput_ = nullptr;
    ClockEditor* clockEditor_ = nullptr;
    LazyDialog<TfrmNastaveni> frmNastaveni_;
    TfrmOProgramu* frmOProgramu_ = nullptr;
    std::unique_ptr<DesktopNotifier> notifier_; // when the desktop has notifications
    ProgramActions* actions_ = nullptr;
    SplitHotkey* splitHotkey_ = nullptr;
    std::unique_ptr<SeparateDisplay> display_;
    std::unique_ptr<NotificationArea> area_; // uses the display: goes before it
    SerialLines* serialLines_ = nullptr;

    QTimer* tmrFunkce = nullptr;
    QTimer* tmrAktualizaceCasu = nullptr;
    QTimer* tmrPrehravaniZvuku = nullptr;

    QLabel* lblCas = nullptr;
    ClickLabel* lblFceBudik = nullptr;
    ClickLabel* lblFceTavrok = nullptr;
    ClickLabel* lblFceOdpocit = nullptr;
    QLabel* lblH = nullptr;
    QLabel* lblM = nullptr;
    QLabel* lblS = nullptr;
    QLabel* lblHOd = nullptr;
    QLabel* lblMOd = nullptr;
    QLabel* lblMs = nullptr;
    QFrame* pnlDny = nullptr;
    QLineEdit* edtD = nullptr;
    QLabel* lblDnu = nullptr;
    QPushButton* btnZapnout = nullptr;
    QPushButton* btnDalsi = nullptr;
    QPushButton* btnVynulovat = nullptr;
    QPushButton* btnPauza = nullptr;
    QPushButton* btnKonec = nullptr;

    QAction* mnuDoIkony = nullptr;
    QAction* mnuVzdyNahore = nullptr;
    QAction* mnuZvuk = nullptr;
    QAction* mnuVypnoutUpozorneni = nullptr;
};

} // namespace tavrok
