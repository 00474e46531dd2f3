#include "app/tfrmhlavniokno.h"
#include "app/programinputs.h"
#include "update/updatechecker.h"

#include "alarms/alarmpanel.h"
#include "app/clockeditor.h"
#include "app/digitinput.h"
#include "app/tickplanner.h"
#include "countdown/countdownpanel.h"
#include "display/separatedisplay.h"
#include "app/desktopnotices.h"
#include "app/programactions.h"
#include "display/notificationarea.h"
#include "platform/clock.h"
#include "platform/trayhost.h"
#include "stopwatch/stopwatchpanel.h"
#include "stopwatch/tfrmmezicasy.h"
#include "storage/tfrmnastaveni.h"
#include "widgets/clicklabel.h"
#include "widgets/digitsvalidator.h"
#include "widgets/digitslabel.h"
#include "widgets/labeltext.h"
#include "widgets/background.h"
#include "widgets/namedwidget.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>

namespace tavrok {

namespace {

const QColor Lime(0x00, 0xFF, 0x00);
const QColor Aqua(0x00, 0xFF, 0xFF);

QFont faceFont(const char* family, int pixels, bool bold = false) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// A day field being typed into keeps its text while it means the shown days ("007" or an emptied field
// on its way to a new number), but not a text of another function (the alarm's message).
bool isTypedDayCount(const QString& text, const QString& days) {
    const bool digits = std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digits && dayCountFromText(text) == days.toLongLong();
}

} // namespace

TfrmHlavniOkno::TfrmHlavniOkno(const QString& executableFolder, PlatformServices services, QWidget* parent)
    : QMainWindow(parent), services_(services),
      state_({services.clock, services.audio, services.beeper,
              [](int count) { return static_cast<int>(QRandomGenerator::global()->bounded(count)); }}) {
    setObjectName(QStringLiteral("frmHlavniOkno"));
    setWindowTitle(QStringLiteral("Tavrok"));
    // Only the system menu (with its close box) and minimize: the height is limited and the width fixed.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildControls();
    buildPanels(services);
    buildMenu();
    buildTimers();
    buildDisplay();
    buildTray();
    buildSerial();
    updateChecker_ = new UpdateChecker({state_, services.questions, services.windows, services.launcher}, this);
    formCreate(executableFolder);
    frmNastaveni_.setMake([this, services] {
        auto* d = new TfrmNastaveni({state_.storage, services.questions, services.files, services.autostart,
                                     state_.messages, QCoreApplication::applicationFilePath(), limits_.minHeight,
                                     limits_.maxHeight, &services.hotkey}, this);
        connect(d, &TfrmNastaveni::splitTimesMoved, this,
                [this] { stopwatchPanel_->frmMezicasy()->btnOtevritVychoziClick(); });
        return d;
    });
}

TfrmHlavniOkno::~TfrmHlavniOkno() {
    // Destroying the children moves the focus and sends events: none of it may reach this half-destroyed
    // window through the application-wide hooks.
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
}

void TfrmHlavniOkno::buildControls() {
    auto* c = new QWidget(this);
    c->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(c);
    const QColor windowColour = palette().color(QPalette::Base);

    // As high as the space above the function labels: the accents of "Út" and "Čt" stand above the capitals.
    lblCas = makeNamed<QLabel>(c, "lblCas", u"Nahr\u00E1v\u00E1n\u00ED...", 10, 0, 157, 16);
    lblCas->setFont(faceFont("MS Sans Serif", 12, true));
    lblFceBudik = makeNamed<ClickLabel>(c, "lblFceBudik", state_.functionCaptions.budik, 10, 16, 28, 13);
    lblFceTavrok = makeNamed<ClickLabel>(c, "lblFceTavrok", state_.functionCaptions.tavrok, 54, 16, 33, 13);
    lblFceOdpocit = makeNamed<ClickLabel>(c, "lblFceOdpocit", state_.functionCaptions.odpocit, 102, 16, 65, 13);
    for (ClickLabel* l : {lblFceBudik, lblFceTavrok, lblFceOdpocit}) {
        l->setAlignment(Qt::AlignCenter);
        l->setAutoFillBackground(true);
        l->setCursor(Qt::PointingHandCursor);
    }
    connect(lblFceBudik, &ClickLabel::clicked, this, &TfrmHlavniOkno::lblFceBudikClick);
    connect(lblFceTavrok, &ClickLabel::clicked, this, &TfrmHlavniOkno::lblFceTavrokClick);
    connect(lblFceOdpocit, &ClickLabel::clicked, this, &TfrmHlavniOkno::lblFceOdpocitClick);

    lblH = makeNamed<DigitsLabel>(c, "lblH", u"00", 10, 32, 36, 35);
    lblM = makeNamed<DigitsLabel>(c, "lblM", u"00", 54, 32, 36, 35);
    lblS = makeNamed<DigitsLabel>(c, "lblS", u"00", 98, 32, 36, 35);
    lblHOd = makeNamed<QLabel>(c, "lblHOd", u":", 46, 32, 8, 35);
    lblMOd = makeNamed<QLabel>(c, "lblMOd", u":", 90, 32, 8, 35);
    lblMs = makeNamed<DigitsLabel>(c, "lblMs", u"000", 134, 32, 33, 35);
    for (QLabel* l : {lblH, lblM, lblS}) {
        l->setFont(faceFont("Arial", 32));
    }
    for (QLabel* l : {lblHOd, lblMOd}) {
        l->setFont(faceFont("Arial", 28));
    }
    lblMs->setFont(faceFont("Arial", 20));
    for (QLabel* l : {lblCas, lblH, lblM, lblS, lblHOd, lblMOd, lblMs}) {
        l->setAlignment(l == lblMs ? Qt::AlignLeft | Qt::AlignBottom : Qt::AlignCenter);
        l->setAutoFillBackground(true);
        setBackground(l, windowColour);
    }
    lblMs->setContentsMargins(0, 0, 0, 5);
    for (QLabel* l : {lblH, lblM, lblS, lblMs}) {
        l->setFixedSize(l->size()); // see DigitsLabel
    }

    pnlDny = makeNamed<QFrame>(c, "pnlDny", 10, 86, 157, 20);
    edtD = makeNamed<QLineEdit>(pnlDny, "edtD", 0, 0, 113, 21);
    dayValidator_ = new DigitsValidator(static_cast<int>(QString::number(MaxDays).size()), edtD);
    lblDnu = makeNamed<QLabel>(pnlDny, "lblDnu", u"dn\u016F", 120, 2, 26, 16);
    lblDnu->setFont(faceFont("MS Sans Serif", 15, true));
    // The stopwatch disables the days panel so that it takes no focus; its text must still read clearly.
    for (QWidget* w : std::initializer_list<QWidget*>{edtD, lblDnu}) {
        QPalette p = w->palette();
        for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::Base}) {
            p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role));
        }
        w->setPalette(p);
    }
    connect(edtD, &QLineEdit::textEdited, this, &TfrmHlavniOkno::edtDChange);

    btnZapnout = makeNamed<QPushButton>(c, "btnZapnout", 10, 150, 76, 19);
    btnDalsi = makeNamed<QPushButton>(c, "btnDalsi", u"&Dal\u0161\u00ED...", 91, 150, 76, 19);
    btnVynulovat = makeNamed<QPushButton>(c, "btnVynulovat", u"V&ynulovat", 10, 172, 76, 19);
    btnPauza = makeNamed<QPushButton>(c, "btnPauza", state_.buttonCaptions.pauza, 91, 172, 76, 19);
    btnKonec = makeNamed<QPushButton>(c, "btnKonec", u"&Konec", 10, 194, 157, 19);
    connect(btnDalsi, &QPushButton::clicked, this, &TfrmHlavniOkno::btnDalsiClick);
    connect(btnKonec, &QPushButton::clicked, this, &TfrmHlavniOkno::btnKonecClick);
}

