#include "alarms/alarmpanel.h"
#include "alarms/tfrmzmeskanebudiky.h"
#include "stopwatch/stopwatchpanel.h"
#include "stopwatch/tfrmmezicasy.h"
#include "storage/inifile.h"

#include "support/windowfixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace tavrok;
using namespace tavrok::test;

namespace {

class ImportWindowTest : public WindowFixture {
protected:
    void trigger(const char* action) { child<QAction>(action)->trigger(); }
    static QStringList items(const QComboBox* box) {
        QStringList names;
        for (int i = 0; i < box->count(); ++i) {
            names << box->itemText(i);
        }
        return names;
    }
    QStringList alarmNames() const { return items(child<QComboBox>("cbxBudiky")); }
    QString folder(const char* name) const {
        const QString path = dir.path() + u'/' + QString::fromLatin1(name);
        QDir().mkpath(path);
        return path;
    }
};

} // namespace

TEST_F(ImportWindowTest, AnImportShowsItsAlarmsAndSplitTimesAtOnce) {
    writeBytes(data("Nastaveni/Budiky.ini"),
               "[info]\npocetBudiku=1\n1=Doma\n[Doma]\ncas=6:00:00\nstav=1\nposledni=6.12.2026 9:00:00\n");
    open();
    window->stopwatchPanel().frmMezicasy()->zobraz();
    const QString usb = folder("usb");
    writeBytes(usb + QStringLiteral("/Tavrok.bud"),
               "[data]\r\npocet=1\r\n1=Ob\xec" "d\r\n[Ob\xec" "d]\r\ncas=12:00:00\r\nstav=1\r\nposledni=5.12.2026 9:00:00\r\n");
    writeBytes(usb + QStringLiteral("/Mezicasy.ini"),
               "[info]\npocetMezicasu=1\n1=Z\xc3\xa1vod\n[Z\xc3\xa1vod]\npocetMezicasu=1\nposledniMezicas=1\n0=1.  x\n");
    writeBytes(usb + QStringLiteral("/Nastaveni.ini"), "[nastaveni]\nzobrazovatBudiky=0\n");
    files.folders << usb;
    // The imported alarm rang yesterday at noon while it was only in the other file: it is listed as
    // missed, as at start, and shown as the settings stood before the import; the words say where the
    // misses come from.
    QStringList missed;
    size_t toldBefore = 99;
    QString words;
    QTimer::singleShot(0, [&] {
        toldBefore = questions.asked.size();
        words = childOf<QLabel>(window->alarmPanel().frmZmeskaneBudiky(), "lblText1")->text();
        missed = items(childOf<QComboBox>(window->alarmPanel().frmZmeskaneBudiky(), "cbxBudiky"));
        window->alarmPanel().frmZmeskaneBudiky()->close();
    });
    trigger("mnuImport");
    EXPECT_EQ(missed, QStringList{QString::fromUtf16(u"5.12.2026 12:00:00 - Oběd")});
    EXPECT_EQ(words, QString::fromUtf16(u"Od doby, kdy byly importované budíky naposledy"));
    EXPECT_FALSE(IniFile(settingsPath()).readBool(u"nastaveni", u"zobrazovatBudiky", true)) << "imported";
    EXPECT_EQ(toldBefore, 0u) << "the lists are read again before the import says it is done";
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked.back().text, window->programState().messages.text(62));
    EXPECT_TRUE(alarmNames().contains(QString::fromUtf16(u"Oběd"))) << alarmNames().join(u',').toStdString();
    EXPECT_TRUE(alarmNames().contains(QStringLiteral("Doma")));
    auto* sets = childOf<QComboBox>(window->stopwatchPanel().frmMezicasy(), "cbxNazev");
    EXPECT_EQ(sets->findText(QString::fromUtf16(u"Závod")), 0) << "the manager lists the imported set";
}

TEST_F(ImportWindowTest, ExportTakesTheProgramsOwnSplitTimesWhateverFileTheManagerHasOpen) {
    writeBytes(data("Nastaveni/Mezicasy.ini"), "[info]\npocetMezicasu=2\n1=Prvni\n2=Druhy\n"
                                               "[Prvni]\npocetMezicasu=1\nposledniMezicas=1\n0=1.  x\n"
                                               "[Druhy]\npocetMezicasu=1\nposledniMezicas=1\n0=1.  y\n");
    open();
    auto* manager = window->stopwatchPanel().frmMezicasy();
    manager->zobraz();
    childOf<QLineEdit>(manager, "edtCesta")->setText(dir.filePath(QStringLiteral("jine/Zavody.ini")));
    QTest::mouseClick(childOf(manager, "btnOtevrit"), Qt::LeftButton);
    ASSERT_NE(manager->souborMezicasu(), data("Nastaveni/Mezicasy.ini"));
    const QString out = folder("out");
    files.folders << out;
    trigger("mnuExport");
    const IniFile exported(out + QStringLiteral("/Mezicasy.ini"));
    EXPECT_EQ(exported.readString(u"info", u"1"), QStringLiteral("Prvni"));
    EXPECT_EQ(exported.readString(u"info", u"2"), QStringLiteral("Druhy"));
}

