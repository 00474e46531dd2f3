#include "alarms/alarmpanel.h"

#include "alarms/bellglyph.h"
#include "alarms/tfrmdalsibudik.h"
#include "alarms/tfrmzmeskanebudiky.h"
#include "storage/nastaveni.h"
#include "app/programstate.h"
#include "platform/clock.h"
#include "platform/questions.h"
#include "storage/inifile.h"
#include "widgets/background.h"
#include "widgets/namedwidget.h"

#include <algorithm>
#include <functional>
#include <QIcon>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStringListModel>

namespace tavrok {

namespace {

const QColor Lime(0x00, 0xFF, 0x00);

} // namespace

// The alarm names of the name box; an alarm put off carries a mark and, as its tip, when it rings again.
class AlarmNamesModel final : public QStringListModel {
public:
    using Snoozed = std::function<QString(const QString& name)>; // empty: not put off
    // `style` draws the mark, looked up when an alarm is first put off: the icon theme is read then.
    AlarmNamesModel(Snoozed snoozed, const QStyle* style, QObject* parent)
        : QStringListModel(parent), snoozed_(std::move(snoozed)), style_(style) {}

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DecorationRole && role != Qt::ToolTipRole) {
            return QStringListModel::data(index, role);
        }
        const QString tip = snoozed_(QStringListModel::data(index, Qt::DisplayRole).toString());
        if (tip.isEmpty()) {
            return {};
        }
        if (role == Qt::ToolTipRole) {
            return tip;
        }
        if (mark_.isNull()) {
            mark_ = style_->standardIcon(QStyle::SP_MediaPause);
        }
        return mark_;
    }
    // The marks follow the list of alarms put off.
    void marksChanged() {
        if (rowCount() > 0) {
            emit dataChanged(index(0), index(rowCount() - 1), {Qt::DecorationRole, Qt::ToolTipRole});
        }
    }

private:
    Snoozed snoozed_;
    const QStyle* style_;
    mutable QIcon mark_;
};

AlarmPanel::AlarmPanel(ProgramState& state, Services services, QWidget* parent)
    : FunctionPanel(parent), state_(state), questions_(services.questions),
      frmDalsiBudik_([this, services, window = parent->window()] {
          const auto expand = [this](const QString& path) { return state_.storage.expand(path); };
          return new TfrmDalsiBudik({{services.files, state_.sounds, services.audio, state_.clock, expand},
                                     questions_, state_.messages, [this] { return state_.clock.now().days(); }},
                                    window);
      }),
      frmZmeskaneBudiky_([this, window = parent->window()] {
          return new TfrmZmeskaneBudiky(
              {questions_, state_.messages, [this]() -> IniFile& { return state_.storage.alarmsIni(); }}, window);
      }) {
    lblBudZprava = makeNamed<QLabel>(parent, "lblBudZprava", u"Zpr\u00E1va:", 10, 70, 37, 13);
    pnlZvonek = makeNamed<QFrame>(parent, "pnlZvonek", 132, 84, 23, 23);
    imgZvonek = makeNamed<QLabel>(pnlZvonek, "imgZvonek", 1, 1, 21, 21);
    pnlBudik = makeNamed<QFrame>(parent, "pnlBudik", 10, 108, 157, 42);
    cbxBudiky = makeNamed<QComboBox>(pnlBudik, "cbxBudiky", 0, 0, 89, 21);
    cbxBudiky->setEditable(true);
    // A plain list of texts: a list of 200 000 alarms costs no item objects, and shares the names.
    names_ = new AlarmNamesModel([this](const QString& name) { return odlozenoDo(name); },
                                 cbxBudiky->style(), cbxBudiky);
    cbxBudiky->setModel(names_);
    btnBudUlozit = makeNamed<QPushButton>(pnlBudik, "btnBudUlozit", u"&U", 93, 0, 16, 20);
    btnBudNacist = makeNamed<QPushButton>(pnlBudik, "btnBudNacist", u"&N", 117, 0, 16, 20);
    btnBudVymazat = makeNamed<QPushButton>(pnlBudik, "btnBudVymazat", u"&V", 141, 0, 16, 20);
    lblDatumBudiku = makeNamed<QLabel>(pnlBudik, "lblDatumBudiku", 0, 24, 80, 13);
    lblDatumBudiku->setAutoFillBackground(true);
    btnBudVymazatVse = makeNamed<QPushButton>(pnlBudik, "btnBudVymazatVse", u"Vy&mazat v\u0161e", 86, 23, 71, 16);


    connect(btnBudUlozit, &QPushButton::clicked, this, &AlarmPanel::btnBudUlozitClick);
    connect(btnBudNacist, &QPushButton::clicked, this, &AlarmPanel::btnBudNacistClick);
    connect(btnBudVymazat, &QPushButton::clicked, this, &AlarmPanel::btnBudVymazatClick);
    connect(btnBudVymazatVse, &QPushButton::clicked, this, &AlarmPanel::btnBudVymazatVseClick);
    // cbxBudikyChange: a typed or picked name; picking does not load.
    connect(cbxBudiky, &QComboBox::editTextChanged, this, [this] {
        state_.editor.nazevBudikuZmenen = true;
        alarmChanged();
    });
}

