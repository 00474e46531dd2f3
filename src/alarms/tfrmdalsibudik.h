#pragma once

#include "alarms/alarmfile.h"
#include "sound/notificationgroup.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tavrok {

class ClickLabel;
struct DayNames;
class MessageTable;
class Questions;

// "Další nastavení budíku": the schedule (from, until, "always", when, the weekdays) and the
// notification of the alarm being edited. Nothing reaches Budiky.ini before the alarm is saved.
class TfrmDalsiBudik : public QDialog {
    Q_OBJECT
public:
    struct Services {
        NotificationGroup::Services notification;
        Questions& questions;
        const MessageTable& messages;
        std::function<TDateTime()> now;
    };
    explicit TfrmDalsiBudik(Services services, QWidget* parent = nullptr);

    // Shows the alarm's values; on OK takes them into `alarm` when any differs. True when it changed.
    bool otevriDalsiBud(TNactenyBudik& alarm);

    void nactiDalsiBud(const TNactenyBudik& alarm);
    // The dialog's values over `alarm` (its time, message and state stay).
    TNactenyBudik hodnoty(const TNactenyBudik& alarm) const;
    // The weekday captions of a language.
    void showDayNames(const DayNames& days);

    void chbVzdyClick();
    void chbDoNekonecnaClick();
    void denClick(int day); // 0 Monday .. 6 Sunday
    void btnOKClick();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void paintDays();
    // What OK stores: the dialog's values, except that a control still showing what it was given
    // keeps the record's own value (one the control cannot show: every weekday refused, a day out of
    // its range).
    TNactenyBudik stored() const;
    // A typed year no date can have: told, and the field gets the focus. False when one was found.
    bool yearsCanBeDates();

    Services s_;
    bool prvniZobrazeni_ = true;
    TNactenyBudik opened_; // the record as given to the controls
    TNactenyBudik shown_;  // and as the controls show it
    std::array<bool, 7> dny_{true, true, true, true, true, true, true};

    QCheckBox* chbVzdy;
    QGroupBox* gpbOd;
    QSpinBox* speOdDny;
    QSpinBox* speOdMesice;
    QSpinBox* speOdRoky;
    QGroupBox* gpbDo;
    QSpinBox* speDoDny;
    QSpinBox* speDoMesice;
    QSpinBox* speDoRoky;
    QCheckBox* chbDoNekonecna;
    QGroupBox* gpbKdyz;
    QSpinBox* speKdyzDny;
    QSpinBox* speKdyzMesice;
    QSpinBox* speKdyzRoky;
    std::array<ClickLabel*, 7> lblDny{}; // lblPo .. lblNe
    std::array<QLabel*, 9> lblJednotky{}; // lblOdDny, lblOdMesice, lblOdRoky, then Do, then Kdyz
    NotificationGroup* gpbUpozorneni;
    QPushButton* btnOK;
    QPushButton* btnStorno;
};

// Whether the dialog's part of two alarms differs: the schedule and the notification.
bool scheduleDiffers(const TNactenyBudik& a, const TNactenyBudik& b);

} // namespace tavrok
