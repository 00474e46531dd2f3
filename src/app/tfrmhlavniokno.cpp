#include "app/tfrmhlavniokno.h"

#include "alarms/bellglyph.h"
#include "app/applicationtitle.h"
#include "app/clicklabel.h"
#include "countdown/tfrmdalsiodpocit.h"
#include "storage/tfrmnastaveni.h"
#include "stopwatch/continuation.h"
#include "app/tickplanner.h"
#include "platform/audiodevice.h"
#include "platform/clock.h"
#include "platform/clocksetter.h"
#include "storage/inivalues.h"
#include "platform/questions.h"

#include "app/namedwidget.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFrame>
#include <QImage>
#include <QPixmap>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace tavrok {

namespace {

const QColor Lime(0x00, 0xFF, 0x00);

QFont faceFont(const char* family, int pixels, bool bold = false) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void setTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text) {
        label->setText(text);
    }
}

void setBackground(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
}

} // namespace

TfrmHlavniOkno::TfrmHlavniOkno(const QString& executableFolder, PlatformServices services, QWidget* parent)
    : QMainWindow(parent), clock_(services.clock), questions_(services.questions), audio_(services.audio),
      clockSetter_(services.clockSetter), services_(services),
      sounds_(services.audio, services.clock, services.beeper,
              [this](const QString& path) { return storage_.expand(path); },
              [](int count) { return static_cast<int>(QRandomGenerator::global()->bounded(count)); }),
      countdown_({sounds_, services.audio, services.beeper,
                  [this](const QString& relative) { return storage_.dataPath(relative); }}),
      alarmClock_(storage_.alarmsIni(), sounds_, [this] { return standardSound(u"Zvonek.wav"); }) {
    setObjectName(QStringLiteral("frmHlavniOkno"));
    setWindowTitle(QStringLiteral("Tavrok"));
    // Only the system menu (with its close box) and minimize: the height is limited and the width fixed.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildControls();
    buildMenu();
    formCreate(executableFolder);
    frmDalsiOdpocit_ = new TfrmDalsiOdpocit(
        {questions_, services_.files, messageTable_, sounds_, audio_, clock_,
         [this](const QString& relative) { return storage_.dataPath(relative); },
         [this](const QString& path) { return storage_.expand(path); }},
        this);
    frmNastaveni_ = new TfrmNastaveni({storage_, questions_, services_.files, services_.autostart, messageTable_,
                                       QCoreApplication::applicationFilePath(), limits_.minHeight, limits_.maxHeight},
                                      this);
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

    lblCas = makeNamed<QLabel>(c, "lblCas", 10, -1, 157, 13);
    lblCas->setFont(faceFont("MS Sans Serif", 12, true));
    lblCas->setAlignment(Qt::AlignCenter);
    lblCas->setText(QStringLiteral("Nahr\u00E1v\u00E1n\u00ED..."));

    lblFceBudik = makeNamed<ClickLabel>(c, "lblFceBudik", 10, 16, 28, 13);
    lblFceTavrok = makeNamed<ClickLabel>(c, "lblFceTavrok", 54, 16, 33, 13);
    lblFceOdpocit = makeNamed<ClickLabel>(c, "lblFceOdpocit", 102, 16, 65, 13);
    lblFceBudik->setText(QStringLiteral("Bud\u00EDk"));
    lblFceTavrok->setText(QStringLiteral("Tavrok"));
    lblFceOdpocit->setText(QStringLiteral("Odpo\u010D\u00EDt\u00E1v\u00E1n\u00ED"));
    for (ClickLabel* l : {lblFceBudik, lblFceTavrok, lblFceOdpocit}) {
        l->setAlignment(Qt::AlignCenter);
        l->setAutoFillBackground(true);
        l->setCursor(Qt::PointingHandCursor);
    }
    connect(lblFceBudik, &ClickLabel::clicked, this, &TfrmHlavniOkno::lblFceBudikClick);
    connect(lblFceTavrok, &ClickLabel::clicked, this, &TfrmHlavniOkno::lblFceTavrokClick);
    connect(lblFceOdpocit, &ClickLabel::clicked, this, &TfrmHlavniOkno::lblFceOdpocitClick);

    pnlProgressOdpocit = makeNamed<QFrame>(c, "pnlProgressOdpocit", 102, 29, 65, 3);
    pnlProgressOdpocit->setAutoFillBackground(true);

    lblH = makeNamed<QLabel>(c, "lblH", 10, 32, 36, 35);
    lblM = makeNamed<QLabel>(c, "lblM", 54, 32, 36, 35);
    lblS = makeNamed<QLabel>(c, "lblS", 98, 32, 36, 35);
    lblHOd = makeNamed<QLabel>(c, "lblHOd", 46, 32, 8, 35);
    lblMOd = makeNamed<QLabel>(c, "lblMOd", 90, 32, 8, 35);
    lblMs = makeNamed<QLabel>(c, "lblMs", 134, 32, 33, 35);
    for (QLabel* l : {lblH, lblM, lblS}) {
        l->setFont(faceFont("Arial", 32));
        l->setText(QStringLiteral("00"));
    }
    for (QLabel* l : {lblHOd, lblMOd}) {
        l->setFont(faceFont("Arial", 28));
        l->setText(QStringLiteral(":"));
    }
    lblMs->setFont(faceFont("Arial", 20));
    lblMs->setText(QStringLiteral("000"));
    for (QLabel* l : {lblCas, lblH, lblM, lblS, lblHOd, lblMOd, lblMs}) {
        l->setAlignment(l == lblMs ? Qt::AlignLeft | Qt::AlignBottom : Qt::AlignCenter);
        l->setAutoFillBackground(true);
        setBackground(l, windowColour);
    }
    lblMs->setContentsMargins(0, 0, 0, 5);

    pnlEditovanaCislice = makeNamed<QFrame>(c, "pnlEditovanaCislice", 117, 62, 16, 3);
    pnlEditovanaCislice->setAutoFillBackground(true);

    chbOdpOpakovat = makeNamed<QCheckBox>(c, "chbOdpOpakovat", 10, 67, 95, 17);
    chbOdpOpakovat->setText(QStringLiteral("Op&akovat"));
    lblBudZprava = makeNamed<QLabel>(c, "lblBudZprava", 10, 70, 37, 13);
    lblBudZprava->setText(QStringLiteral("Zpr\u00E1va:"));

    upDown1 = makeNamed<QWidget>(c, "upDown1", 135, 67, 32, 16);
    auto* upDownLayout = new QHBoxLayout(upDown1);
    upDownLayout->setContentsMargins(0, 0, 0, 0);
    upDownLayout->setSpacing(0);
    for (const auto arrow : {Qt::LeftArrow, Qt::RightArrow}) {
        auto* b = new QToolButton(upDown1);
        b->setObjectName(arrow == Qt::LeftArrow ? QStringLiteral("upDown1Left") : QStringLiteral("upDown1Right"));
        b->setArrowType(arrow);
        b->setFocusPolicy(Qt::NoFocus);
        upDownLayout->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, arrow] {
            position_ += arrow == Qt::LeftArrow ? -1 : 1;
            uD1Click();
        });
    }

    pnlZvonek = makeNamed<QFrame>(c, "pnlZvonek", 132, 84, 23, 23);
    imgZvonek = makeNamed<QLabel>(pnlZvonek, "imgZvonek", 1, 1, 21, 21);

    pnlDny = makeNamed<QFrame>(c, "pnlDny", 10, 86, 157, 20);
    edtD = makeNamed<QLineEdit>(pnlDny, "edtD", 0, 0, 113, 21);
    lblDnu = makeNamed<QLabel>(pnlDny, "lblDnu", 120, 2, 26, 16);
    lblDnu->setFont(faceFont("MS Sans Serif", 15, true));
    lblDnu->setText(QStringLiteral("dn\u016F"));
    // The stopwatch disables the days panel so that it takes no focus; its text must still read clearly.
    for (QWidget* w : std::initializer_list<QWidget*>{edtD, lblDnu}) {
        QPalette p = w->palette();
        for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::Base}) {
            p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role));
        }
        w->setPalette(p);
    }

    btnTvrImpExp = makeNamed<QPushButton>(c, "btnTvrImpExp", 10, 90, 70, 19);
    btnTvrImpExp->setText(QStringLiteral("&Imp/exp..."));
    btnTvrImpExp->setEnabled(false); // until the split-times manager exists
    btnTvrVymazatVse = makeNamed<QPushButton>(c, "btnTvrVymazatVse", 80, 90, 87, 19);
    btnTvrVymazatVse->setText(QStringLiteral("Vy&mazat v\u0161e"));

    pnlTavrok = makeNamed<QFrame>(c, "pnlTavrok", 10, 110, 157, 37);
    cbxMezicasy = makeNamed<QComboBox>(pnlTavrok, "cbxMezicasy", 0, 0, 157, 21);
    btnTvrMezicas = makeNamed<QPushButton>(pnlTavrok, "btnTvrMezicas", 0, 21, 76, 16);
    btnTvrMezicas->setText(QStringLiteral("Me&zi\u010Das"));
    btnTvrMezicas->setEnabled(false);
    btnTvrVymazat = makeNamed<QPushButton>(pnlTavrok, "btnTvrVymazat", 81, 21, 76, 16);
    btnTvrVymazat->setText(QStringLiteral("&Vymazat"));

    pnlOdpocit = makeNamed<QFrame>(c, "pnlOdpocit", 10, 110, 157, 37);
    lblOdpZprava = makeNamed<QLabel>(pnlOdpocit, "lblOdpZprava", 0, 0, 37, 13);
    lblOdpZprava->setText(QStringLiteral("Zpr\u00E1va:"));
    edtOdpZprava = makeNamed<QLineEdit>(pnlOdpocit, "edtOdpZprava", 0, 16, 157, 21);

    pnlBudik = makeNamed<QFrame>(c, "pnlBudik", 10, 108, 157, 42);
    cbxBudiky = makeNamed<QComboBox>(pnlBudik, "cbxBudiky", 0, 0, 89, 21);
    cbxBudiky->setEditable(true);
    cbxBudiky->setToolTip(QStringLiteral("N\u00E1zev bud\u00EDku/seznam bud\u00EDk\u016F"));
    btnBudUlozit = makeNamed<QPushButton>(pnlBudik, "btnBudUlozit", 93, 0, 16, 20);
    btnBudUlozit->setText(QStringLiteral("&U"));
    btnBudUlozit->setToolTip(QStringLiteral("Ulo\u017Eit bud\u00EDk"));
    btnBudNacist = makeNamed<QPushButton>(pnlBudik, "btnBudNacist", 117, 0, 16, 20);
    btnBudNacist->setText(QStringLiteral("&N"));
    btnBudNacist->setToolTip(QStringLiteral("Na\u010D\u00EDst bud\u00EDk"));
    btnBudVymazat = makeNamed<QPushButton>(pnlBudik, "btnBudVymazat", 141, 0, 16, 20);
    btnBudVymazat->setText(QStringLiteral("&V"));
    btnBudVymazat->setToolTip(QStringLiteral("Vymazat bud\u00EDk"));
    lblDatumBudiku = makeNamed<QLabel>(pnlBudik, "lblDatumBudiku", 0, 24, 80, 13);
    btnBudVymazatVse = makeNamed<QPushButton>(pnlBudik, "btnBudVymazatVse", 86, 23, 71, 16);
    btnBudVymazatVse->setText(QStringLiteral("Vy&mazat v\u0161e"));
    lblDatumBudiku->setAutoFillBackground(true);
    connect(btnBudUlozit, &QPushButton::clicked, this, &TfrmHlavniOkno::btnBudUlozitClick);
    connect(btnBudNacist, &QPushButton::clicked, this, &TfrmHlavniOkno::btnBudNacistClick);
    connect(btnBudVymazat, &QPushButton::clicked, this, &TfrmHlavniOkno::btnBudVymazatClick);
    connect(btnBudVymazatVse, &QPushButton::clicked, this, &TfrmHlavniOkno::btnBudVymazatVseClick);
    // cbxBudikyChange: a typed or picked name; picking does not load.
    connect(cbxBudiky, &QComboBox::editTextChanged, this, [this] {
        editor_.nazevBudikuZmenen = true;
        alarmChanged();
    });

    btnZapnout = makeNamed<QPushButton>(c, "btnZapnout", 10, 150, 76, 19);
    btnDalsi = makeNamed<QPushButton>(c, "btnDalsi", 91, 150, 76, 19);
    btnDalsi->setText(QStringLiteral("&Dal\u0161\u00ED..."));
    btnVynulovat = makeNamed<QPushButton>(c, "btnVynulovat", 10, 172, 76, 19);
    btnVynulovat->setText(QStringLiteral("V&ynulovat"));
    btnPauza = makeNamed<QPushButton>(c, "btnPauza", 91, 172, 76, 19);
    btnKonec = makeNamed<QPushButton>(c, "btnKonec", 10, 194, 157, 19);
    btnKonec->setText(QStringLiteral("&Konec"));

    pnlDatCasEdit = makeNamed<QFrame>(c, "pnlDatCasEdit", 23, -2, 131, 21);
    mkeDatum = makeNamed<QLineEdit>(pnlDatCasEdit, "mkeDatum", 0, 0, 68, 21);
    mkeCas = makeNamed<QLineEdit>(pnlDatCasEdit, "mkeCas", 68, 0, 63, 21);
    mkeDatum->setInputMask(QStringLiteral("00.00.0000;_"));
    mkeCas->setInputMask(QStringLiteral("00:00:00;_"));
    pnlDatCasEdit->hide();
    connect(mkeDatum, &QLineEdit::textEdited, this, [this] { dateLive_ = false; });
    connect(mkeCas, &QLineEdit::textEdited, this, [this] { timeLive_ = false; });
    connect(mkeDatum, &QLineEdit::returnPressed, this, &TfrmHlavniOkno::keyPressEditaceCasu);
    connect(mkeCas, &QLineEdit::returnPressed, this, &TfrmHlavniOkno::keyPressEditaceCasu);
    lblCas->installEventFilter(this);
    c->installEventFilter(this); // formClick: a click on the window background
    for (QLabel* l : std::initializer_list<QLabel*>{lblFceBudik, lblFceTavrok, lblFceOdpocit, lblHOd, lblMOd, lblMs,
                                                   lblDnu, lblBudZprava}) {
        l->installEventFilter(this);
    }
    for (QLabel* l : {lblH, lblM, lblS}) {
        l->installEventFilter(this);
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        // Leaving the clock editor for anything but its other field closes it.
        const bool wasClock = old == mkeDatum || old == mkeCas;
        const bool isClock = now == mkeDatum || now == mkeCas;
        if (wasClock && !isClock) {
            pnlDatCasEdit->hide();
        }
        paintMarker();
    });
    connect(edtD, &QLineEdit::textChanged, this, [this] {
        if (state_.currentFunction == Funkce::Odpocit && !state_.displayUpdating) {
            countdown_.setLeft(zakodujDisplej(true));
        }
    });
    connect(edtD, &QLineEdit::textEdited, this, [this] {
        if (state_.currentFunction == Funkce::Budik) {
            alarmChanged();
        }
    });

    for (QPushButton* b : c->findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
    }

    connect(btnZapnout, &QPushButton::clicked, this, &TfrmHlavniOkno::btnZapnoutClick);
    connect(btnVynulovat, &QPushButton::clicked, this, &TfrmHlavniOkno::btnVynulovatClick);
    connect(btnPauza, &QPushButton::clicked, this, &TfrmHlavniOkno::btnPauzaClick);
    connect(btnDalsi, &QPushButton::clicked, this, &TfrmHlavniOkno::btnDalsiClick);
    connect(btnTvrMezicas, &QPushButton::clicked, this, &TfrmHlavniOkno::btnTvrMezicasClick);
    connect(btnTvrVymazat, &QPushButton::clicked, this, &TfrmHlavniOkno::btnTvrVymazatClick);
    connect(btnTvrVymazatVse, &QPushButton::clicked, this, &TfrmHlavniOkno::btnTvrVymazatVseClick);
    connect(btnKonec, &QPushButton::clicked, this, &QWidget::close);
    connect(cbxMezicasy, &QComboBox::currentIndexChanged, this,
            [this](int index) { stopwatch_.splits().select(index); });

    tmrFunkce = new QTimer(this);
    tmrFunkce->setObjectName(QStringLiteral("tmrFunkce"));
    tmrFunkce->setSingleShot(true);
    tmrFunkce->setTimerType(Qt::PreciseTimer);
    connect(tmrFunkce, &QTimer::timeout, this, &TfrmHlavniOkno::tmrFunkceTimer);
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
    sounds_.setOnRegistered([this] {
        if (!tmrPrehravaniZvuku->isActive()) {
            tmrPrehravaniZvuku->start();
        }
    });
}