void TfrmHlavniOkno::buildPanels(const PlatformServices& services) {
    QWidget* c = centralWidget();
    countdownPanel_ = new CountdownPanel(state_, services, btnPauza, c);
    stopwatchPanel_ = new StopwatchPanel(state_, {services.questions, services.files, services.pickers, services.printing}, c);
    alarmPanel_ = new AlarmPanel(state_, {services.questions, services.files, services.audio}, c);
    digitInput_ = new DigitInput(state_, {lblH, lblM, lblS}, [this] { return editorFocused(); }, c);
    clockEditor_ = new ClockEditor({services.clock, services.clockSetter, services.questions, state_.messages,
                                    [this] { (void)state_.followClockChanges(0); }},
                                   c);
    for (FunctionPanel* p : std::initializer_list<FunctionPanel*>{countdownPanel_, stopwatchPanel_, alarmPanel_}) {
        connect(p, &FunctionPanel::stateChanged, this, &TfrmHlavniOkno::onStateChanged);
    }
    notifier_ = desktopNotices(this, state_, services, {countdownPanel_, alarmPanel_},
                               {[this] { actions_->show(); }, [this] { alarmPanel_->snoozesChanged(); }});
    const ProgramInputs inputs = buildInputs(this, state_, services, {*stopwatchPanel_, *countdownPanel_, *alarmPanel_},
                                             {btnZapnout, btnVynulovat, btnPauza}, [this] { mnuObnovitClick(); });
    actions_ = inputs.actions;
    splitHotkey_ = inputs.splitHotkey;
    connect(digitInput_, &DigitInput::edited, this, [this] {
        if (state_.function() == Funkce::Budik) {
            alarmPanel_->alarmChanged();
        } else {
            onStateChanged();
        }
    });
    connect(digitInput_, &DigitInput::markerMoved, clockEditor_, &ClockEditor::hide);
    connect(digitInput_, &DigitInput::focusDigits, this, [this] { btnZapnout->setFocus(); });
    connect(clockEditor_, &ClockEditor::clockSet, this, &TfrmHlavniOkno::tmrAktualizaceCasuTimer);
    connect(qApp, &QApplication::focusChanged, this, [this] { digitInput_->paintMarker(); });

    for (QPushButton* b : c->findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
    }
    // formClick: a click on the window background or a label closes the clock editor.
    c->installEventFilter(this);
    for (QLabel* l : c->findChildren<QLabel*>()) {
        l->installEventFilter(this);
    }
    // The keyboard walks the edits first, then the buttons; hidden controls are passed over.
    QWidget* chain[] = {c->findChild<QWidget*>(QStringLiteral("cbxBudiky")),
                        c->findChild<QWidget*>(QStringLiteral("btnBudUlozit")),
                        c->findChild<QWidget*>(QStringLiteral("btnBudNacist")),
                        c->findChild<QWidget*>(QStringLiteral("btnBudVymazat")),
                        c->findChild<QWidget*>(QStringLiteral("btnBudVymazatVse")),
                        c->findChild<QWidget*>(QStringLiteral("cbxMezicasy")),
                        c->findChild<QWidget*>(QStringLiteral("btnTvrMezicas")),
                        c->findChild<QWidget*>(QStringLiteral("btnTvrVymazat")),
                        c->findChild<QWidget*>(QStringLiteral("btnTvrImpExp")),
                        c->findChild<QWidget*>(QStringLiteral("btnTvrVymazatVse")),
                        c->findChild<QWidget*>(QStringLiteral("edtOdpZprava")),
                        c->findChild<QWidget*>(QStringLiteral("chbOdpOpakovat")),
                        edtD, btnZapnout, btnDalsi, btnVynulovat, btnPauza, btnKonec};
    for (size_t i = 1; i < std::size(chain); ++i) {
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
}

void TfrmHlavniOkno::buildTimers() {
    tmrFunkce = new QTimer(this);
    tmrFunkce->setObjectName(QStringLiteral("tmrFunkce"));
    tmrFunkce->setSingleShot(true);
    tmrFunkce->setTimerType(Qt::PreciseTimer);
    connect(tmrFunkce, &QTimer::timeout, this, qOverload<>(&TfrmHlavniOkno::tmrFunkceTimer));
    tmrAktualizaceCasu = new QTimer(this);
    tmrAktualizaceCasu->setObjectName(QStringLiteral("tmrAktualizaceCasu"));
    tmrAktualizaceCasu->setSingleShot(true);
    tmrAktualizaceCasu->setTimerType(Qt::PreciseTimer);
    connect(tmrAktualizaceCasu, &QTimer::timeout, this, &TfrmHlavniOkno::tmrAktualizaceCasuTimer);
    // Runs only while sounds are registered: often enough that a repeating sound restarts without a
    // gap anyone hears, and never when nothing plays.
    tmrPrehravaniZvuku = new QTimer(this);
    tmrPrehravaniZvuku->setObjectName(QStringLiteral("tmrPrehravaniZvuku"));
    tmrPrehravaniZvuku->setInterval(10);
    tmrPrehravaniZvuku->setTimerType(Qt::PreciseTimer);
    connect(tmrPrehravaniZvuku, &QTimer::timeout, this, &TfrmHlavniOkno::tmrPrehravaniZvukuTimer);
    state_.sounds.setOnRegistered([this] {
        if (!tmrPrehravaniZvuku->isActive()) {
            tmrPrehravaniZvuku->start();
        }
    });
}

int TfrmHlavniOkno::markedPosition() const {
    return digitInput_->position();
}

TfrmDalsiOdpocit* TfrmHlavniOkno::frmDalsiOdpocit() const {
    return countdownPanel_->frmDalsiOdpocit();
}

FunctionPanel& TfrmHlavniOkno::panel(Funkce f) const {
    switch (f) {
    case Funkce::Tavrok:
        return *stopwatchPanel_;
    case Funkce::Odpocit:
        return *countdownPanel_;
    case Funkce::Budik:
        break;
    }
    return *alarmPanel_;
}

// ---- functions and what shows the state

void TfrmHlavniOkno::prepniFunkci(Funkce target) {
    clockEditor_->hide();
    if (target == state_.main.currentFunction && !state_.main.firstShow) {
        return; // the label of the function already shown changes nothing
    }
    state_.main.currentFunction = target;
    digitInput_->setVisible(false); // the marker comes back at the hours tens
    onStateChanged();
}

void TfrmHlavniOkno::onStateChanged() {
    paintFunctionLabels();
    applyView();
    zobrazNaDispleji();
    showTitle();
    actions_->notifyChanged(); // the notification area, the session bus
    if (!state_.main.firstShow) {
        scheduleFunctionTick();
    }
}

void TfrmHlavniOkno::applyView() {
    const Funkce f = state_.function();
    const FunctionView v = viewFor(f,
                                   {state_.stopwatch.running(), state_.countdown.running(), state_.countdown.paused(),
                                    state_.editor.budik.zapnuty(), editorFocused()},
                                   state_.buttonCaptions);
    alarmPanel_->setShown(v.alarmPanels);
    stopwatchPanel_->setShown(v.stopwatchPanels);
    countdownPanel_->setShown(v.countdownPanels);
    lblDnu->setVisible(v.lblDnu);
    digitInput_->setVisible(v.marker);
    digitInput_->setArrows(v.upDown1, v.upDown1Enabled);
    pnlDny->setEnabled(v.pnlDnyEnabled);
    const DaysGeometry g = daysGeometryFor(f, {QRect(10, 86, 157, 20), 83, lblH->geometry().bottom() + 1, 21, 21, 21, 113});
    if (pnlDny->geometry() != g.pnlDny) {
        pnlDny->setGeometry(g.pnlDny);
    }
    if (edtD->geometry() != g.edtD) {
        edtD->setGeometry(g.edtD);
    }
    edtD->setFrame(v.edtDFramed);
    edtD->setReadOnly(!v.edtDFramed);
    // Days are digits only, as many as a length may have; the alarm's message is any text.
    edtD->setValidator(f == Funkce::Odpocit ? dayValidator_ : nullptr);
    btnZapnout->setText(v.btnZapnout);
    btnVynulovat->setEnabled(v.btnVynulovat);
    btnPauza->setText(v.btnPauzaCaption);
    btnPauza->setEnabled(v.btnPauza);
    // The alarm's dialog arrives with its own window.
    btnDalsi->setEnabled(v.btnDalsi);
    stopwatchPanel_->refresh();
    countdownPanel_->refresh();
    if (f == Funkce::Budik) {
        alarmPanel_->refresh();
    }
}

void TfrmHlavniOkno::paintFunctionLabels() {
    const QColor face = palette().color(QPalette::Button);
    const QColor text = palette().color(QPalette::WindowText);
    const struct {
        ClickLabel* label;
        Funkce function;
        QColor background;
    } tabs[] = {{lblFceBudik, Funkce::Budik, face},
                {lblFceTavrok, Funkce::Tavrok, state_.stopwatch.running() ? Lime : face},
                {lblFceOdpocit, Funkce::Odpocit,
                 state_.countdown.paused() ? Aqua : state_.countdown.running() ? Lime : face}};
    for (const auto& t : tabs) {
        const QColor fore = t.function == state_.function() ? QColor(Qt::red) : text;
        QPalette p = t.label->palette();
        if (p.color(QPalette::WindowText) != fore || p.color(QPalette::Window) != t.background) {
            p.setColor(QPalette::WindowText, fore);
            p.setColor(QPalette::Window, t.background);
            t.label->setPalette(p);
        }
    }
}

void TfrmHlavniOkno::zobrazNaDispleji() {
    const Funkce f = state_.function();
    const DisplayParts p = state_.shownParts(f);
    setTextIfChanged(lblH, p.hours);
    setTextIfChanged(lblM, p.minutes);
    setTextIfChanged(lblS, p.seconds);
    setTextIfChanged(lblMs, p.millis);
    if (f == Funkce::Budik) {
        if (edtD->text() != state_.editor.budik.zprava) {
            edtD->setText(state_.editor.budik.zprava);
        }
    } else if (edtD->text() != p.days && !(edtD->hasFocus() && isTypedDayCount(edtD->text(), p.days))) {
        edtD->setText(p.days);
    }
}

void TfrmHlavniOkno::showTitle() {
    setTitle(state_.title(clockText_.isEmpty() ? QStringLiteral("Tavrok") : clockText_));
}

void TfrmHlavniOkno::setTitle(const QString& title) {
    if (title == state_.main.titleText && windowTitle() == title) {
        return;
    }
    setWindowTitle(title);
    state_.main.titleText = title;
}

void TfrmHlavniOkno::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !state_.main.firstShow) {
        if (isShownOnScreen()) {
            area_->leave(); // back from the notification area, whichever way
            onStateChanged();  // what was not drawn while minimised is due now
        } else if (isMinimized() && state_.menu.doIkony) {
            // Hiding the window inside its own state change would confuse the window manager.
            QTimer::singleShot(0, this, [this] {
                if (area_->afterMinimise()) {
                    scheduleFunctionTick(); // the icon's picture sets the pace now
                }
            });
        }
    }
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        pendingSwitch_ = 0; // a Ctrl+Tab whose release went to another window switches nothing
    }
}

void TfrmHlavniOkno::edtDChange(const QString& text) {
    if (state_.function() == Funkce::Budik) {
        state_.editor.budik.zprava = text;
        alarmPanel_->alarmChanged();
    } else if (state_.function() == Funkce::Odpocit) {
        state_.setCountdownDays(dayCountFromText(text));
        zobrazNaDispleji();
    }
}

} // namespace tavrok
