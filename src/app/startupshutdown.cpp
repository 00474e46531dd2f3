// The main window's start-up and shutdown, step by step in their order.
#include "alarms/alarmpanel.h"
#include "app/digitinput.h"
#include "app/runningengines.h"
#include "app/programactions.h"
#include "app/splithotkey.h"
#include "display/notificationarea.h"
#include "display/seriallines.h"
#include "update/updatechecker.h"
#include "app/tfrmhlavniokno.h"
#include "display/separatedisplay.h"
#include "common/programlog.h"
#include "countdown/countdownpanel.h"
#include "display/tfrmdisplej.h"
#include "display/tfrmseriovyport.h"
#include "display/trayicon.h"
#include "platform/audiodevice.h"
#include "sound/soundwarmup.h"
#include "platform/clock.h"
#include "platform/unattendedquestions.h"
#include "stopwatch/continuation.h"
#include "stopwatch/stopwatchpanel.h"
#include "storage/inifile.h"
#include "widgets/centre.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace tavrok {

namespace {
// Long enough for the window's first paint to reach the screen.
constexpr int StartupSoundsDelayMs = 250;
} // namespace

void TfrmHlavniOkno::formCreate(const QString& executableFolder) {
    qApp->installEventFilter(this); // the window sees every key first
    state_.storage.resolveAtStartup(executableFolder);
    state_.menu = nactiStavHlavnihoOkna(state_.storage.settingsIni());
    mnuDoIkony->setChecked(state_.menu.doIkony);
    mnuZvuk->setChecked(state_.menu.zvuk);
    mnuVzdyNahore->setChecked(state_.menu.vzdyNahore);
    setWindowFlag(Qt::WindowStaysOnTopHint, state_.menu.vzdyNahore);
    formResize();
    prepniFunkci(Funkce::Budik);
}

void TfrmHlavniOkno::formResize() {
    limits_ = sizeLimits(btnKonec->geometry(), lblH->geometry().bottom() + 1, menuBar()->sizeHint().height());
    // Only real changes: every new constraint makes the window manager answer with another resize.
    const QSize minimum(limits_.width, limits_.minHeight);
    const QSize maximum(limits_.width, limits_.maxHeight);
    if (minimumSize() != minimum) {
        setMinimumSize(minimum);
    }
    if (maximumSize() != maximum) {
        setMaximumSize(maximum);
    }
}

void TfrmHlavniOkno::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    formResize();
}

void TfrmHlavniOkno::showEvent(QShowEvent* event) {
    if (state_.main.firstShow) {
        formShow();
    }
    QMainWindow::showEvent(event);
    if (endedForUpdate_) {
        return;
    }
    if (endingSession_) {
        return; // closing: no update check now
    }
    if (!state_.main.firstShow) {
        if (!event->spontaneous() && !isMinimized()) {
            area_->leave(); // shown again by the program: a notice or the icon's menu
        }
        onStateChanged(); // what was not drawn while nobody saw it is due now
    }
    updateChecker_->kontrolaVerzeKdyzNaRade(state_.clock.now().days());
}