void TfrmHlavniOkno::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mainMenu1"));
    auto item = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& key = {}) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        a->setEnabled(false); // enabled by the handler that gives it its action
        return a;
    };
    QMenu* mnuSoubor = bar->addMenu(QStringLiteral("Soubo&r"));
    mnuSoubor->setObjectName(QStringLiteral("mnuSoubor"));
    mnuDoIkony = item(mnuSoubor, "mnuDoIkony", QStringLiteral("&Do ikony"));
    mnuVzdyNahore = item(mnuSoubor, "mnuVzdyNahore", QStringLiteral("&V\u017Edy naho\u0159e"));
    mnuZvuk = item(mnuSoubor, "mnuZvuk", QStringLiteral("&Zvuk"));
    mnuSoubor->addSeparator()->setObjectName(QStringLiteral("N4"));
    mnuVypnoutUpozorneni =
        item(mnuSoubor, "mnuVypnoutUpozorneni", QStringLiteral("V&ypnout v\u0161echna upozorn\u011Bn\u00ED"));
    item(mnuSoubor, "mnuSeriovyPort", QStringLiteral("Nastaven\u00ED &s\u00E9riov\u00E9ho portu..."));
    item(mnuSoubor, "mnuZobrazitDisplej", QStringLiteral("Z&obrazit Samostatn\u00FD displej"), Qt::Key_F5);
    item(mnuSoubor, "mnuNastaveniDispleje", QStringLiteral("N&astaven\u00ED Samostatn\u00E9ho displeje..."),
         Qt::Key_F6);
    item(mnuSoubor, "mnuZmeskaneBudiky", QStringLiteral("Zo&brazit zme\u0161kan\u00E9 bud\u00EDky..."));
    QAction* mnuNastaveni = item(mnuSoubor, "mnuNastaveni", QStringLiteral("&Nastaven\u00ED..."), Qt::Key_F12);
    mnuNastaveni->setEnabled(true);
    connect(mnuNastaveni, &QAction::triggered, this, &TfrmHlavniOkno::mnuNastaveniClick);
    item(mnuSoubor, "mnuImport", QStringLiteral("&Importovat nastaven\u00ED"));
    item(mnuSoubor, "mnuExport", QStringLiteral("&Exportovat nastaven\u00ED"));
    mnuSoubor->addSeparator()->setObjectName(QStringLiteral("N2"));
    QAction* mnuKonec = item(mnuSoubor, "mnuKonec", QStringLiteral("&Konec"));

    QMenu* mnuNapoveda = bar->addMenu(QStringLiteral("N\u00E1p&ov\u011Bda"));
    mnuNapoveda->setObjectName(QStringLiteral("mnuNapoveda"));
    item(mnuNapoveda, "mnuIndex", QStringLiteral("&Index"), Qt::Key_F1);
    item(mnuNapoveda, "mnuZkontrolovatNovouVerzi", QStringLiteral("Zkontrolovat novou verzi"));
    mnuNapoveda->addSeparator()->setObjectName(QStringLiteral("N1"));
    item(mnuNapoveda, "mnuOProgramu", QStringLiteral("&O programu Tavrok..."));

    for (QAction* a : {mnuDoIkony, mnuVzdyNahore, mnuZvuk}) {
        a->setCheckable(true);
        a->setEnabled(true);
    }
    mnuZvuk->setChecked(true);
    mnuKonec->setEnabled(true);
    mnuVypnoutUpozorneni->setEnabled(true);
    connect(mnuVypnoutUpozorneni, &QAction::triggered, this, &TfrmHlavniOkno::mnuVypnoutUpozorneniClick);
    connect(mnuKonec, &QAction::triggered, this, &QWidget::close);
    connect(mnuVzdyNahore, &QAction::triggered, this, &TfrmHlavniOkno::mnuVzdyNahoreClick);
}

