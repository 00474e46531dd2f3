#include "alarms/tfrmdalsibudik.h"

#include "common/daynames.h"
#include "lang/messagetable.h"
#include "platform/questions.h"
#include "widgets/centre.h"
#include "widgets/clicklabel.h"
#include "widgets/namedwidget.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace tavrok {

namespace {

const QColor Allowed(0, 255, 0);
const QColor Refused(255, 0, 0);

// Every date of the schedule can be formed: years 1 to 9999. The year fields take a longer number, so
// that a mistyped year is told and not cut to four digits.
constexpr int MaxYear = 9999;
constexpr int YearFieldMaximum = 99999;

struct Unit {
    const char* label;
    const char16_t* caption;
    const char* spin;
};

} // namespace

bool scheduleDiffers(const TNactenyBudik& a, const TNactenyBudik& b) {
    return a.OD != b.OD || a.OM != b.OM || a.OR != b.OR || a.DD != b.DD || a.DM != b.DM || a.DR != b.DR ||
           a.KD != b.KD || a.KM != b.KM || a.KR != b.KR || a.vzdy != b.vzdy || a.doNekonecna != b.doNekonecna ||
           a.Po != b.Po || a.Ut != b.Ut || a.St != b.St || a.Ct != b.Ct || a.Pa != b.Pa || a.So != b.So ||
           a.Ne != b.Ne || !(a.upozorneni == b.upozorneni);
}

TfrmDalsiBudik::TfrmDalsiBudik(Services services, QWidget* parent) : QDialog(parent), s_(std::move(services)) {
    setObjectName(QStringLiteral("frmDalsiBudik"));
    setWindowTitle(QString::fromUtf16(u"Další nastavení budíku"));
    chbVzdy = makeNamed<QCheckBox>(this, "chbVzdy", u"&Vždy", 8, 8, 200, 19);

    const auto group = [this](const char* name, const char16_t* title, int y, int height, int row,
                              std::initializer_list<Unit> units, int minimum, std::array<QSpinBox**, 3> spins) {
        auto* g = makeNamed<QGroupBox>(this, name, title, 8, y, 236, height);
        int column = 0;
        for (const Unit& u : units) {
            const int x = 8 + column * 76;
            lblJednotky[static_cast<size_t>(row * 3 + column)] = makeNamed<QLabel>(g, u.label, u.caption, x, 18, 70, 15);
            QSpinBox* spin = makeNamed<QSpinBox>(g, u.spin, x, 34, 70, 21);
            if (column == 2) {
                spin->setRange(0, YearFieldMaximum); // checked on OK
            } else {
                spin->setRange(minimum, column == 0 ? 31 : 12);
            }
            *spins[static_cast<size_t>(column)] = spin;
            ++column;
        }
        return g;
    };
    gpbOd = group("gpbOd", u"Od", 30, 64, 0,
                  {{"lblOdDny", u"Dny", "speOdDny"}, {"lblOdMesice", u"Měsíce", "speOdMesice"}, {"lblOdRoky", u"Roky", "speOdRoky"}},
                  1, {&speOdDny, &speOdMesice, &speOdRoky});
    gpbDo = group("gpbDo", u"Do", 100, 88, 1,
                  {{"lblDoDny", u"Dny", "speDoDny"}, {"lblDoMesice", u"Měsíce", "speDoMesice"}, {"lblDoRoky", u"Roky", "speDoRoky"}},
                  1, {&speDoDny, &speDoMesice, &speDoRoky});
    chbDoNekonecna = makeNamed<QCheckBox>(gpbDo, "chbDoNekonecna", u"Do &nekonečna", 8, 62, 200, 19);
    gpbKdyz = group("gpbKdyz", u"Když", 194, 96, 2,
                    {{"lblKdyzDny", u"Dny", "speKdyzDny"}, {"lblKdyzMesice", u"Měsíce", "speKdyzMesice"},
                     {"lblKdyzRoky", u"Roky", "speKdyzRoky"}},
                    0, {&speKdyzDny, &speKdyzMesice, &speKdyzRoky});
    auto* pnlDny = makeNamed<QWidget>(gpbKdyz, "pnlDny", 8, 64, 220, 22);
    constexpr const char* DayLabels[7] = {"lblPo", "lblUt", "lblSt", "lblCt", "lblPa", "lblSo", "lblNe"};
    for (int d = 0; d < 7; ++d) {
        ClickLabel* l = makeNamed<ClickLabel>(pnlDny, DayLabels[d], d * 31, 2, 28, 18);
        l->setAlignment(Qt::AlignCenter);
        l->setCursor(Qt::PointingHandCursor);
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
        lblDny[static_cast<size_t>(d)] = l;
        connect(l, &ClickLabel::clicked, this, [this, d] { denClick(d); });
    }
    showDayNames(DayNames{});

    gpbUpozorneni = new NotificationGroup(
        s_.notification,
        {"gpbUpozorneni", u"Upozornění", "chbUpozornovat", u"Upo&zorňovat", u"Stan&dardní zvuk", u"V&lastní zvuk",
         u"&Procházet...", u"Ná&hodný zvuk", u"P&rocházet...", u"Op&akovat", u"&Ukončit kliknutím (na tlačítko OK)"},
        this);
    gpbUpozorneni->setGeometry(252, 8, 282, 282);
    btnOK = makeNamed<QPushButton>(this, "btnOK", QStringLiteral("&OK"), 370, 298, 78, 25);
    btnStorno = makeNamed<QPushButton>(this, "btnStorno", QStringLiteral("&Storno"), 456, 298, 78, 25);
    btnOK->setDefault(true);
    // The client area ends 8 pixels right of and below btnStorno.
    setFixedSize(btnStorno->geometry().right() + 1 + 8, btnStorno->geometry().bottom() + 1 + 8);

    connect(chbVzdy, &QCheckBox::toggled, this, &TfrmDalsiBudik::chbVzdyClick);
    connect(chbDoNekonecna, &QCheckBox::toggled, this, &TfrmDalsiBudik::chbDoNekonecnaClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmDalsiBudik::btnOKClick);
    connect(btnStorno, &QPushButton::clicked, this, &QDialog::reject);
    nactiDalsiBud(TNactenyBudik{});
}