TfrmDalsiBudik* AlarmPanel::frmDalsiBudik() const {
    return &frmDalsiBudik_.get();
}

TfrmZmeskaneBudiky* AlarmPanel::frmZmeskaneBudiky() const {
    return &frmZmeskaneBudiky_.get();
}

void AlarmPanel::setShown(bool shown) {
    for (QWidget* w : std::initializer_list<QWidget*>{pnlBudik, pnlZvonek, lblBudZprava}) {
        w->setVisible(shown);
    }
}

void AlarmPanel::refresh() {
    paintNameBox();
    showEditorState(state_.clock.now().days());
}

void AlarmPanel::btnZapnoutClick() {
    state_.editor.zapniVypniBudik(); // written only when the alarm is saved
    alarmChanged();
}

void AlarmPanel::btnDalsiClick() {
    if (frmDalsiBudik_->otevriDalsiBud(state_.editor.budik)) {
        alarmChanged(); // differs from the saved alarm now; its date and state follow the new schedule
    }
}

void AlarmPanel::najdiZmeskaneBudiky() {
    const std::unique_ptr<MissedAlarmCandidates> candidates = std::move(startCandidates_);
    state_.zmeskaneBudiky =
        tavrok::najdiZmeskaneBudiky(state_.storage.alarmsIni(), state_.clock.now().days(), 1000, candidates.get());
}

void AlarmPanel::mnuZmeskaneBudikyClick() {
    frmZmeskaneBudiky_->zobraz(state_.zmeskaneBudiky, state_.language);
}

void AlarmPanel::alarmsReplaced(bool zobrazovatBudiky, bool gatherMissed) {
    // The settings file may have been replaced with the alarms: what is put off stays, for the alarms
    // that are still there.
    const IniSnapshot alarms = state_.storage.alarmsIni().snapshot();
    (void)state_.odlozeneBudiky.poNahrazeni([&](const QString& name) { return alarms.sectionExists(name); });
    reloadAlarms();
    loadIntoEditor(state_.alarmClock.nasledujici(), true);
    if (gatherMissed && pridejZmeskane()) {
        state_.zmeskaneBudiky.poImportu = true;
        if (zobrazovatBudiky) {
            mnuZmeskaneBudikyClick();
        }
    }
}

bool AlarmPanel::clockMoved(const ClockWatch::Change& change, LocalTime now) {
    if (change.jump < 0) {
        (void)zpetPosunuteHodiny(state_.storage.alarmsIni(), now.days());
        state_.alarmClock.clockSetBack(now);
        syncAlarmList(cbxBudiky->currentText());
        // What a clock set ahead listed as missed is still to come.
        auto& seznam = state_.zmeskaneBudiky.seznam;
        seznam.erase(std::remove_if(seznam.begin(), seznam.end(),
                                    [&](const ZmeskanyBudik& m) { return m.datum > now.days(); }),
                     seznam.end());
    }
    return change.gap > LongGap && pridejZmeskane() &&
           state_.storage.settingsIni().readBool(u"nastaveni", u"zobrazovatBudiky", true);
}