void TfrmHlavniOkno::formCreate(const QString& executableFolder) {
    audio_.open(); // without a device every sound falls back to the information beep
    qApp->installEventFilter(this); // the window sees every key first
    state_ = TMainState{};
    pnlProgressOdpocit->resize(0, pnlProgressOdpocit->height());
    buttonCaptions_ = ButtonCaptions{};
    btnPauza->setText(buttonCaptions_.pauza);
    storage_.resolveAtStartup(executableFolder);
    for (const QStringView name : {u"Zvonek.wav", u"Signalk.wav", u"Signald.wav"}) {
        audio_.prepare(standardSound(name));
    }

    const MenuChecks menu = nactiStavHlavnihoOkna(storage_.settingsIni());
    mnuDoIkony->setChecked(menu.doIkony);
    mnuZvuk->setChecked(menu.zvuk);
    mnuVzdyNahore->setChecked(menu.vzdyNahore);
    setWindowFlag(Qt::WindowStaysOnTopHint, menu.vzdyNahore);

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

void TfrmHlavniOkno::showEvent(QShowEvent* event) {
    if (state_.firstShow) {
        formShow();
    }
    QMainWindow::showEvent(event);
    // What was not drawn while nobody saw it is due now.
    if (!state_.firstShow && tmrFunkce->isActive()) {
        tmrFunkce->start(0);
    }
}

void TfrmHlavniOkno::formShow() {
    const IniFile& settings = storage_.settingsIni();
    const auto applyRememberedCountdown = [&] {
        if (const auto c = nactiPamatovanyOdpocet(settings)) {
            countdown_.setLeft(c->odpocitCas);
            chbOdpOpakovat->setChecked(c->odpocitOpakovat);
            edtOdpZprava->setText(c->odpocitZprava);
        }
    };
    reloadAlarms();
    editor_.tichyNacteni = true;
    loadIntoEditor(alarmClock_.nasledujici());
    applyRememberedCountdown();
    pokracujPoSpusteni();

    const int height = std::clamp(startHeight(settings, limits_.maxHeight), limits_.minHeight, limits_.maxHeight);
    resize(limits_.width, height);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    // Positions are those of the client area: the frame's size is not known before the window is mapped,
    // so a frame position would drift by the border at every restart.
    setGeometry(QRect(startPosition(settings, screenSize, size()), size()));

    applyRememberedCountdown();
    prepniFunkci(funkceFromStored(startFunction(settings)));

    for (const QStringView name : {u"Zvonek.wav", u"Signalk.wav", u"Signald.wav"}) {
        const QString path = standardSound(name);
        if (!QFileInfo::exists(path)) {
            questions_.tell(fillPlaceholders(messageTable_.text(18), path), MessageIcon::Error);
        }
    }

    if (!pokracovani::smaz(storage_.settingsIni())) {
        questions_.tell(fillPlaceholders(messageTable_.text(21), storage_.settingsIni().path()), MessageIcon::Error);
    }
    odpocitOptions_ = nactiDalsiOdp(settings);
    tmrFunkce->start(0);
    state_.minimizePending = true;
    state_.lastVersionCheck = settings.readDateTime(u"stavProgramu", u"posledniKontrolaVerze", 0);
    tmrAktualizaceCasu->start(0);
    btnZapnout->setFocus(); // the digits take typed keys from the start
    state_.firstShow = false;
}

void TfrmHlavniOkno::closeEvent(QCloseEvent* event) {
    if (formClose()) {
        sounds_.vypnoutUpozorneni();
        tmrPrehravaniZvuku->stop();
        audio_.close();
        event->accept();
    } else {
        event->ignore();
    }
}

bool TfrmHlavniOkno::formClose() {
    ExitState exit;
    exit.position = geometry().topLeft();
    exit.height = height();
    exit.menu = {mnuDoIkony->isChecked(), mnuZvuk->isChecked(), mnuVzdyNahore->isChecked()};
    if (state_.currentFunction == Funkce::Odpocit) {
        countdown_.setLeft(zakodujDisplej(true));
    }
    exit.countdown = {countdown_.left(), chbOdpOpakovat->isChecked(), edtOdpZprava->text()};
    exit.function = state_.currentFunction;
    exit.lastVersionCheck = state_.lastVersionCheck;
    if (!ulozStavPriUkonceni(storage_.settingsIni(), exit)) {
        questions_.tell(fillPlaceholders(messageTable_.text(8), storage_.settingsIni().path()),
                        MessageIcon::Warning);
    }
    bool close = ulozPokracovani();
    if (close && countdown_.paused() &&
        questions_.ask(messageTable_.text(14), MessageIcon::Warning, MessageButtons::YesNo) != Answer::Yes) {
        close = false;
    }
    close = close && editor_.muzeZavrit(alarmClock_.seznam().seznamNazvuBudiku.size() > 1,
                               storage_.settingsIni().readBool(u"nastaveni", u"kontrolovatUlozeniBudiku", true),
                               questions_, messageTable_) &&
            close;
    if (!close) {
        // The program stays open: what was written for the next start must not outlive this run.
        (void)pokracovani::smaz(storage_.settingsIni());
    }
    return close;
}

void TfrmHlavniOkno::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    formResize();
}

