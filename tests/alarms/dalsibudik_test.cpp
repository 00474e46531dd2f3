#include "alarms/alarmpanel.h"
#include "alarms/tfrmdalsibudik.h"
#include "alarms/tfrmzmeskanebudiky.h"

#include "support/windowfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <gtest/gtest.h>

#include <array>
#include <functional>

using namespace tavrok;
using namespace tavrok::test;

namespace {

class DalsiBudikTest : public WindowFixture {
protected:
    TfrmDalsiBudik* dialog() const { return window->alarmPanel().frmDalsiBudik(); }
    template <typename W = QWidget>
    W* control(const char* name) const {
        return childOf<W>(dialog(), name);
    }
    const TNactenyBudik& edited() { return window->programState().editor.budik; }
    void editAndPress(const std::function<void()>& edit, const char* button) {
        WindowFixture::editAndPress(dialog(), edit, button, [this] { click("btnDalsi"); });
    }
    bool allowed(const char* day) const {
        return control<QLabel>(day)->palette().color(QPalette::WindowText) == QColor(0, 255, 0);
    }
    QString alarmsPath() const { return data("Nastaveni/Budiky.ini"); }
};

} // namespace

TEST_F(DalsiBudikTest, AWeekdayAlarmValidForOneMonthIsEditedHereAndTheMainWindowFollows) {
    open();
    ASSERT_TRUE(child("btnDalsi")->isEnabled()) << "in the alarm function too";
    typeOnDigits("0630");
    editAndPress(
        [&] {
            EXPECT_FALSE(control("speOdDny")->isEnabled()) << "always: the from date does not count";
            control<QCheckBox>("chbVzdy")->setChecked(false);
            EXPECT_TRUE(control("speOdDny")->isEnabled());
            control<QSpinBox>("speOdDny")->setValue(1);
            control<QSpinBox>("speOdMesice")->setValue(1);
            control<QSpinBox>("speOdRoky")->setValue(2027);
            control<QSpinBox>("speDoDny")->setValue(31);
            control<QSpinBox>("speDoMesice")->setValue(1);
            control<QSpinBox>("speDoRoky")->setValue(2027);
            control<QCheckBox>("chbDoNekonecna")->setChecked(false);
            for (const char* day : {"lblUt", "lblCt", "lblSo"}) {
                QTest::mouseClick(control(day), Qt::LeftButton);
            }
            EXPECT_FALSE(allowed("lblSo"));
            control<QRadioButton>("rbtVlastniZvuk")->setChecked(true);
            control<QLineEdit>("edtVlastniZvuk")->setText(QStringLiteral("/home/a/budik.wav"));
        },
        "btnOK");
    const TNactenyBudik& b = edited();
    EXPECT_FALSE(b.vzdy);
    EXPECT_EQ(b.OR, 2027);
    EXPECT_EQ(b.DD, 31);
    EXPECT_EQ((std::array{b.Po, b.Ut, b.St, b.Ct, b.Pa, b.So, b.Ne}),
              (std::array{true, false, true, false, true, false, true}));
    EXPECT_TRUE(b.upozorneni.vlastniZvuk);
    EXPECT_EQ(b.upozorneni.vlastniZvukCesta, QStringLiteral("/home/a/budik.wav"));
    EXPECT_EQ(child<QLabel>("lblDatumBudiku")->text(), QStringLiteral("1.1.2027 Pá")) << "the first weekday of the month";
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_EQ(IniFile(alarmsPath()).readInteger(u"info", u"pocetBudiku", 0), 0) << "nothing is written before the alarm is saved";
}