bool AlarmPanel::pridejZmeskane() {
    // Added to what the menu lists already, which the user may not have looked at yet.
    ZmeskaneBudiky found = tavrok::najdiZmeskaneBudiky(state_.storage.alarmsIni(), state_.clock.now().days());
    if (found.seznam.empty()) {
        return false;
    }
    tavrok::pridejZmeskane(state_.zmeskaneBudiky, found);
    state_.zmeskaneBudiky.poImportu = false; // the words follow the newest additions
    return true;
}

void AlarmPanel::btnVynulovatClick() {
    state_.editor.budik.cas = 0;
    alarmChanged();
}

void AlarmPanel::alarmChanged() {
    state_.editor.zmenen();
    paintNameBox();
    showEditorState(state_.clock.now().days());
    emit stateChanged();
}

void AlarmPanel::paintNameBox() {
    QPalette p = cbxBudiky->palette();
    const QColor colour = state_.editor.nacteny ? Lime : pnlBudik->palette().color(QPalette::Base);
    if (p.color(QPalette::Base) != colour) {
        p.setColor(QPalette::Base, colour);
        cbxBudiky->setPalette(p);
    }
}

void AlarmPanel::reloadAlarms() {
    const TDateTime now = state_.clock.now().days();
    state_.alarmClock.nactiSeznam(now);
    showLoadedList(now);
}

void AlarmPanel::loadAlarmsAtStart() {
    // The start-up boxes come between the two readings; one left open longer than this makes the
    // search read every alarm again.
    constexpr TDateTime Span = 15.0 / 1440;
    const TDateTime now = state_.clock.now().days();
    state_.odlozeneBudiky.nacti();
    auto candidates = std::make_unique<MissedAlarmCandidates>();
    candidates->fileVersion = state_.storage.alarmsIni().snapshot().version();
    candidates->from = now;
    candidates->until = now + Span;
    state_.alarmClock.nactiSeznam(
        now, [&](const IniSnapshot& ini, const IniRecord& alarm, const QString& name, const TNactenyBudik& schedule) {
            candidates->fileVersion = ini.version();
            candidates->consider(alarm, name, schedule);
        });
    startCandidates_ = std::move(candidates);
    showLoadedList(now);
}

void AlarmPanel::showLoadedList(TDateTime now) {
    syncAlarmList(QString());
    selectNextAlarm();
    state_.alarmClock.nactiAktualni(now);
}

void AlarmPanel::syncAlarmList(const QString& keepText) {
    const QSignalBlocker block(cbxBudiky);
    names_->setStringList(state_.alarmClock.seznam().seznamNazvuBudiku);
    const int index = keepText.isEmpty() ? -1 : cbxBudiky->findText(keepText, Qt::MatchFixedString);
    cbxBudiky->setCurrentIndex(keepText.isEmpty() ? -1 : index);
    if (index < 0) {
        cbxBudiky->setEditText(QString()); // a typed name that is not an alarm is not kept
    }
}

void AlarmPanel::selectNextAlarm() {
    const QSignalBlocker block(cbxBudiky);
    const int separator = static_cast<int>(state_.alarmClock.seznam().seznamNazvuBudiku.indexOf(AlarmSeparator));
    cbxBudiky->setCurrentIndex(separator + 1 < cbxBudiky->count() ? separator + 1 : -1);
    if (cbxBudiky->currentIndex() < 0) {
        cbxBudiky->setEditText(QString());
    }
}

void AlarmPanel::loadIntoEditor(const QString& name, bool quietly) {
    state_.editor.tichyNacteni = quietly;
    if (!state_.editor.btnBudNacistClick(name, state_.storage.alarmsIni(), questions_, state_.messages)) {
        return;
    }
    paintNameBox();
    showEditorState(state_.clock.now().days());
    emit stateChanged();
}

