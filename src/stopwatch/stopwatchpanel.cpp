#include "stopwatch/stopwatchpanel.h"

#include "app/programstate.h"
#include "platform/clock.h"
#include "stopwatch/tfrmdalsitavrok.h"
#include "stopwatch/tfrmmezicasy.h"
#include "storage/inifile.h"
#include "widgets/namedwidget.h"

#include <QComboBox>
#include <QFrame>
#include <QPushButton>

namespace tavrok {

StopwatchPanel::StopwatchPanel(ProgramState& state, Services services, QWidget* parent)
    : FunctionPanel(parent), state_(state), questions_(services.questions),
      frmDalsiTavrok_([this, window = parent->window()] {
          return new TfrmDalsiTavrok(questions_, state_.messages, window);
      }),
      frmMezicasy_([this, services, window = parent->window()] {
          auto* d = new TfrmMezicasy({state_, questions_, services.files, services.pickers, services.printing}, window);
          connect(d, &TfrmMezicasy::splitListChanged, this, [this] {
              syncSplitList();
              emit stateChanged();
          });
          return d;
      }) {
    btnTvrImpExp = makeNamed<QPushButton>(parent, "btnTvrImpExp", u"&Imp/exp...", 10, 90, 70, 19);
    btnTvrVymazatVse = makeNamed<QPushButton>(parent, "btnTvrVymazatVse", u"Vy&mazat v\u0161e", 80, 90, 87, 19);
    pnlTavrok = makeNamed<QFrame>(parent, "pnlTavrok", 10, 110, 157, 37);
    cbxMezicasy = makeNamed<QComboBox>(pnlTavrok, "cbxMezicasy", 0, 0, 157, 21);
    btnTvrMezicas = makeNamed<QPushButton>(pnlTavrok, "btnTvrMezicas", u"Me&zi\u010Das", 0, 21, 76, 16);
    btnTvrVymazat = makeNamed<QPushButton>(pnlTavrok, "btnTvrVymazat", u"&Vymazat", 81, 21, 76, 16);

    connect(btnTvrImpExp, &QPushButton::clicked, this, &StopwatchPanel::btnTvrImpExpClick);
    connect(btnTvrVymazat, &QPushButton::clicked, this, &StopwatchPanel::btnTvrVymazatClick);
    connect(btnTvrVymazatVse, &QPushButton::clicked, this, &StopwatchPanel::btnTvrVymazatVseClick);
    connect(cbxMezicasy, &QComboBox::currentIndexChanged, this,
            [this](int index) { state_.stopwatch.splits().select(index); });
    refresh();
}

TfrmDalsiTavrok* StopwatchPanel::frmDalsiTavrok() const {
    return &frmDalsiTavrok_.get();
}

TfrmMezicasy* StopwatchPanel::frmMezicasy() const {
    return &frmMezicasy_.get();
}

void StopwatchPanel::setShown(bool shown) {
    for (QWidget* w : std::initializer_list<QWidget*>{pnlTavrok, btnTvrImpExp, btnTvrVymazatVse}) {
        w->setVisible(shown);
    }
}

void StopwatchPanel::refresh() {
    syncSplitList();
    btnTvrMezicas->setEnabled(state_.stopwatch.running());
}

void StopwatchPanel::zapniTavrok() {
    state_.stopwatch.zapniTavrok(state_.clock.utcNow(),
                                 state_.storage.settingsIni().readBool(u"nastaveni", u"zacitOdNuly", false));
    refresh();
    emit stateChanged();
}

void StopwatchPanel::vypniTavrok() {
    state_.stopwatch.vypniTavrok(state_.clock.utcNow());
    refresh();
    emit stateChanged();
}

void StopwatchPanel::btnVynulovatClick() {
    state_.stopwatch.vynuluj();
    emit stateChanged();
}

void StopwatchPanel::zkratkaMezicasuStisknuta() {
    if (state_.stopwatch.zkratkaMezicasuStisknuta(state_.clock.utcNow())) {
        syncSplitList();
        emit splitTaken(state_.stopwatch.elapsed());
        emit stateChanged();
    }
}

void StopwatchPanel::btnDalsiClick() {
    state_.tavrokOptions = frmDalsiTavrok_->otevriDalsiTvr(state_.storage.settingsIni());
}

void StopwatchPanel::btnTvrVymazatClick() {
    state_.stopwatch.splits().select(cbxMezicasy->currentIndex());
    if (state_.stopwatch.splits().deleteSelected()) {
        syncSplitList();
    }
}

void StopwatchPanel::btnTvrVymazatVseClick() {
    if (state_.stopwatch.btnTvrVymazatVseClick(questions_, state_.messages)) {
        syncSplitList();
    }
}

void StopwatchPanel::btnTvrImpExpClick() {
    frmMezicasy_->zobraz();
}

void StopwatchPanel::syncSplitList() {
    const SplitList& splits = state_.stopwatch.splits();
    const QSignalBlocker block(cbxMezicasy);
    const auto count = cbxMezicasy->count();
    if (splits.items().size() == count + 1 &&
        (count == 0 || cbxMezicasy->itemText(count - 1) == splits.items()[count - 1])) {
        cbxMezicasy->addItem(splits.items().back());
    } else {
        cbxMezicasy->clear();
        cbxMezicasy->addItems(splits.items());
    }
    cbxMezicasy->setCurrentIndex(splits.selected());
}

} // namespace tavrok
