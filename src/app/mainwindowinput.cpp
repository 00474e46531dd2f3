// The main window's menu, its shared buttons, and the keys and clicks it sees first.
#include "alarms/alarmpanel.h"
#include "app/clockeditor.h"
#include "app/digitinput.h"
#include "app/tfrmoprogramu.h"
#include "app/splithotkey.h"
#include "update/updatechecker.h"
#include "app/tfrmhlavniokno.h"
#include "stopwatch/stopwatchpanel.h"
#include "storage/tfrmnastaveni.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>

namespace tavrok {

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
        item(mnuSoubor, "mnuVypnoutUpozorneni", QStringLiteral("V&ypnout upozorn\u011Bn\u00ED"));
    item(mnuSoubor, "mnuSeriovyPort", QStringLiteral("Nastaven\u00ED &s\u00E9riov\u00E9ho portu..."));
    item(mnuSoubor, "mnuZobrazitDisplej", QStringLiteral("Z&obrazit Samostatn\u00FD displej"), Qt::Key_F5);
    item(mnuSoubor, "mnuNastaveniDispleje", QStringLiteral("N&astaven\u00ED Samostatn\u00E9ho displeje..."),
         Qt::Key_F6);
    QAction* mnuZmeskaneBudiky =
        item(mnuSoubor, "mnuZmeskaneBudiky", QStringLiteral("Zo&brazit zme\u0161kan\u00E9 bud\u00EDky..."));
    mnuZmeskaneBudiky->setEnabled(true);
    connect(mnuZmeskaneBudiky, &QAction::triggered, this, &TfrmHlavniOkno::mnuZmeskaneBudikyClick);
    // Acts on the alarm named in the name box, when it is put off.
    QAction* mnuZrusitOdlozeni =
        item(mnuSoubor, "mnuZrusitOdlozeni", QStringLiteral("Z&ru\u0161it odlo\u017Een\u00ED bud\u00EDku"));
    connect(mnuSoubor, &QMenu::aboutToShow, mnuZrusitOdlozeni,
            [this, mnuZrusitOdlozeni] { mnuZrusitOdlozeni->setEnabled(alarmPanel_->zobrazenyOdlozen()); });
    connect(mnuZrusitOdlozeni, &QAction::triggered, alarmPanel_, &AlarmPanel::zrusOdlozeni);
    QAction* mnuNastaveni = item(mnuSoubor, "mnuNastaveni", QStringLiteral("&Nastaven\u00ED..."), Qt::Key_F12);
    mnuNastaveni->setEnabled(true);
    connect(mnuNastaveni, &QAction::triggered, this, &TfrmHlavniOkno::mnuNastaveniClick);
    QAction* mnuImport = item(mnuSoubor, "mnuImport", QStringLiteral("&Importovat nastaven\u00ED"));
    QAction* mnuExport = item(mnuSoubor, "mnuExport", QStringLiteral("&Exportovat nastaven\u00ED"));
    mnuImport->setEnabled(true);
    mnuExport->setEnabled(true);
    connect(mnuImport, &QAction::triggered, this, &TfrmHlavniOkno::mnuImportClick);
    connect(mnuExport, &QAction::triggered, this, &TfrmHlavniOkno::mnuExportClick);
    mnuSoubor->addSeparator()->setObjectName(QStringLiteral("N2"));
    QAction* mnuKonec = item(mnuSoubor, "mnuKonec", QStringLiteral("&Konec"));

    QMenu* mnuNapoveda = bar->addMenu(QStringLiteral("N\u00E1p&ov\u011Bda"));
    mnuNapoveda->setObjectName(QStringLiteral("mnuNapoveda"));
    QAction* mnuIndex = item(mnuNapoveda, "mnuIndex", QStringLiteral("&Index"), Qt::Key_F1);
    mnuIndex->setEnabled(true);
    connect(mnuIndex, &QAction::triggered, this, &TfrmHlavniOkno::mnuIndexClick);
    QAction* mnuZkontrolovatNovouVerzi =
        item(mnuNapoveda, "mnuZkontrolovatNovouVerzi", QStringLiteral("Zkontrolovat novou verzi"));
    mnuZkontrolovatNovouVerzi->setEnabled(true);
    connect(mnuZkontrolovatNovouVerzi, &QAction::triggered, this,
            [this] { updateChecker_->mnuZkontrolovatNovouVerziClick(); });
    mnuNapoveda->addSeparator()->setObjectName(QStringLiteral("N1"));
    QAction* mnuOProgramu = item(mnuNapoveda, "mnuOProgramu", QStringLiteral("&O programu Tavrok..."));
    mnuOProgramu->setEnabled(true);
    connect(mnuOProgramu, &QAction::triggered, this, &TfrmHlavniOkno::mnuOProgramuClick);

    for (QAction* a : {mnuDoIkony, mnuVzdyNahore, mnuZvuk}) {
        a->setCheckable(true);
        a->setEnabled(true);
    }
    mnuKonec->setEnabled(true);
    mnuVypnoutUpozorneni->setEnabled(true);
    connect(mnuVypnoutUpozorneni, &QAction::triggered, this, &TfrmHlavniOkno::mnuVypnoutUpozorneniClick);
    connect(mnuKonec, &QAction::triggered, this, &TfrmHlavniOkno::mnuKonecClick);
    connect(mnuVzdyNahore, &QAction::triggered, this, &TfrmHlavniOkno::mnuVzdyNahoreClick);
    connect(mnuZvuk, &QAction::toggled, this, [this](bool on) { state_.menu.zvuk = on; });
    connect(mnuDoIkony, &QAction::toggled, this, [this](bool on) { state_.menu.doIkony = on; });
}