TEST_F(ImportWindowTest, ImportedWindowStateIsNotSavedOverWhenTheProgramCloses) {
    open();
    const QString usb = folder("usb");
    writeBytes(usb + QStringLiteral("/Nastaveni.ini"),
               "[stavHlavnihoOkna]\nlevo=123\nhor=77\n[stavDispleje]\nstav=3\nlevo=40\n"
               "[nastaveniMezicasu]\nsloucit=0\n");
    files.folders << usb;
    trigger("mnuImport");
    EXPECT_TRUE(window->close());
    const IniFile settings(settingsPath());
    EXPECT_EQ(settings.readInteger(u"stavHlavnihoOkna", u"levo", 0), 123);
    EXPECT_EQ(settings.readInteger(u"stavDispleje", u"levo", 0), 40);
    EXPECT_FALSE(settings.readBool(u"nastaveniMezicasu", u"sloucit", true));
}

TEST_F(ImportWindowTest, AFolderWithoutSettingsOrACancelledChoiceChangesNothing) {
    open();
    files.folders << QString();
    trigger("mnuImport");
    trigger("mnuExport");
    EXPECT_TRUE(questions.asked.empty());

    files.folders << folder("empty");
    trigger("mnuImport");
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, window->programState().messages.text(59));
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Error);
}

// An alarm rings while the import waits at question 60: the ring's mark stays, and what the import
// carried before and after the question is all written.
TEST_F(ImportWindowTest, AnAlarmRingingWhileTheImportAsksKeepsItsMarkAndTheImportKeepsEverything) {
    settings("[nastaveni]\nzobrazovatBudiky=0\n");
    writeBytes(data("Nastaveni/Budiky.ini"), "[info]\npocetBudiku=2\n1=Ranni\n2=B\n"
                                             "[Ranni]\ncas=10:00:30\nstav=1\nzprava=Vstavat\n"
                                             "posledni=6.12.2026 9:00:00\n"
                                             "[B]\ncas=5:00:00\nstav=0\nposledni=6.12.2026 9:00:00\n");
    open();
    const QString usb = folder("usb");
    writeBytes(usb + QStringLiteral("/Budiky.ini"), "[info]\npocetBudiku=3\n1=A\n2=B\n3=C\n"
                                                    "[A]\ncas=7:00:00\nstav=0\n"
                                                    "[B]\ncas=8:00:00\nstav=0\n[C]\ncas=9:00:00\nstav=0\n");
    files.folders << usb;
    questions.script({Answer::Yes});
    questions.whileOpen = [&](int depth) {
        if (depth == 1 && questions.notices.empty()) {
            runFor(40'000); // 10:00:40: "Ranni" rings
        }
    };
    trigger("mnuImport");
    ASSERT_EQ(questions.notices.size(), 1u);
    EXPECT_TRUE(window->programState().zmeskaneBudiky.seznam.empty()) << "it rang: it was not missed";
    const IniFile alarms(data("Nastaveni/Budiky.ini"));
    EXPECT_EQ(alarms.readString(u"Ranni", u"posledni"), QStringLiteral("6.12.2026 10:00:40"));
    EXPECT_EQ(alarms.readString(u"A", u"cas"), QStringLiteral("7:00:00"));
    EXPECT_EQ(alarms.readString(u"B", u"cas"), QStringLiteral("8:00:00"));
    EXPECT_EQ(alarms.readString(u"C", u"cas"), QStringLiteral("9:00:00"));
    EXPECT_EQ(alarms.readInteger(u"info", u"pocetBudiku", 0), 4);
}

// The session ends while the import asks about an alarm: the program closes at once and keeps its
// running stopwatch for the next start; what the import carried before is written without wiping it.
TEST_F(ImportWindowTest, TheSessionEndingDuringAnImportKeepsTheRunningStopwatch) {
    settings("[nastaveni]\nnechat=1\n");
    writeBytes(data("Nastaveni/Budiky.ini"), "[info]\npocetBudiku=1\n1=A\n[A]\ncas=6:00:00\nstav=0\n");
    open();
    click("lblFceTavrok");
    click("btnZapnout");
    runFor(5000);
    const QString usb = folder("usb");
    writeBytes(usb + QStringLiteral("/Tavrok.dat"), "[nastaveni1]\r\nzvuk=0\r\n");
    writeBytes(usb + QStringLiteral("/Budiky.ini"), "[info]\npocetBudiku=1\n1=A\n[A]\ncas=7:00:00\nstav=0\n");
    files.folders << usb;
    questions.whileOpen = [&](int) {
        questions.unanswered = true;
        window->endSession();
    };
    QSignalSpy closed(window.get(), &TfrmHlavniOkno::closed);
    trigger("mnuImport");
    EXPECT_EQ(closed.count(), 1);
    endTheApplicationsLoop();
    const IniFile saved(settingsPath());
    EXPECT_EQ(saved.readInteger(u"pokracovaniTavrek", u"stav", 0), 2) << "still running at the next start";
    EXPECT_FALSE(saved.readBool(u"stavHlavnihoOkna", u"zvuk", true)) << "what the import carried";
    EXPECT_EQ(IniFile(data("Nastaveni/Budiky.ini")).readString(u"A", u"cas"), QStringLiteral("6:00:00"));
}