void TfrmHlavniOkno::formShow() {
    IniFile& settings = state_.storage.settingsIni();
    // Once the session ends, nobody answers: the remaining steps take the unattended answers.
    UnattendedQuestions unattended;
    const auto questions = [&]() -> Questions& { return endingSession_ ? unattended : services_.questions; };

    nactiJazyk(); // every text below speaks the user's language
    // Before any box: the updater's confirmation may come while one is open.
    state_.main.lastVersionCheck = settings.readDateTime(u"stavProgramu", u"posledniKontrolaVerze", 0);

    // An update the updater prepared for this start, before anything is loaded.
    if (!updateChecker_->aktualizacePoSpusteni(questions())) {
        endedForUpdate_ = true; // handed over to the downloader: the program ends without its shutdown
        state_.main.firstShow = false;
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }

    // The alarms, and the next one on the digits.
    alarmPanel_->loadAlarmsAtStart();
    alarmPanel_->loadIntoEditor(state_.alarmClock.nasledujici(), true);

    // The countdown remembered from the last run, then whatever the last run left running.
    if (const auto c = nactiPamatovanyOdpocet(settings)) {
        state_.countdown.setLeft(c->odpocitCas);
        state_.odpocitOpakovat = c->odpocitOpakovat;
        state_.odpocitZprava = c->odpocitZprava;
    }
    pokracovani::pokracujPoSpusteni(state_, questions());
    stopwatchPanel_->refresh();
    countdownPanel_->refresh();

    // The window's height and place: positions are those of the client area, since the frame's size is
    // not known before the window is mapped, and a frame position would drift at every restart.
    const int height = std::clamp(startHeight(settings, limits_.maxHeight), limits_.minHeight, limits_.maxHeight);
    resize(limits_.width, height);
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QSize screenSize = primary ? primary->geometry().size() : QSize(1024, 768);
    setGeometry(QRect(keepTitleOnScreen(startPosition(settings, screenSize, size()), size(), screenWorkAreas(),
                                        GuessedTitleHeight),
                      size()));
    state_.main.currentFunction = funkceFromStored(startFunction(settings));

    for (const auto& [original, aside] : state_.storage.movedAside()) {
        questions().tell(fillPlaceholders(state_.messages.text(MessageTable::MovedAside), {{u"%d1", original}, {u"%d2", aside}}),
                       MessageIcon::Warning);
    }
    if (const StorageLocations::Lent& lent = state_.storage.lent(); lent.message != 0) {
        questions().tell(fillPlaceholders(state_.messages.text(lent.message),
                                          {{u"%d1", QDir::toNativeSeparators(lent.settingsFolder)},
                                           {u"%d2", QDir::toNativeSeparators(lent.configFolder)}}),
                         lent.message == MessageTable::SetGivenBack ? MessageIcon::Information : MessageIcon::Warning);
    }
    // What the last run left running is taken over: it must not be offered again, also when the
    // program ends while one of the boxes below is open.
    if (!pokracovani::smaz(settings)) {
        questions().tell(fillPlaceholders(state_.messages.text(21), settings.path()), MessageIcon::Error);
    }
    QStringList missing; // one box for all of them
    for (const QStringView name : {u"Zvonek.wav", u"Signalk.wav", u"Signald.wav"}) {
        const QString path = state_.standardSound(name);
        if (!QFileInfo::exists(path)) {
            missing << path;
        }
    }
    if (!missing.isEmpty()) {
        questions().tell(fillPlaceholders(state_.messages.text(18), missing.join(u'\n')), MessageIcon::Error);
    }
    state_.reloadCountdownOptions();
    state_.tavrokOptions = nactiDalsiTvr(settings);
    state_.mezicasySloucit = settings.readBool(u"nastaveniMezicasu", u"sloucit", true);
    serialLines_->connectAtStart();
    if (settings.readBool(u"nastaveni", u"pouzitMezicas", false)) {
        // Once the window stands and its timers run: what the key's registration tells (a Wayland
        // desktop, a key another program holds) must not hold up the alarms while it waits for an answer.
        QTimer::singleShot(0, this, [this] {
            if (!endingSession_) {
                splitHotkey_->take();
            }
        });
    }
    // What rang while the program was closed, shown once the window stands: after the boxes above, so
    // that a session ending while one is open leaves the alarms unmarked, to be listed at the next start.
    if (!endingSession_) {
        alarmPanel_->najdiZmeskaneBudiky();
    }
    if (settings.readBool(u"nastaveni", u"zobrazovatBudiky", true) && !state_.zmeskaneBudiky.seznam.empty()) {
        QTimer::singleShot(0, this, [this] {
            if (!endingSession_) {
                mnuZmeskaneBudikyClick();
            }
        });
    }

    state_.main.minimizePending = true;
    // The separate display's look, and its place (it is shown by the menu).
    state_.displej = nactiNastaveniDispleje(settings);
    display_->frmDisplej().apply(state_.displej);
    display_->frmDisplej().restoreWindowPlace(nactiStavDispleje(settings, screenSize));
    state_.main.firstShow = false;
    digitInput_->setVisible(false);
    onStateChanged();
    tmrFunkce->start(0);
    tmrAktualizaceCasu->start(0);
    btnZapnout->setFocus(); // the digits take typed keys from the start
    actions_->markReady(); // everything is loaded and the ticks run: others may ask now
    // The sound device and the standard sounds ahead of the first sound that may come, looked at once
    // the window is on the screen and after every change.
    auto* warmUp = new SoundWarmUp(state_, services_.audio,
                                   [this] { return !endingSession_ && !actions_->closing(); }, this);
    QTimer::singleShot(StartupSoundsDelayMs, warmUp, [this, warmUp] {
        connect(actions_, &ProgramActions::changed, warmUp, &SoundWarmUp::check);
        warmUp->check();
    });
    if (endingSession_) {
        QTimer::singleShot(0, this, [this] {
            close();
            QCoreApplication::exit(0);
        });
    }
}