void TfrmHlavniOkno::prepniFunkci(Funkce target) {
    pnlDatCasEdit->hide();
    const Funkce leaving = state_.currentFunction;
    if (leaving != target) {
        if (leaving == Funkce::Budik) {
            state_.alarmShownTime = zakodujDisplej(false);
            state_.alarmShownText = edtD->text();
        } else if (leaving == Funkce::Odpocit && !countdown_.running() && !countdown_.paused()) {
            countdown_.setLeft(zakodujDisplej(true));
        }
    }
    state_.currentFunction = target;
    paintFunctionLabels();
    applyView(viewFor(target,
                      {stopwatch_.running(), countdown_.running(), countdown_.paused(), editor_.budik.zapnuty(),
                       editorFocused()},
                      buttonCaptions_));

    switch (target) {
    case Funkce::Tavrok:
        zobrazNaDispleji(stopwatch_.elapsed());
        break;
    case Funkce::Odpocit:
        state_.displayUpdating = true;
        zobrazNaDispleji(countdown_.left());
        state_.displayUpdating = false;
        break;
    case Funkce::Budik: {
        const DisplayParts p = dekodujCasProDisplej(state_.alarmShownTime);
        setTextIfChanged(lblH, p.hours);
        setTextIfChanged(lblM, p.minutes);
        setTextIfChanged(lblS, p.seconds);
        setTextIfChanged(lblMs, p.millis);
        edtD->setText(state_.alarmShownText);
        break;
    }
    }
    if (!state_.firstShow) {
        scheduleFunctionTick();
    }
}

void TfrmHlavniOkno::applyView(const FunctionView& v) {
    for (QWidget* w : std::initializer_list<QWidget*>{pnlBudik, pnlZvonek, lblBudZprava}) {
        w->setVisible(v.alarmPanels);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{pnlTavrok, btnTvrImpExp, btnTvrVymazatVse}) {
        w->setVisible(v.stopwatchPanels);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{pnlOdpocit, chbOdpOpakovat, btnPauza}) {
        w->setVisible(v.countdownPanels);
    }
    lblDnu->setVisible(v.lblDnu);
    upDown1->setVisible(v.upDown1);
    upDown1->setEnabled(v.upDown1Enabled);
    pnlEditovanaCislice->setVisible(v.marker);
    if (v.marker) {
        position_ = 1;
        uD1Click();
    }

    pnlDny->setEnabled(v.pnlDnyEnabled);
    const DaysGeometry g = daysGeometryFor(
        v.function, {QRect(10, 86, 157, 20), lblBudZprava->geometry().bottom() + 1, lblH->geometry().bottom() + 1,
                     cbxBudiky->height(), cbxMezicasy->height(), edtOdpZprava->height(), 113});
    pnlDny->setGeometry(g.pnlDny);
    edtD->setGeometry(g.edtD);
    edtD->setFrame(v.edtDFramed);
    edtD->setReadOnly(!v.edtDFramed);

    btnZapnout->setText(v.btnZapnout);
    btnVynulovat->setEnabled(v.btnVynulovat);
    btnTvrMezicas->setEnabled(v.btnTvrMezicas);
    btnPauza->setText(v.btnPauzaCaption);
    btnPauza->setEnabled(v.btnPauza);
    // The stopwatch's options and the alarm dialog arrive with their own windows.
    btnDalsi->setEnabled(v.btnDalsi && v.function == Funkce::Odpocit);
}

void TfrmHlavniOkno::paintFunctionLabels() {
    const QColor face = palette().color(QPalette::Button);
    const QColor text = palette().color(QPalette::WindowText);
    const struct {
        ClickLabel* label;
        Funkce function;
        bool running;
    } tabs[] = {{lblFceBudik, Funkce::Budik, false},
                {lblFceTavrok, Funkce::Tavrok, stopwatch_.running()},
                {lblFceOdpocit, Funkce::Odpocit, countdown_.running()}};
    for (const auto& t : tabs) {
        QPalette p = t.label->palette();
        p.setColor(QPalette::WindowText, t.function == state_.currentFunction ? QColor(Qt::red) : text);
        p.setColor(QPalette::Window, t.running ? Lime : face);
        if (t.function == Funkce::Odpocit && countdown_.paused()) {
            p.setColor(QPalette::Window, QColor(0x00, 0xFF, 0xFF)); // aqua while paused
        }
        t.label->setPalette(p);
    }
}

void TfrmHlavniOkno::zobrazNaDispleji(TDateTime value) {
    state_.shown = dekodujCasProDisplej(value);
    if (edtD->text() != state_.shown.days) {
        edtD->setText(state_.shown.days);
    }
    setTextIfChanged(lblH, state_.shown.hours);
    setTextIfChanged(lblM, state_.shown.minutes);
    setTextIfChanged(lblS, state_.shown.seconds);
    setTextIfChanged(lblMs, state_.shown.millis);
}

TDateTime TfrmHlavniOkno::zakodujDisplej(bool includeDays) const {
    return tavrok::zakodujDisplej(includeDays ? dayCountFromText(edtD->text()) : 0, lblH->text().toInt(),
                                  lblM->text().toInt(), lblS->text().toInt(), lblMs->text().toInt());
}

void TfrmHlavniOkno::setTitle(const QString& title) {
    if (title == state_.titleText && windowTitle() == title) {
        return;
    }
    setWindowTitle(title);
    state_.titleText = title;
}

bool TfrmHlavniOkno::isShownOnScreen() const {
    return isVisible() && !isMinimized();
}