TEST_F(DalsiBudikTest, TheLastAllowedDayStaysAllowedAndCancelOrNoChangeKeepsTheAlarm) {
    open();
    const TNactenyBudik before = edited();
    editAndPress(
        [&] {
            for (const char* day : {"lblPo", "lblUt", "lblSt", "lblCt", "lblPa", "lblSo", "lblNe"}) {
                QTest::mouseClick(control(day), Qt::LeftButton);
            }
            EXPECT_TRUE(allowed("lblNe")) << "the only remaining green day";
            QTest::mouseClick(control("lblPo"), Qt::LeftButton);
            EXPECT_TRUE(allowed("lblPo")) << "a red day turns green again";
        },
        "btnStorno");
    EXPECT_FALSE(scheduleDiffers(edited(), before)) << "cancelled";

    // A loaded alarm stays "as saved" (the name box green) when OK changes nothing, also with sound
    // paths in the Windows version's form.
    test::writeBytes(alarmsPath(), "[info]\npocetBudiku=2\n1=A\n2=Z\n[Z]\ncas=7:00:00\nstav=1\nKD=24\nKM=12\n"
                                   "posledni=6.12.2026 10:00:00\n"
                                   "[A]\ncas=7:00:00\nstav=1\nposledni=6.12.2026 10:00:00\n"
                                   "vlastniZvukCesta=%TavrokPath%\\Data\\Zvuky\\Budik.wav\nnahodnyZvukCesta=C:\\Zvuky\\\n");
    window->alarmPanel().reloadAlarms();
    const QStringList& listed = window->programState().alarmClock.seznam().seznamNazvuBudiku;
    ASSERT_GE(listed.indexOf(QStringLiteral("A")), 0) << listed.join(u',').toStdString();
    ASSERT_GT(listed.indexOf(QStringLiteral("Z")), listed.indexOf(QStringLiteral("A"))) << "Z is listed after A";
    window->alarmPanel().loadIntoEditor(QStringLiteral("A"));
    ASSERT_TRUE(window->programState().editor.nacteny);
    EXPECT_EQ(child<QLabel>("lblDatumBudiku")->text(), QStringLiteral("7.12.2026 Po")) << "its own date in the list";
    editAndPress([] {}, "btnOK");
    EXPECT_TRUE(window->programState().editor.nacteny);

    // A record the controls cannot show (every weekday refused, a year past 9999) is kept as it is.
    test::writeBytes(alarmsPath(), "[info]\npocetBudiku=1\n1=B\n[B]\ncas=7:00:00\nstav=1\nKR=20000\n"
                                   "Po=0\nUt=0\nSt=0\nCt=0\nPa=0\nSo=0\nNe=0\n");
    window->alarmPanel().reloadAlarms();
    window->alarmPanel().loadIntoEditor(QStringLiteral("B"));
    const TNactenyBudik never = edited();
    editAndPress([] {}, "btnOK");
    EXPECT_TRUE(window->programState().editor.nacteny);
    EXPECT_FALSE(scheduleDiffers(edited(), never));
    EXPECT_FALSE(edited().Po) << "a never-ringing alarm does not become a daily one";
}

TEST(ScheduleDiffers, EveryFieldOfTheScheduleAndItsNotificationCounts) {
    const std::function<void(TNactenyBudik&)> changes[] = {
        [](auto& b) { b.OD = 2; },          [](auto& b) { b.OM = 2; },         [](auto& b) { b.OR = 2; },
        [](auto& b) { b.DD = 2; },          [](auto& b) { b.DM = 2; },         [](auto& b) { b.DR = 2; },
        [](auto& b) { b.KD = 2; },          [](auto& b) { b.KM = 2; },         [](auto& b) { b.KR = 2; },
        [](auto& b) { b.vzdy = false; },    [](auto& b) { b.doNekonecna = true; },
        [](auto& b) { b.Po = false; },      [](auto& b) { b.Ut = false; },     [](auto& b) { b.St = false; },
        [](auto& b) { b.Ct = false; },      [](auto& b) { b.Pa = false; },     [](auto& b) { b.So = false; },
        [](auto& b) { b.Ne = false; },      [](auto& b) { b.upozorneni.delka = 5; },
    };
    const TNactenyBudik a;
    for (size_t i = 0; i < std::size(changes); ++i) {
        TNactenyBudik b;
        changes[i](b);
        EXPECT_TRUE(scheduleDiffers(a, b)) << "change " << i;
    }
    TNactenyBudik other;
    other.cas = 1, other.zprava = QStringLiteral("x"), other.stav = 1;
    EXPECT_FALSE(scheduleDiffers(a, other)) << "the time, message and state are not the dialog's";
}

TEST_F(DalsiBudikTest, AScheduleWithNoOccurrenceSaysSoAndStillCloses) {
    open();
    editAndPress(
        [&] {
            control<QCheckBox>("chbVzdy")->setChecked(false);
            control<QCheckBox>("chbDoNekonecna")->setChecked(false);
            // 7 December 2026 only, a Monday, with Monday refused.
            for (auto [spin, value] : {std::pair{"speOdDny", 7}, {"speOdMesice", 12}, {"speOdRoky", 2026},
                                       {"speDoDny", 7}, {"speDoMesice", 12}, {"speDoRoky", 2026}}) {
                control<QSpinBox>(spin)->setValue(value);
            }
            QTest::mouseClick(control("lblPo"), Qt::LeftButton);
        },
        "btnOK");
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, window->messageTable().text(36));
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_FALSE(edited().Po) << "and takes the values";
}