void TfrmHlavniOkno::endSession() {
    if (endingSession_) {
        return; // a second signal while closing
    }
    endingSession_ = true;
    QCoreApplication::exit(0); // ends the loop of a box that may be open
    if (state_.main.firstShow) {
        return; // the start-up ends first, unattended, and then closes (formShow)
    }
    close();
}

void TfrmHlavniOkno::closeEvent(QCloseEvent* event) {
    if (endedForUpdate_) {
        event->accept(); // the downloader replaces the program: nothing of this run is saved
        emit closed();
        return;
    }
    UnattendedQuestions unattended;
    bool close = formClose(endingSession_ ? static_cast<Questions&>(unattended) : services_.questions);
    if (!close && endingSession_) {
        close = formClose(unattended); // the session ended while one of the questions was open
    }
    if (close) {
        state_.sounds.vypnoutUpozorneni();
        tmrPrehravaniZvuku->stop();
        services_.audio.close();
        area_->killIcon();
        splitHotkey_->letGo();
        event->accept();
        emit closed();
    } else {
        event->ignore();
    }
}

bool TfrmHlavniOkno::formClose(Questions& questions) {
    IniFile& settings = state_.storage.settingsIni();
    actions_->setClosing(true); // until the state is saved and the questions answered
    const UtcTime now = state_.clock.utcNow();
    // The values of this moment, not of the last tick: a window minimised for an hour has drawn nothing.
    state_.stopwatch.tick(now);
    if (state_.countdown.running()) {
        state_.countdown.setLeft(std::max(0.0, state_.countdown.end() - now));
    }
    ExitState exit;
    exit.position = geometry().topLeft();
    exit.height = height();
    exit.menu = state_.menu;
    exit.countdown = {state_.countdown.left(), state_.odpocitOpakovat, state_.odpocitZprava};
    exit.function = state_.function();
    exit.lastVersionCheck = state_.main.lastVersionCheck;
    exit.display = display_->frmDisplej().windowPlace();
    exit.mezicasySloucit = state_.mezicasySloucit;
    if (!state_.main.settingsImported && !ulozStavPriUkonceni(settings, exit)) {
        questions.tell(fillPlaceholders(state_.messages.text(8), settings.path()), MessageIcon::Warning);
    }
    const pokracovani::Settled settled = pokracovani::ulozPokracovani(state_, questions, endingSession_);
    bool close = settled.close;
    if (settled.showSplits) {
        QTimer::singleShot(0, this, [this] { stopwatchPanel_->btnTvrImpExpClick(); }); // once the close was refused
    }
    if (state_.countdown.paused() && !endingSession_ &&
        questions.ask(state_.messages.text(14), MessageIcon::Warning, MessageButtons::YesNo) != Answer::Yes) {
        close = false;
    }
    const bool unsavedAlarm = !state_.editor.muzeZavrit(state_.alarmClock.seznam().seznamNazvuBudiku.size() > 1,
                                                        settings.readBool(u"nastaveni", u"kontrolovatUlozeniBudiku", true),
                                                        questions, state_.messages);
    if (unsavedAlarm && endingSession_) {
        zapisDoLogu(QStringLiteral("the session ended with the alarm on the digits edited and not saved"));
    } else if (unsavedAlarm) {
        close = false;
    }
    if (!close) {
        // The program stays open: what was written for the next start must not outlive this run.
        (void)pokracovani::smaz(settings);
        actions_->setClosing(false);
    }
    return close;
}

} // namespace tavrok