void TfrmHlavniOkno::tmrFunkceTimer() {
    const TDateTime now = clock_.now();
    if (stopwatch_.running()) {
        stopwatch_.tick(now);
        const bool current = state_.currentFunction == Funkce::Tavrok;
        if (current && isShownOnScreen()) {
            zobrazNaDispleji(stopwatch_.elapsed());
        }
        if (current || !countdown_.running()) {
            state_.shown = dekodujCasProDisplej(stopwatch_.elapsed());
            setTitle(engineTitle(titleLetter(lblFceTavrok->text()), state_.shown));
        }
    }
    if (countdown_.running()) {
        odpocitTick(now);
    }
    alarmTick(now);
    if (state_.currentFunction == Funkce::Budik && isShownOnScreen()) {
        showAlarmEditorState(now);
    }
    scheduleFunctionTick();
}

void TfrmHlavniOkno::scheduleFunctionTick() {
    tickplan::FunctionTickNeeds needs;
    const bool shown = isShownOnScreen();
    needs.digitsRunning = shown && ((stopwatch_.running() && state_.currentFunction == Funkce::Tavrok) ||
                                    (countdown_.running() && state_.currentFunction == Funkce::Odpocit));
    switch (titleSource(state_.currentFunction, stopwatch_.running(), countdown_.running())) {
    case TitleSource::Stopwatch:
        needs.titleOrigin = stopwatch_.start();
        break;
    case TitleSource::Countdown:
        // The shown seconds of the time left change at whole seconds before the end.
        needs.titleOrigin = countdown_.end();
        break;
    case TitleSource::Clock:
        break;
    }
    needs.nextDue = countdown_.nextDue(mnuZvuk->isChecked(), odpocitOptions_);
    if (const auto alarm = alarmClock_.nextDue()) {
        needs.nextDue = needs.nextDue ? std::min(*needs.nextDue, *alarm) : *alarm;
    }
    tmrFunkce->start(tickplan::nextFunctionTick(clock_.now(), needs));
}

void TfrmHlavniOkno::tmrAktualizaceCasuTimer() {
    const TDateTime now = clock_.now();
    if (state_.minimizePending) {
        if (storage_.settingsIni().readBool(u"nastaveni", u"spustitMinimalizovane", false)) {
            showMinimized();
        }
        state_.minimizePending = false;
    }
    setTextIfChanged(lblCas, formatClockLine(now, dayNames_));
    refreshTitleFromClock();
    if (pnlDatCasEdit->isVisible()) {
        refreshClockEditor(now);
    }
    tmrAktualizaceCasu->start(tickplan::untilNextSecond(now));
}

void TfrmHlavniOkno::refreshTitleFromClock() {
    if (titleSource(state_.currentFunction, stopwatch_.running(), countdown_.running()) == TitleSource::Clock) {
        setTitle(lblCas->text());
    }
}

QString TfrmHlavniOkno::standardSound(QStringView name) const {
    return storage_.dataPath(QStringLiteral("Zvuky\\Standard\\") + name.toString());
}

void TfrmHlavniOkno::tmrPrehravaniZvukuTimer() {
    sounds_.tmrPrehravaniZvukuTimer();
    if (sounds_.prehravaneZvuky().empty()) {
        tmrPrehravaniZvuku->stop();
    }
}

void TfrmHlavniOkno::mnuVypnoutUpozorneniClick() {
    sounds_.vypnoutUpozorneni();
    tmrPrehravaniZvuku->stop();
}

void TfrmHlavniOkno::btnZapnoutClick() {
    if (state_.currentFunction == Funkce::Tavrok) {
        if (stopwatch_.running()) {
            vypniTavrok();
        } else {
            zapniTavrok();
        }
    } else if (state_.currentFunction == Funkce::Odpocit) {
        if (countdown_.running() || countdown_.paused()) {
            vypniOdpocit();
        } else {
            zapniOdpocit();
        }
    } else {
        editor_.zapniVypniBudik(); // zapniVypniBudik: written only when the alarm is saved
        alarmChanged();
        showAlarmEditorState(clock_.now());
    }
}

void TfrmHlavniOkno::zapniTavrok() {
    stopwatch_.zapniTavrok(clock_.now(), storage_.settingsIni().readBool(u"nastaveni", u"zacitOdNuly", false));
    paintFunctionLabels();
    syncSplitList();
    btnTvrMezicas->setEnabled(true);
    if (state_.currentFunction == Funkce::Tavrok) {
        btnZapnout->setText(buttonCaptions_.tvrVypnout);
        btnVynulovat->setEnabled(false);
        btnDalsi->setEnabled(false);
    }
    tmrFunkceTimer();
}

void TfrmHlavniOkno::vypniTavrok() {
    stopwatch_.vypniTavrok();
    paintFunctionLabels();
    btnTvrMezicas->setEnabled(false);
    if (state_.currentFunction == Funkce::Tavrok) {
        btnZapnout->setText(buttonCaptions_.tvrZapnout);
        btnVynulovat->setEnabled(true);
    }
    // The title goes back to the clock at once rather than showing a stopped time until the next second.
    refreshTitleFromClock();
    scheduleFunctionTick();
}

void TfrmHlavniOkno::btnVynulovatClick() {
    for (QLabel* l : {lblH, lblM, lblS}) {
        l->setText(QStringLiteral("00"));
    }
    lblMs->setText(QStringLiteral("000"));
    switch (state_.currentFunction) {
    case Funkce::Budik:
        state_.alarmShownTime = 0;
        alarmChanged();
        break;
    case Funkce::Tavrok:
        stopwatch_.vynuluj();
        edtD->setText(QStringLiteral("0"));
        break;
    case Funkce::Odpocit:
        countdown_.setLeft(0);
        state_.displayUpdating = true;
        edtD->setText(QStringLiteral("0"));
        state_.displayUpdating = false;
        break;
    }
}

void TfrmHlavniOkno::btnTvrMezicasClick() {
    zkratkaMezicasuStisknuta();
}

void TfrmHlavniOkno::zkratkaMezicasuStisknuta() {
    if (btnTvrMezicas->isEnabled() && stopwatch_.zkratkaMezicasuStisknuta()) {
        state_.shown = dekodujCasProDisplej(stopwatch_.elapsed());
        syncSplitList();
    }
}

void TfrmHlavniOkno::btnTvrVymazatClick() {
    stopwatch_.splits().select(cbxMezicasy->currentIndex());
    if (stopwatch_.splits().deleteSelected()) {
        syncSplitList();
    }
}

void TfrmHlavniOkno::btnTvrVymazatVseClick() {
    if (stopwatch_.btnTvrVymazatVseClick(questions_, messageTable_)) {
        syncSplitList();
    }
}

void TfrmHlavniOkno::syncSplitList() {
    const SplitList& splits = stopwatch_.splits();
    const QSignalBlocker block(cbxMezicasy);
    const auto count = cbxMezicasy->count();
    if (splits.items().size() == count + 1 && (count == 0 || cbxMezicasy->itemText(count - 1) == splits.items()[count - 1])) {
        cbxMezicasy->addItem(splits.items().back());
    } else {
        cbxMezicasy->clear();
        cbxMezicasy->addItems(splits.items());
    }
    cbxMezicasy->setCurrentIndex(splits.selected());
}

void TfrmHlavniOkno::mnuVzdyNahoreClick() {
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, mnuVzdyNahore->isChecked());
    if (wasVisible) {
        show(); // changing the window flags hides the window
    }
}

// ---- running engines across a restart

RunningChoice TfrmHlavniOkno::zvolPokracovani(int line1, int line2) {
    switch (pokracovani::volba(storage_.settingsIni())) {
    case pokracovani::Setting::Ask:
        return questions_.askRunning(messageTable_.text(line1), messageTable_.text(line2));
    case pokracovani::Setting::Pause:
        return RunningChoice::Pause;
    case pokracovani::Setting::KeepRunning:
        return RunningChoice::KeepRunning;
    case pokracovani::Setting::Stop:
        break;
    }
    return RunningChoice::Stop;
}