void AlarmPanel::showEditorState(TDateTime now) {
    AlarmEditor& editor = state_.editor;
    const auto date = editor.datum(editor.budik.cas, now);
    const auto label = editor.obnov(date, now, state_.dayNames);
    // An alarm put off says when it rings again instead of its date (in short: the label is narrow).
    const std::optional<UtcTime> snoozed = state_.odlozeneBudiky.odlozenDo(cbxBudiky->currentText().trimmed());
    const QString at = snoozed ? casOdlozeni(*snoozed) : QString();
    const QString text = snoozed ? state_.textyZvoneni.odlozenoKratce.arg(at) : label.text;
    if (lblDatumBudiku->text() != text) {
        lblDatumBudiku->setText(text);
        lblDatumBudiku->setToolTip(snoozed ? state_.textyZvoneni.odlozenoDo.arg(at) : QString());
    }
    setBackground(lblDatumBudiku, label.colour == AlarmEditor::LabelColour::Lime     ? Lime
                                  : label.colour == AlarmEditor::LabelColour::Yellow ? QColor(255, 255, 0)
                                                                                     : pnlBudik->palette().color(QPalette::Button));
    const int stav = editor.budik.stav;
    if (shownBell_ != stav) {
        const QVector<quint32> px = kresliZvonek(stav, pnlBudik->palette().color(QPalette::Window).rgb());
        const QImage image(reinterpret_cast<const uchar*>(px.constData()), BellSize, BellSize, BellSize * 4,
                           QImage::Format_ARGB32);
        imgZvonek->setPixmap(QPixmap::fromImage(image.copy()));
        imgZvonek->setProperty("stav", stav + 1);
        shownBell_ = stav;
    }
}

void AlarmPanel::btnBudNacistClick() {
    loadIntoEditor(cbxBudiky->currentText());
}

void AlarmPanel::btnBudUlozitClick() {
    const TDateTime now = state_.clock.now().days();
    if (!state_.editor.btnBudUlozitClick(cbxBudiky->currentText(), state_.editor.budik.cas,
                                         state_.editor.budik.zprava, state_.storage.alarmsIni(), now, questions_,
                                         state_.messages)) {
        showEditorState(state_.clock.now().days());
        emit stateChanged();
        return;
    }
    reloadAlarms();
    loadIntoEditor(state_.alarmClock.nasledujici(), true);
}

void AlarmPanel::btnBudVymazatClick() {
    const QString name = cbxBudiky->currentText().trimmed();
    if (!state_.editor.btnBudVymazatClick(name, state_.storage.alarmsIni(), questions_, state_.messages)) {
        return;
    }
    (void)state_.odlozeneBudiky.zrus(name); // a deleted alarm is not put off any more
    reloadAlarms();
    loadIntoEditor(state_.alarmClock.nasledujici(), true);
}

void AlarmPanel::btnBudVymazatVseClick() {
    if (state_.editor.btnBudVymazatVseClick(state_.storage.alarmsIni(), questions_, state_.messages)) {
        for (const OdlozenyBudik& o : std::vector(state_.odlozeneBudiky.seznam())) {
            (void)state_.odlozeneBudiky.zrus(o.nazev);
        }
        reloadAlarms();
        emit stateChanged();
    }
}

void AlarmPanel::tick(const TickTime& tickTime, bool onScreen, AfterTick& after) {
    const TDateTime now = tickTime.local.days();
    bool snoozedRang = false;
    while (const auto snoozed = state_.odlozeneBudiky.kontrola(tickTime.utc)) {
        ringSnoozed(*snoozed, tickTime.utc, after);
        snoozedRang = true;
    }
    if (snoozedRang) {
        snoozesChanged(); // no longer marked as put off
    }
    const AlarmClock::Ring r = state_.alarmClock.kontrola(tickTime.local, state_.soundOn(), [this] {
        return nejvetsiZpozdeni(state_.storage.settingsIni());
    });
    if (r.due) {
        syncAlarmList(cbxBudiky->currentText());
    }
    if (r.tooLate) {
        listAsMissed(r.nazev, r.snapshot.datum, after);
        return;
    }
    if (onScreen && state_.function() == Funkce::Budik) {
        showEditorState(now);
    }
    if (!r.rings) {
        return;
    }
    lastAlarmLateness_ = r.lateness;
    ++alarmsRung_;
    if (state_.odlozeneBudiky.odlozenDo(r.nazev)) {
        (void)state_.odlozeneBudiky.zrus(r.nazev); // its own ring comes first: the snooze is over
        snoozesChanged();
    }
    emit serialEvent(1);
    ring({Zazvoneni::Druh::Budik, r.nazev, r.snapshot.zprava, r.soundId, r.lateness},
         r.snapshot.upozorneni.ukoncitKliknutim, after);
}