// ---- the shared buttons and the menu

void TfrmHlavniOkno::btnKonecClick() {
    close(); // the shutdown sequence decides whether the program really ends
}

void TfrmHlavniOkno::mnuKonecClick() {
    close();
}

void TfrmHlavniOkno::btnDalsiClick() {
    panel(state_.function()).btnDalsiClick();
}

void TfrmHlavniOkno::mnuVypnoutUpozorneniClick() {
    state_.sounds.vypnoutUpozorneni();
    tmrPrehravaniZvuku->stop();
    if (notifier_) {
        notifier_->withdrawAll(); // none of them has a sound to stop any more
    }
}

void TfrmHlavniOkno::mnuNastaveniClick() {
    if (frmNastaveni_->otevriNastaveni()) {
        nactiJazyk();
        state_.reloadCountdownOptions(); // the engines follow the saved settings at once
        splitHotkey_->followSettings(); // the hotkey too, at once
    }
}

void TfrmHlavniOkno::mnuZmeskaneBudikyClick() {
    alarmPanel_->mnuZmeskaneBudikyClick();
}

void TfrmHlavniOkno::mnuOProgramuClick() {
    if (!frmOProgramu_) {
        frmOProgramu_ = new TfrmOProgramu(this);
        frmOProgramu_->nactiJazyk(state_.language);
    }
    frmOProgramu_->exec();
}

void TfrmHlavniOkno::mnuVzdyNahoreClick() {
    state_.menu.vzdyNahore = mnuVzdyNahore->isChecked();
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, state_.menu.vzdyNahore);
    if (wasVisible) {
        show(); // changing the window flags hides the window
    }
}

void TfrmHlavniOkno::lblCasClick() {
    clockEditor_->lblCasClick();
}

// ---- keys and clicks

bool TfrmHlavniOkno::editorFocused() const {
    const QWidget* f = QApplication::focusWidget();
    if (!f) {
        return false;
    }
    static const QString names[] = {QStringLiteral("edtOdpZprava"), QStringLiteral("cbxBudiky")};
    for (const QWidget* w = f; w; w = w->parentWidget()) {
        if (w == edtD || w->objectName() == names[0] || w->objectName() == names[1]) {
            return true;
        }
    }
    return clockEditor_->hasFocus();
}

bool TfrmHlavniOkno::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
        type == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == lblCas) {
            if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
                lblCasClick();
            }
            return true;
        }
        auto* w = qobject_cast<QWidget*>(watched);
        if (type != QEvent::MouseButtonRelease && w && w->window() == this && !clockEditor_->contains(w) &&
            (w == centralWidget() || w->inherits("QFrame"))) {
            clockEditor_->hide(); // formClick: the background and the labels close the clock editor
        }
        for (QLabel* l : {lblH, lblM, lblS}) {
            if (watched == l) {
                // The second press of a double click is a click of its own: fast clicking loses no step.
                if (type == QEvent::MouseButtonRelease) {
                    digitInput_->lblHClick(l, mouse);
                } else {
                    digitInput_->lblHMouseDown(l, mouse);
                }
                return true;
            }
        }
        return QMainWindow::eventFilter(watched, event);
    }
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        // A key no widget takes travels up to the parents, passing here again: it is handled where it
        // was first delivered. The same event object at a parent of the widget that had it is that
        // journey; another key may well reuse the address, but it starts again at a focused control.
        auto* w = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        // F1 in any other window of the program opens its help page (the main window has its menu's).
        if (w && w->window() != this && key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            if (type == QEvent::KeyPress && !key->isAutoRepeat()) {
                napovedaKOknu(w->window());
            }
            return true;
        }
        if (!w || w->window() != this || !isActiveWindow()) {
            return false;
        }
        const bool travelling = event == lastKey_.event && type == lastKey_.type && key->key() == lastKey_.key &&
                                lastKey_.widget && w != lastKey_.widget && w->isAncestorOf(lastKey_.widget);
        if (travelling) {
            return false;
        }
        lastKey_ = {event, type, key->key(), w};
        return winMessageKey(key, type == QEvent::KeyRelease);
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmHlavniOkno::winMessageKey(QKeyEvent* key, bool released) {
    const int k = key->key();
    const bool tab = k == Qt::Key_Tab || k == Qt::Key_Backtab;
    if (tab && !released && key->modifiers().testFlag(Qt::ControlModifier)) {
        if (!key->isAutoRepeat()) {
            const bool back = k == Qt::Key_Backtab || key->modifiers().testFlag(Qt::ShiftModifier);
            pendingSwitch_ = back ? 2 : 1;
        }
        return true;
    }
    if (tab && released && pendingSwitch_ != 0) {
        if (key->isAutoRepeat()) {
            return true;
        }
        // On the Tab's release, also when Ctrl was let go first.
        const int next = (static_cast<int>(state_.function()) - 1 + pendingSwitch_) % 3 + 1;
        pendingSwitch_ = 0;
        prepniFunkci(static_cast<Funkce>(next));
        return true;
    }
    return released ? digitInput_->keyRelease(key) : digitInput_->keyPress(key);
}

TfrmNastaveni* TfrmHlavniOkno::frmNastaveni() const {
    return &frmNastaveni_.get();
}

} // namespace tavrok