bool TfrmHlavniOkno::ulozPokracovani() {
    IniFile& settings = storage_.settingsIni();
    if (stopwatch_.running()) {
        const RunningChoice c = zvolPokracovani(9, 10);
        if (c == RunningChoice::Cancel) {
            return false;
        }
        if (!pokracovani::ulozPokracovaniTavrek(settings, stopwatch_, c)) {
            questions_.tell(fillPlaceholders(messageTable_.text(6), settings.path()), MessageIcon::Warning);
            return false;
        }
    } else if (!stopwatch_.splitsSaved()) {
        // No means "show the split-times manager"; until it exists, both No and Cancel keep the program open.
        if (questions_.ask(messageTable_.text(11), MessageIcon::Warning, MessageButtons::YesNoCancel) !=
            Answer::Yes) {
            return false;
        }
    }
    (void)settings.writeFloat(u"stavHlavnihoOkna", u"tavrokCas", stopwatch_.elapsed());
    if (countdown_.running()) {
        const RunningChoice c = zvolPokracovani(12, 13);
        if (c == RunningChoice::Cancel) {
            return false;
        }
        if (!pokracovani::ulozPokracovaniOdpocitavani(settings, countdown_, c, chbOdpOpakovat->isChecked(),
                                                      edtOdpZprava->text())) {
            questions_.tell(fillPlaceholders(messageTable_.text(7), settings.path()), MessageIcon::Warning);
            return false;
        }
    }
    return true;
}

void TfrmHlavniOkno::pokracujPoSpusteni() {
    const IniSnapshot settings = storage_.settingsIni().snapshot();
    const TDateTime now = clock_.now();
    if (const auto t = pokracovani::nactiTavrok(settings)) {
        stopwatch_.resumeFrom(t->stav == pokracovani::Paused ? now - t->cas : t->cas, now);
        stopwatch_.setSplitsSaved(t->ulozeno);
        stopwatch_.splits().restore(t->mezicasy, t->posledniMezicas);
        syncSplitList();
        btnTvrMezicas->setEnabled(true);
    } else {
        stopwatch_.setSplitsSaved(true);
        if (settings.readBool(u"nastaveni", u"pamatovatTavrok", false)) {
            stopwatch_.setElapsed(settings.readFloat(u"stavHlavnihoOkna", u"tavrokCas", 0));
        }
    }
    if (const auto o = pokracovani::nactiOdpocet(settings)) {
        odpocitOptions_ = nactiDalsiOdp(storage_.settingsIni());
        const TDateTime end = o->konec(now);
        if (o->stav == pokracovani::Paused || toMilliseconds(end - now) >= 0) {
            countdown_.resume(end - o->delka, o->delka, now, odpocitOptions_);
            chbOdpOpakovat->setChecked(o->opakovat);
            edtOdpZprava->setText(o->zprava);
        } else {
            // It ended while the program was off.
            if (odpocitOptions_.spustitTavrok) {
                bool start = !stopwatch_.running();
                if (!start) {
                    start = questions_.ask(messageTable_.text(19), MessageIcon::Warning, MessageButtons::YesNo) ==
                            Answer::Yes;
                }
                if (start) {
                    stopwatch_.zapniTavrokOd(end);
                    stopwatch_.setSplitsSaved(true);
                    syncSplitList();
                    btnTvrMezicas->setEnabled(true);
                }
            }
            questions_.tell(fillPlaceholders(messageTable_.text(20), {{u"%d1", formatIniDateTime(end)},
                                                                      {u"%d2", o->zprava}}),
                            MessageIcon::Information);
        }
    }
    paintFunctionLabels();
}

// ---- alarms

void TfrmHlavniOkno::reloadAlarms() {
    const TDateTime now = clock_.now();
    alarmClock_.nactiSeznam(now);
    syncAlarmList(QString());
    selectNextAlarm();
    alarmClock_.nactiAktualni(now);
}

void TfrmHlavniOkno::syncAlarmList(const QString& keepText) {
    const QSignalBlocker block(cbxBudiky);
    cbxBudiky->clear();
    cbxBudiky->addItems(alarmClock_.seznam().seznamNazvuBudiku);
    const int index = cbxBudiky->findText(keepText, Qt::MatchFixedString);
    cbxBudiky->setCurrentIndex(keepText.isEmpty() ? -1 : index);
    if (index < 0) {
        cbxBudiky->setEditText(QString()); // a typed name that is not an alarm is not kept
    }
}

void TfrmHlavniOkno::selectNextAlarm() {
    const QSignalBlocker block(cbxBudiky);
    const int separator = cbxBudiky->findText(AlarmSeparator, Qt::MatchExactly);
    cbxBudiky->setCurrentIndex(separator + 1 < cbxBudiky->count() ? separator + 1 : -1);
    if (cbxBudiky->currentIndex() < 0) {
        cbxBudiky->setEditText(QString());
    }
}

void TfrmHlavniOkno::alarmChanged() {
    editor_.zmenen();
    QPalette p = cbxBudiky->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Base));
    cbxBudiky->setPalette(p);
}

void TfrmHlavniOkno::loadIntoEditor(const QString& name) {
    if (!editor_.btnBudNacistClick(name, storage_.alarmsIni(), questions_, messageTable_)) {
        return;
    }
    const TDateTime cas = editor_.budik.cas;
    if (state_.currentFunction == Funkce::Budik) {
        const DisplayParts p = dekodujCasProDisplej(cas);
        setTextIfChanged(lblH, p.hours);
        setTextIfChanged(lblM, p.minutes);
        setTextIfChanged(lblS, p.seconds);
        setTextIfChanged(lblMs, QStringLiteral("000"));
        edtD->setText(editor_.budik.zprava);
    } else {
        state_.alarmShownTime = cas;
        state_.alarmShownText = editor_.budik.zprava;
    }
    editor_.nacteny = true;
    QPalette p = cbxBudiky->palette();
    p.setColor(QPalette::Base, Lime);
    cbxBudiky->setPalette(p);
    // The date comes from the list; a name that is not listed has its own date.
    std::optional<TDateTime> date;
    const auto& list = alarmClock_.seznam();
    for (qsizetype i = 0; i < list.seznamNazvuBudiku.size(); ++i) {
        if (list.seznamNazvuBudiku[i] != AlarmSeparator &&
            list.seznamNazvuBudiku[i].compare(name, Qt::CaseInsensitive) == 0) {
            date = list.seznamDatBudiku[static_cast<size_t>(i)];
        }
    }
    if (!date) {
        date = editor_.datum(cas, clock_.now());
    }
    const auto label = editor_.obnov(date, clock_.now(), dayNames_);
    setTextIfChanged(lblDatumBudiku, label.text);
    setBackground(lblDatumBudiku, label.colour == AlarmEditor::LabelColour::Lime     ? Lime
                                  : label.colour == AlarmEditor::LabelColour::Yellow ? QColor(255, 255, 0)
                                                                                     : palette().color(QPalette::Button));
    showAlarmEditorState(clock_.now());
}

void TfrmHlavniOkno::showAlarmEditorState(TDateTime now) {
    if (state_.currentFunction == Funkce::Budik) {
        const auto label = editor_.obnov(editor_.datum(zakodujDisplej(false), now), now, dayNames_);
        setTextIfChanged(lblDatumBudiku, label.text);
        const QColor colour = label.colour == AlarmEditor::LabelColour::Lime     ? Lime
                              : label.colour == AlarmEditor::LabelColour::Yellow ? QColor(255, 255, 0)
                                                                                 : palette().color(QPalette::Button);
        if (lblDatumBudiku->palette().color(QPalette::Window) != colour) {
            setBackground(lblDatumBudiku, colour);
        }
        const QString caption = editor_.budik.zapnuty() ? buttonCaptions_.budVypnout : buttonCaptions_.budZapnout;
        if (btnZapnout->text() != caption) {
            btnZapnout->setText(caption);
        }
    }
    const int stav = editor_.budik.stav;
    if (imgZvonek->property("stav").toInt() != stav + 1) {
        const QVector<quint32> px = kresliZvonek(stav, palette().color(QPalette::Window).rgb());
        const QImage image(reinterpret_cast<const uchar*>(px.constData()), BellSize, BellSize, BellSize * 4,
                           QImage::Format_ARGB32);
        imgZvonek->setPixmap(QPixmap::fromImage(image.copy()));
        imgZvonek->setProperty("stav", stav + 1);
    }
}