void AlarmPanel::ring(const Zazvoneni& z, bool clickEndsSound, AfterTick& after) {
    const quint64 notice = tellDesktop(z);
    if (z.zprava.isEmpty()) {
        return;
    }
    QWidget* window = static_cast<QWidget*>(parent())->window();
    const QString message = zpravaSeZpozdenim(z.zprava, z.zpozdeni, state_.textyZvoneni);
    after.push_back([this, window, z, message, notice, clickEndsSound] {
        const TNastaveni options = nactiNastaveni(state_.storage.settingsIni());
        const QString snooze = options.odkladani ? state_.textyZvoneni.odlozit : QString();
        if (showNotice(window, questions_, state_, message, z.soundId, clickEndsSound, snooze)) {
            (void)state_.odlozeneBudiky.odloz(z.nazev, state_.clock.utcNow(), options.delkaOdlozeni);
            snoozesChanged();
        }
        answered(notice);
    });
}

void AlarmPanel::listAsMissed(const QString& name, TDateTime moment, AfterTick& after) {
    // Once: a long gap may have listed it, and shown the list already.
    auto& missed = state_.zmeskaneBudiky.seznam;
    const bool listed = std::any_of(missed.begin(), missed.end(), [&](const ZmeskanyBudik& m) {
        return m.nazev == name && m.datum == moment;
    });
    if (!listed) {
        tavrok::pridejZmeskane(state_.zmeskaneBudiky, ZmeskaneBudiky{{{moment, name}}});
        if (state_.storage.settingsIni().readBool(u"nastaveni", u"zobrazovatBudiky", true)) {
            after.push_back([this] { mnuZmeskaneBudikyClick(); });
        }
    }
    emit stateChanged();
}

void AlarmPanel::ringSnoozed(const OdlozenyBudik& snoozed, UtcTime now, AfterTick& after) {
    const IniSnapshot alarms = state_.storage.alarmsIni().snapshot();
    if (!alarms.sectionExists(snoozed.nazev)) {
        return; // deleted meanwhile: nothing to ring
    }
    const TNactenyBudik alarm = nactiBudik(alarms, snoozed.nazev);
    if (!alarm.zapnuty()) {
        return; // switched off meanwhile
    }
    // Late as any alarm: after a sleep or a restart beyond the limit it is listed, not rung.
    const TDateTime lateness = std::max(0.0, now - snoozed.kdy);
    if (const auto mostLate = nejvetsiZpozdeni(state_.storage.settingsIni());
        mostLate && toMilliseconds(lateness) > toMilliseconds(*mostLate)) {
        listAsMissed(snoozed.nazev, localFromUtc(snoozed.kdy).days(), after);
        return;
    }
    const NotificationOptions& n = alarm.upozorneni;
    int soundId = -1;
    if (state_.soundOn()) {
        QString chosen;
        soundId = state_.sounds.obhospodarZvuk(n.upozornovat, true, n.vlastniZvuk, n.nahodnyZvuk, n.opakovat,
                                               state_.standardSound(u"Zvonek.wav"), n.vlastniZvukCesta,
                                               n.nahodnyZvukCesta, chosen, n.delka, state_.sounds.utcNow());
    }
    ++alarmsRung_;
    emit serialEvent(1);
    ring({Zazvoneni::Druh::Budik, snoozed.nazev, alarm.zprava, soundId, lateness}, n.ukoncitKliknutim, after);
}

QString AlarmPanel::odlozenoDo(const QString& name) const {
    const std::optional<UtcTime> at = state_.odlozeneBudiky.odlozenDo(name.trimmed());
    if (!at) {
        return {};
    }
    return state_.textyZvoneni.odlozenoDo.arg(casOdlozeni(*at));
}

bool AlarmPanel::zobrazenyOdlozen() const {
    return state_.function() == Funkce::Budik &&
           state_.odlozeneBudiky.odlozenDo(cbxBudiky->currentText().trimmed()).has_value();
}

void AlarmPanel::zrusOdlozeni() {
    if (!zobrazenyOdlozen()) {
        return;
    }
    (void)state_.odlozeneBudiky.zrus(cbxBudiky->currentText().trimmed()); // in memory even if not written
    snoozesChanged();
}

void AlarmPanel::snoozesChanged() {
    names_->marksChanged();
    showEditorState(state_.clock.now().days());
    emit stateChanged();
}

} // namespace tavrok