void TfrmDalsiBudik::showDayNames(const DayNames& days) {
    // Monday first, as the labels stand; the names are kept Sunday first.
    for (int d = 0; d < 7; ++d) {
        lblDny[static_cast<size_t>(d)]->setText(days.forWeekday(d == 6 ? 1 : d + 2));
    }
}

void TfrmDalsiBudik::nactiDalsiBud(const TNactenyBudik& b) {
    speOdDny->setValue(b.OD);
    speOdMesice->setValue(b.OM);
    speOdRoky->setValue(b.OR);
    speDoDny->setValue(b.DD);
    speDoMesice->setValue(b.DM);
    speDoRoky->setValue(b.DR);
    speKdyzDny->setValue(b.KD);
    speKdyzMesice->setValue(b.KM);
    speKdyzRoky->setValue(b.KR);
    chbVzdy->setChecked(b.vzdy);
    chbDoNekonecna->setChecked(b.doNekonecna);
    dny_ = {b.Po, b.Ut, b.St, b.Ct, b.Pa, b.So, b.Ne};
    if (std::none_of(dny_.begin(), dny_.end(), [](bool on) { return on; })) {
        dny_.fill(true); // a file with every day refused: no day could ever be chosen again
    }
    paintDays();
    gpbUpozorneni->zobraz(b.upozorneni);
    chbVzdyClick();
    opened_ = b;
    shown_ = hodnoty(b);
}

TNactenyBudik TfrmDalsiBudik::stored() const {
    TNactenyBudik b = hodnoty(opened_);
    const auto keep = [](auto& value, const auto& shown, const auto& record) {
        if (value == shown) {
            value = record;
        }
    };
    keep(b.OD, shown_.OD, opened_.OD);
    keep(b.OM, shown_.OM, opened_.OM);
    keep(b.OR, shown_.OR, opened_.OR);
    keep(b.DD, shown_.DD, opened_.DD);
    keep(b.DM, shown_.DM, opened_.DM);
    keep(b.DR, shown_.DR, opened_.DR);
    keep(b.KD, shown_.KD, opened_.KD);
    keep(b.KM, shown_.KM, opened_.KM);
    keep(b.KR, shown_.KR, opened_.KR);
    const auto days = [](const TNactenyBudik& a) { return std::array<bool, 7>{a.Po, a.Ut, a.St, a.Ct, a.Pa, a.So, a.Ne}; };
    if (days(b) == days(shown_)) {
        b.Po = opened_.Po;
        b.Ut = opened_.Ut;
        b.St = opened_.St;
        b.Ct = opened_.Ct;
        b.Pa = opened_.Pa;
        b.So = opened_.So;
        b.Ne = opened_.Ne;
    }
    return b;
}