void TfrmHlavniOkno::btnBudNacistClick() {
    loadIntoEditor(cbxBudiky->currentText());
}

void TfrmHlavniOkno::btnBudUlozitClick() {
    const TDateTime now = clock_.now();
    if (!editor_.btnBudUlozitClick(cbxBudiky->currentText(), zakodujDisplej(false) - lblMs->text().toInt() / MsPerDay,
                                   edtD->text(), storage_.alarmsIni(), now, questions_, messageTable_)) {
        showAlarmEditorState(clock_.now());
        return;
    }
    reloadAlarms();
    loadIntoEditor(alarmClock_.nasledujici());
}

void TfrmHlavniOkno::btnBudVymazatClick() {
    if (!editor_.btnBudVymazatClick(cbxBudiky->currentText(), storage_.alarmsIni(), questions_, messageTable_)) {
        return;
    }
    reloadAlarms();
    loadIntoEditor(alarmClock_.nasledujici());
}

void TfrmHlavniOkno::btnBudVymazatVseClick() {
    if (editor_.btnBudVymazatVseClick(storage_.alarmsIni(), questions_, messageTable_)) {
        reloadAlarms();
    }
}

void TfrmHlavniOkno::alarmTick(TDateTime now) {
    const AlarmClock::Ring r = alarmClock_.kontrola(now, mnuZvuk->isChecked());
    if (r.due) {
        syncAlarmList(cbxBudiky->currentText());
    }
    if (!r.rings) {
        return;
    }
    lastAlarmLateness_ = r.lateness;
    ++alarmsRung_;
    if (!r.snapshot.zprava.isEmpty()) {
        showNormal();
        raise();
        activateWindow();
        questions_.notify(QStringLiteral("Tavrok: ") + formatIniDateTime(clock_.now()), r.snapshot.zprava);
        if (r.soundId >= 0 && r.snapshot.upozorneni.ukoncitKliknutim) {
            sounds_.ukoncitZvuk(r.soundId);
        }
    }
}

// ---- the countdown

void TfrmHlavniOkno::zapniOdpocit() {
    if (countdown_.running()) {
        return;
    }
    odpocitOptions_ = nactiDalsiOdp(storage_.settingsIni()); // the options as the file has them now
    const TDateTime span =
        state_.currentFunction == Funkce::Odpocit ? zakodujDisplej(true) : countdown_.left();
    if (!countdown_.zapniOdpocit(span, clock_.now(), odpocitOptions_)) {
        questions_.tell(messageTable_.text(2), MessageIcon::Warning);
        return;
    }
    showCountdownState();
    tmrFunkceTimer();
}

void TfrmHlavniOkno::vypniOdpocit() {
    countdown_.vypniOdpocit();
    showCountdownState();
    refreshTitleFromClock();
    scheduleFunctionTick();
}

void TfrmHlavniOkno::mnuNastaveniClick() {
    if (frmNastaveni_->otevriNastaveni()) {
        odpocitOptions_ = nactiDalsiOdp(storage_.settingsIni()); // the engines follow the saved settings at once
    }
}

void TfrmHlavniOkno::btnDalsiClick() {
    if (state_.currentFunction == Funkce::Odpocit && frmDalsiOdpocit_->otevriDalsiOdp(storage_.settingsIni())) {
        odpocitOptions_ = nactiDalsiOdp(storage_.settingsIni()); // the engine follows the saved options at once
    }
}

void TfrmHlavniOkno::btnPauzaClick() {
    if (countdown_.running()) {
        countdown_.pauza(clock_.now());
    } else if (countdown_.paused()) {
        countdown_.pokracovat(clock_.now());
    }
    showCountdownState();
    if (countdown_.running()) {
        tmrFunkceTimer();
    } else {
        refreshTitleFromClock();
    }
}

void TfrmHlavniOkno::showCountdownState() {
    paintFunctionLabels();
    if (!countdown_.running()) {
        pnlProgressOdpocit->resize(0, pnlProgressOdpocit->height());
    }
    if (state_.currentFunction == Funkce::Odpocit) {
        applyView(viewFor(Funkce::Odpocit,
                          {stopwatch_.running(), countdown_.running(), countdown_.paused(), false, editorFocused()},
                          buttonCaptions_));
    }
}

void TfrmHlavniOkno::odpocitTick(TDateTime now) {
    const Countdown::Tick t = countdown_.tick(now, mnuZvuk->isChecked(), chbOdpOpakovat->isChecked(), odpocitOptions_);
    const bool current = state_.currentFunction == Funkce::Odpocit;
    if (t.ended) {
        lastEndLateness_ = t.lateness;
        ++endsHandled_;
        if (!countdown_.running()) {
            const TDateTime left = countdown_.left();
            showCountdownState();
            if (current) {
                btnVynulovatClick();
            }
            countdown_.setLeft(left);
            refreshTitleFromClock();
        }
        switch (stopwatchAtEnd(odpocitOptions_, countdown_.running(), stopwatch_.running())) {
        case StopwatchAtEnd::Nothing:
            break;
        case StopwatchAtEnd::Ask:
            if (questions_.ask(messageTable_.text(3), MessageIcon::Warning, MessageButtons::YesNo) != Answer::Yes) {
                break;
            }
            [[fallthrough]];
        case StopwatchAtEnd::Start:
        case StopwatchAtEnd::Restart:
            stopwatch_.zapniTavrokOd(t.endMoment);
            paintFunctionLabels();
            syncSplitList();
            btnTvrMezicas->setEnabled(true);
            if (state_.currentFunction == Funkce::Tavrok) {
                lblFceTavrokClick();
            }
            break;
        }
        if (!edtOdpZprava->text().isEmpty()) {
            showNormal();
            raise();
            activateWindow();
            questions_.notify(QStringLiteral("Tavrok: ") + formatIniDateTime(clock_.now()), edtOdpZprava->text());
            if (t.endSoundId >= 0 && odpocitOptions_.naKonci.ukoncitKliknutim) {
                sounds_.ukoncitZvuk(t.endSoundId);
            }
        }
    }
    if (state_.currentFunction == Funkce::Odpocit && isShownOnScreen()) {
        state_.displayUpdating = true;
        zobrazNaDispleji(countdown_.left());
        state_.displayUpdating = false;
    }
    if (countdown_.running()) {
        if (state_.currentFunction == Funkce::Odpocit || !stopwatch_.running()) {
            state_.shown = dekodujCasProDisplej(countdown_.left());
            setTitle(engineTitle(titleLetter(lblFceOdpocit->text()), state_.shown));
        }
        const double share = (countdown_.end() - clock_.now()) / countdown_.span();
        const int width = static_cast<int>(std::lround(std::clamp(share, 0.0, 1.0) * lblFceOdpocit->width()));
        if (pnlProgressOdpocit->width() != width) {
            pnlProgressOdpocit->resize(width, pnlProgressOdpocit->height());
        }
    } else if (t.ended) {
        refreshTitleFromClock();
    }
}

// ---- editing the digits

bool TfrmHlavniOkno::editorFocused() const {
    const QWidget* f = QApplication::focusWidget();
    return f && (f == edtD || f == edtOdpZprava || f == mkeDatum || f == mkeCas || f == cbxBudiky ||
                 cbxBudiky->isAncestorOf(f));
}

bool TfrmHlavniOkno::markerTakesKeys() const {
    return pnlEditovanaCislice->isVisible() && !editorFocused();
}

void TfrmHlavniOkno::paintMarker() {
    setBackground(pnlEditovanaCislice, editorFocused() ? QColor(Qt::black) : QColor(Qt::red));
}