TEST_F(DalsiBudikTest, AYearNoDateCanHaveIsToldAndTheDialogStaysOpen) {
    open();
    questions.whileOpen = [&](int) { EXPECT_TRUE(dialog()->isVisible()) << "the dialog waits for a correction"; };
    editAndPress(
        [&] {
            control<QCheckBox>("chbVzdy")->setChecked(false);
            auto* year = control<QSpinBox>("speOdRoky");
            year->selectAll();
            QTest::keyClicks(year, QStringLiteral("10000"));
            EXPECT_EQ(year->value(), 10000) << "not cut to 1000";
            QTest::mouseClick(control("btnOK"), Qt::LeftButton);
            ASSERT_EQ(questions.asked.size(), 1u);
            EXPECT_EQ(questions.asked[0].text, window->messageTable().text(MessageTable::YearOutOfRange));
            year->setValue(2027);
        },
        "btnOK");
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(edited().OR, 2027);
}

TEST_F(DalsiBudikTest, AlarmsMissedWhileClosedAreListedAtStartOldestFirstAndFromTheMenu) {
    // Monday 7:00 it last rang; the program starts on Wednesday at 10:00 (the fixture's clock is
    // Sunday 6 December 2026 10:00).
    clock.set(*tryEncodeDateTime({2026, 12, 9}, {10, 0, 0, 0}));
    test::writeBytes(alarmsPath(), "[info]\npocetBudiku=2\n1=Ráno\n2=Vypnutý\n"
                                   "[Ráno]\ncas=7:00:00\nzprava=Vstávej\nstav=1\nposledni=7.12.2026 7:00:00\n"
                                   "[Vypnutý]\ncas=8:00:00\nstav=0\nposledni=7.12.2026 7:00:00\n");
    QStringList shown;
    // Reads the list as soon as the dialog is up (it opens once the main window stands), then closes it.
    const auto readList = [&](bool message) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [&, message, poll] {
            auto* w = window ? window->alarmPanel().frmZmeskaneBudiky() : nullptr;
            if (!w || !w->isVisible()) {
                return;
            }
            poll->deleteLater();
            poll->stop();
            auto* list = childOf<QComboBox>(w, "cbxBudiky");
            for (int i = 0; i < list->count(); ++i) {
                shown << list->itemText(i);
            }
            if (message) {
                QTest::mouseClick(childOf(w, "btnZprava"), Qt::LeftButton);
            }
            QTest::mouseClick(childOf(w, "btnOK"), Qt::LeftButton);
        });
        poll->start(5);
    };
    readList(true);
    open();
    QTest::qWait(50); // the list opens once the window stands
    EXPECT_EQ(shown, (QStringList{QString::fromUtf16(u"8.12.2026 7:00:00 - Ráno"), QString::fromUtf16(u"9.12.2026 7:00:00 - Ráno")}));
    ASSERT_FALSE(questions.asked.empty());
    EXPECT_EQ(questions.asked.back().text, QString::fromUtf16(u"Vstávej")) << "the message of the chosen one";
    EXPECT_EQ(IniFile(alarmsPath()).readString(u"Vypnutý", u"posledni"), QStringLiteral("9.12.2026 10:00:00"));

    shown.clear();
    readList(false);
    window->findChild<QAction*>(QStringLiteral("mnuZmeskaneBudiky"))->trigger();
    EXPECT_EQ(shown.size(), 2) << "the menu shows the same list again";

    // Older rings only counted come first, as they came first, and name no alarm.
    auto* dialog = window->alarmPanel().frmZmeskaneBudiky();
    dialog->naplnSeznam({{{*tryEncodeDateTime({2026, 12, 9}, {7, 0, 0, 0}), QString::fromUtf16(u"Ráno")}}, 5, false},
                        window->programState().language);
    auto* list = childOf<QComboBox>(dialog, "cbxBudiky");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), QString::fromUtf16(u"5 starších zazvonění"));
    const auto asked = questions.asked.size();
    QTest::mouseClick(childOf(dialog, "btnZprava"), Qt::LeftButton);
    EXPECT_EQ(questions.asked.size(), asked);
}

TEST_F(DalsiBudikTest, WithTheSettingOffNothingOpensAtStartAndAnEmptyListSaysSo) {
    settings("[nastaveni]\nzobrazovatBudiky=0\n");
    test::writeBytes(alarmsPath(), "[info]\npocetBudiku=1\n1=A\n[A]\ncas=7:00:00\nstav=1\nposledni=1.12.2026 7:00:00\n");
    open();
    QTest::qWait(50);
    EXPECT_FALSE(window->alarmPanel().frmZmeskaneBudiky()->isVisible());
    EXPECT_EQ(window->programState().zmeskaneBudiky.seznam.size(), 5u) << "found all the same";

    window->programState().zmeskaneBudiky = {};
    QTimer::singleShot(0, [this] {
        auto* w = window->alarmPanel().frmZmeskaneBudiky();
        QTest::mouseClick(childOf(w, "btnZprava"), Qt::LeftButton);
        w->accept();
    });
    window->mnuZmeskaneBudikyClick();
    ASSERT_FALSE(questions.asked.empty());
    EXPECT_EQ(questions.asked.back().text, window->messageTable().text(50));
}