bool TfrmDalsiBudik::yearsCanBeDates() {
    const std::pair<QSpinBox*, int> years[] = {{speOdRoky, opened_.OR}, {speDoRoky, opened_.DR}, {speKdyzRoky, opened_.KR}};
    for (const auto& [field, given] : years) {
        const int lowest = field == speKdyzRoky ? 0 : 1; // 0 in "Když" is any year
        const int year = field->value();
        // A year that came with the record stays as it is; only a typed one is checked.
        if (field->isEnabled() && year != given && (year < lowest || year > MaxYear)) {
            s_.questions.tell(s_.messages.text(MessageTable::YearOutOfRange), MessageIcon::Error);
            field->setFocus();
            field->selectAll();
            return false;
        }
    }
    return true;
}

TNactenyBudik TfrmDalsiBudik::hodnoty(const TNactenyBudik& alarm) const {
    TNactenyBudik b = alarm;
    const auto u8 = [](const QSpinBox* s) { return static_cast<std::uint8_t>(s->value()); };
    const auto u16 = [](const QSpinBox* s) { return static_cast<std::uint16_t>(s->value()); };
    b.OD = u8(speOdDny);
    b.OM = u8(speOdMesice);
    b.OR = u16(speOdRoky);
    b.DD = u8(speDoDny);
    b.DM = u8(speDoMesice);
    b.DR = u16(speDoRoky);
    b.KD = u8(speKdyzDny);
    b.KM = u8(speKdyzMesice);
    b.KR = u16(speKdyzRoky);
    b.vzdy = chbVzdy->isChecked();
    b.doNekonecna = chbDoNekonecna->isChecked();
    b.Po = dny_[0];
    b.Ut = dny_[1];
    b.St = dny_[2];
    b.Ct = dny_[3];
    b.Pa = dny_[4];
    b.So = dny_[5];
    b.Ne = dny_[6];
    b.upozorneni = gpbUpozorneni->hodnoty();
    return b;
}

void TfrmDalsiBudik::chbVzdyClick() {
    const bool od = !chbVzdy->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{speOdDny, speOdMesice, speOdRoky, lblJednotky[0], lblJednotky[1],
                                                      lblJednotky[2], chbDoNekonecna}) {
        w->setEnabled(od);
    }
    chbDoNekonecnaClick();
}

void TfrmDalsiBudik::chbDoNekonecnaClick() {
    const bool until = !chbVzdy->isChecked() && !chbDoNekonecna->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{speDoDny, speDoMesice, speDoRoky, lblJednotky[3], lblJednotky[4],
                                                      lblJednotky[5]}) {
        w->setEnabled(until);
    }
}

void TfrmDalsiBudik::denClick(int day) {
    const auto d = static_cast<size_t>(day);
    if (dny_[d] && std::count(dny_.begin(), dny_.end(), true) == 1) {
        return; // one day at least stays allowed
    }
    dny_[d] = !dny_[d];
    paintDays();
}

void TfrmDalsiBudik::paintDays() {
    for (size_t d = 0; d < 7; ++d) {
        QPalette p = lblDny[d]->palette();
        p.setColor(QPalette::WindowText, dny_[d] ? Allowed : Refused);
        lblDny[d]->setPalette(p);
    }
}

void TfrmDalsiBudik::btnOKClick() {
    if (!yearsCanBeDates()) {
        return; // the dialog stays open for the year to be corrected
    }
    TNactenyBudik b = stored();
    b.cas = 0;
    const std::optional<TDateTime> date = nejblizsiDatum(b, s_.now());
    if (!date || *date == 0) {
        s_.questions.tell(s_.messages.text(36), MessageIcon::Error); // closes with OK all the same
    }
    accept();
}

void TfrmDalsiBudik::hideEvent(QHideEvent* event) {
    gpbUpozorneni->btnStopClick();
    QDialog::hideEvent(event);
}

bool TfrmDalsiBudik::otevriDalsiBud(TNactenyBudik& alarm) {
    nactiDalsiBud(alarm);
    if (prvniZobrazeni_) {
        centreOnScreen(this);
        prvniZobrazeni_ = false;
    }
    if (exec() != QDialog::Accepted) {
        return false;
    }
    const TNactenyBudik edited = stored();
    if (!scheduleDiffers(edited, alarm)) {
        return false; // nothing differs: nothing is stored
    }
    alarm = edited;
    return true;
}

} // namespace tavrok