void TfrmHlavniOkno::uD1Click() {
    pnlDatCasEdit->hide();
    position_ = digits::wrap(position_);
    const QLabel* label = position_ <= 2 ? lblH : position_ <= 4 ? lblM : lblS;
    pnlEditovanaCislice->move(label->x() + (position_ % 2 == 1 ? 1 : 19), pnlEditovanaCislice->y());
    paintMarker();
}

TDigits TfrmHlavniOkno::readDigits() const {
    TDigits t;
    t.days = state_.currentFunction == Funkce::Budik ? 0 : dayCountFromText(edtD->text());
    const QString text = lblH->text() + lblM->text() + lblS->text();
    for (int i = 0; i < 6 && i < text.size(); ++i) {
        t.d[i + 1] = text[i].digitValue();
    }
    return t;
}

void TfrmHlavniOkno::writeDigits(const TDigits& t) {
    const auto pair = [&](int i) { return QString::number(t.d[i]) + QString::number(t.d[i + 1]); };
    setTextIfChanged(lblH, pair(1));
    setTextIfChanged(lblM, pair(3));
    setTextIfChanged(lblS, pair(5));
    if (state_.currentFunction != Funkce::Budik && edtD->text() != QString::number(t.days)) {
        state_.displayUpdating = true;
        edtD->setText(QString::number(t.days));
        state_.displayUpdating = false;
    }
}

void TfrmHlavniOkno::digitsEdited() {
    if (state_.currentFunction == Funkce::Odpocit) {
        countdown_.setLeft(zakodujDisplej(true));
    }
}

int TfrmHlavniOkno::positionUnderMouse(QLabel* label, QMouseEvent* event) const {
    const int tens = label == lblH ? 1 : label == lblM ? 3 : 5;
    return event->position().x() < label->width() / 2.0 ? tens : tens + 1;
}

void TfrmHlavniOkno::digitLabelPressed(QLabel* label, QMouseEvent* event) {
    if (!pnlEditovanaCislice->isVisible()) {
        return;
    }
    pnlDatCasEdit->hide();
    const int position = positionUnderMouse(label, event);
    if (position != position_) {
        position_ = position;
        uD1Click();
        return;
    }
    const int delta = event->button() == Qt::LeftButton ? +1 : event->button() == Qt::RightButton ? -1 : 0;
    TDigits t = readDigits();
    if (delta != 0 && digits::upravDisplej(t, position, delta, false, state_.currentFunction == Funkce::Budik)) {
        writeDigits(t);
        digitsEdited();
    }
    if (delta != 0 && state_.currentFunction == Funkce::Budik) {
        alarmChanged();
    }
}

void TfrmHlavniOkno::digitLabelClicked(QLabel* label, QMouseEvent* event) {
    if (!pnlEditovanaCislice->isVisible()) {
        return;
    }
    pnlDatCasEdit->hide();
    btnZapnout->setFocus(); // no edit keeps the focus: the digits take the keys
    position_ = positionUnderMouse(label, event);
    uD1Click();
}

bool TfrmHlavniOkno::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == lblCas && type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
            lblCasClick();
            return true;
        }
        if (watched != lblCas && type == QEvent::MouseButtonPress &&
            (watched == centralWidget() || qobject_cast<QLabel*>(watched))) {
            pnlDatCasEdit->hide(); // formClick: the background and the labels close the clock editor
        }
        for (QLabel* l : {lblH, lblM, lblS}) {
            if (watched == l) {
                if (type == QEvent::MouseButtonPress) {
                    digitLabelPressed(l, mouse);
                } else {
                    digitLabelClicked(l, mouse);
                }
                return true;
            }
        }
        return QMainWindow::eventFilter(watched, event);
    }
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && isActiveWindow()) {
        // A key that no widget takes travels up to the parents and passes here again: handle it once.
        if (event == lastKeyEvent_ && type == lastKeyType_) {
            return false;
        }
        lastKeyEvent_ = event;
        lastKeyType_ = type;
        return winMessageKey(static_cast<QKeyEvent*>(event), type == QEvent::KeyRelease);
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmHlavniOkno::winMessageKey(QKeyEvent* key, bool released) {
    const int k = key->key();
    const bool ctrl = key->modifiers().testFlag(Qt::ControlModifier);
    if (ctrl && (k == Qt::Key_Tab || k == Qt::Key_Backtab)) {
        if (released) {
            const bool back = k == Qt::Key_Backtab || key->modifiers().testFlag(Qt::ShiftModifier);
            const int next = (static_cast<int>(state_.currentFunction) - 1 + (back ? 2 : 1)) % 3 + 1;
            prepniFunkci(static_cast<Funkce>(next));
        }
        return true;
    }
    if (!markerTakesKeys()) {
        return false;
    }
    bool handled = false;
    if (k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down) {
        if (released) {
            if (k == Qt::Key_Left || k == Qt::Key_Right) {
                position_ += k == Qt::Key_Right ? 1 : -1;
                uD1Click();
            } else {
                TDigits t = readDigits();
                if (k == Qt::Key_Up ? digits::raise(t, position_) : digits::lower(t, position_)) {
                    writeDigits(t);
                    if (state_.currentFunction == Funkce::Budik) {
                        alarmChanged();
                    }
                }
            }
        }
        handled = true;
    } else if (!released && k >= Qt::Key_0 && k <= Qt::Key_9 &&
               !key->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier)) {
        TDigits t = readDigits();
        if (digits::typeDigit(t, position_, k - Qt::Key_0)) {
            writeDigits(t);
            ++position_;
            uD1Click();
            if (state_.currentFunction == Funkce::Budik) {
                alarmChanged();
            }
        }
        handled = true;
    }
    digitsEdited();
    return handled;
}

// ---- the clock editor

void TfrmHlavniOkno::lblCasClick() {
    const TDateTime now = clock_.now();
    const QDateTime qt = toQDateTime(now);
    mkeDatum->setText(qt.toString(QStringLiteral("dd.MM.yyyy")));
    mkeCas->setText(qt.toString(QStringLiteral("HH:mm:ss")));
    pnlDatCasEdit->show();
    pnlDatCasEdit->raise();
    dateLive_ = true;
    timeLive_ = true;
    mkeDatum->setFocus();
}

void TfrmHlavniOkno::refreshClockEditor(TDateTime now) {
    const QDateTime qt = toQDateTime(now);
    const auto refresh = [](QLineEdit* field, bool live, const QString& text) {
        if (!live || field->text() == text) {
            return;
        }
        const int cursor = field->cursorPosition();
        const int selStart = field->selectionStart();
        const int selLength = field->selectionLength();
        field->setText(text);
        if (selStart >= 0) {
            field->setSelection(selStart, selLength);
        } else {
            field->setCursorPosition(cursor);
        }
    };
    refresh(mkeDatum, dateLive_, qt.toString(QStringLiteral("dd.MM.yyyy")));
    refresh(mkeCas, timeLive_, qt.toString(QStringLiteral("HH:mm:ss")));
}

void TfrmHlavniOkno::keyPressEditaceCasu() {
    const auto entered = parseIniDateTime(QString(mkeDatum->text() + u' ' + mkeCas->text()));
    if (!entered || !mkeDatum->hasAcceptableInput() || !mkeCas->hasAcceptableInput()) {
        questions_.tell(messageTable_.text(35), MessageIcon::Warning);
        return;
    }
    const TDateTime before = clock_.now();
    QElapsedTimer took;
    took.start();
    clockSetter_.setLocalTime(*entered);
    // What the clock jumped by, without the time the setting itself took: the engines keep their time.
    const TDateTime jump = clock_.now() - before - took.nsecsElapsed() / 1e6 / MsPerDay;
    if (stopwatch_.running()) {
        stopwatch_.resumeFrom(stopwatch_.start() + jump, clock_.now());
    }
    if (countdown_.running()) {
        countdown_.shiftStart(jump);
    }
    pnlDatCasEdit->hide();
    tmrAktualizaceCasuTimer();
}

} // namespace tavrok
