#include "alarms/alarmclock.h"
#include "alarms/alarmeditor.h"

#include "lang/messagetable.h"
#include "sound/soundmanager.h"
#include "storage/inifile.h"
#include "support/fakeaudiodevice.h"
#include "support/fakeclock.h"
#include "support/fakequestions.h"
#include "support/tempdir.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrok;
using namespace tavrok::test;

namespace {

const QString Bell = QStringLiteral("/data/Zvonek.wav");
const TDateTime Seven = *tryEncodeTime(7, 0, 0);

TDateTime on7Dec(int h, int m, int s = 0, int ms = 0) {
    return *tryEncodeDateTime({2026, 12, 7}, {h, m, s, ms});
}

class AlarmClockTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    IniFile ini{dir.filePath(QStringLiteral("Budiky.ini"))};
    FakeClock clock{on7Dec(6, 59)};
    FakeAudioDevice device{clock};
    FakeBeeper beeper;
    SoundManager sounds{device, clock, beeper, [](const QString& p) { return p; }, [](int) { return 0; }};
    AlarmClock alarms{ini, sounds, [] { return Bell; }};
    MessageTable messages;
    FakeQuestions questions;
    AlarmEditor editor;

    void SetUp() override { device.files[Bell] = 2000; }

    void save(const QString& name, int h, int m, bool on, const QString& message = {}) {
        TNactenyBudik b;
        b.cas = *tryEncodeTime(h, m, 0);
        b.stav = on ? 1 : 0;
        b.zprava = message;
        ASSERT_TRUE(ulozBudik(ini, name, b, clock.now().days()));
    }
    void start() {
        alarms.nactiSeznam(clock.now().days());
        alarms.nactiAktualni(clock.now().days());
    }
    // An alarm at seven, switched on, playing a random sound from `folder`; the clock is started.
    void saveRandomAlarmAtSeven(const QString& folder) {
        TNactenyBudik b;
        b.cas = Seven;
        b.stav = 1;
        b.upozorneni.nahodnyZvuk = true;
        b.upozorneni.nahodnyZvukCesta = folder;
        ASSERT_TRUE(ulozBudik(ini, QStringLiteral("náhodný"), b, clock.now().days()));
        start();
    }
    AlarmClock::Ring at(int h, int m, int s = 0, int ms = 0, bool soundOn = true) {
        clock.set(on7Dec(h, m, s, ms));
        return alarms.kontrola(clock.now(), soundOn);
    }
    // The editor's Save with 7:00 on the digits.
    bool saveAs(const QString& name, const QString& message = {}) {
        return editor.btnBudUlozitClick(name, Seven, message, ini, clock.now().days(), questions, messages);
    }
    bool told(int message) const {
        return !questions.asked.empty() && questions.asked.back().text == messages.text(message);
    }
};

} // namespace

// A morning of three alarms: each due one moves the list on once; only a switched-on one rings, and with
// the sound switched off only its message remains.
TEST_F(AlarmClockTest, EachDueAlarmMovesTheListOnOnceAndOnlyASwitchedOnOneRings) {
    save(QStringLiteral("vypnutý"), 7, 0, false, QStringLiteral("x"));
    save(QStringLiteral("tichý"), 7, 30, true, QStringLiteral("zpráva"));
    save(QStringLiteral("ráno"), 8, 0, true, QStringLiteral("Vstávej"));
    start();
    EXPECT_EQ(alarms.nasledujici(), QStringLiteral("vypnutý"));
    const AlarmClock::Ring off = at(7, 0);
    EXPECT_TRUE(off.due);
    EXPECT_FALSE(off.rings);
    EXPECT_EQ(ini.readDateTime(u"vypnutý", u"posledni", 0), on7Dec(7, 0));
    EXPECT_EQ(alarms.nasledujici(), QStringLiteral("tichý"));

    const AlarmClock::Ring silent = at(7, 30, 0, 0, false);
    EXPECT_TRUE(silent.rings);
    EXPECT_EQ(silent.soundId, -1);
    EXPECT_TRUE(device.commands.isEmpty());

    EXPECT_EQ(alarms.nasledujici(), QStringLiteral("ráno"));
    EXPECT_FALSE(at(7, 59, 59, 999).due);
    const AlarmClock::Ring r = at(8, 0, 0, 3);
    EXPECT_TRUE(r.due);
    EXPECT_TRUE(r.rings);
    EXPECT_EQ(toMilliseconds(r.lateness), 3);
    EXPECT_EQ(r.snapshot.zprava, QStringLiteral("Vstávej"));
    EXPECT_GE(r.soundId, 0);
    EXPECT_EQ(device.count(QStringLiteral("play ") + Bell), 1);
    EXPECT_EQ(ini.readDateTime(u"ráno", u"posledni", 0), on7Dec(8, 0));
    EXPECT_EQ(alarms.aktualni().datum, on7Dec(7, 0) + 1) << "the list moved on to tomorrow";
    EXPECT_FALSE(at(8, 0, 1).due) << "never twice for one occurrence";
}

TEST_F(AlarmClockTest, OfTwoAlarmsDueTogetherOnlyTheWatchedOneRings) {
    save(QStringLiteral("první"), 7, 0, true);
    save(QStringLiteral("druhý"), 7, 0, true);
    start();
    EXPECT_EQ(alarms.nasledujici(), QStringLiteral("první"));
    EXPECT_TRUE(at(7, 0, 0, 1).rings);
    EXPECT_EQ(alarms.aktualni().datum, on7Dec(7, 0) + 1);
    EXPECT_FALSE(at(7, 0, 0, 20).due) << "the other one moved to its next occurrence without ringing";
    EXPECT_FALSE(ini.valueExists(u"druhý", u"posledni") &&
                 ini.readDateTime(u"druhý", u"posledni", 0) > on7Dec(6, 59, 30));
}

TEST_F(AlarmClockTest, NoAlarmAfterTheSeparatorMeansNothingIsChecked) {
    start();
    EXPECT_TRUE(alarms.nasledujici().isEmpty());
    EXPECT_FALSE(alarms.nextDue());
    EXPECT_FALSE(at(23, 0).due);
}

TEST_F(AlarmClockTest, TheRandomSoundIsChosenInTheLastFiveSeconds) {
    QTemporaryDir folder;
    const QString song = folder.filePath(QStringLiteral("píseň.mp3"));
    test::writeBytes(song, "x");
    device.files[song] = 1000;
    saveRandomAlarmAtSeven(folder.path());
    EXPECT_EQ(alarms.nextDue()->days(), on7Dec(6, 59, 55));
    at(6, 59, 54);
    EXPECT_FALSE(device.commands.contains(QStringLiteral("prepare ") + song));
    at(6, 59, 55);
    EXPECT_TRUE(device.commands.contains(QStringLiteral("prepare ") + song));
    EXPECT_EQ(alarms.nextDue()->days(), on7Dec(7, 0));
    EXPECT_TRUE(at(7, 0).rings);
    EXPECT_TRUE(device.commands.contains(QStringLiteral("play ") + song));
}

TEST_F(AlarmClockTest, WithTheSoundOffTheRandomSoundsMomentIsLookedAtOnce) {
    saveRandomAlarmAtSeven(dir.path());
    at(6, 59, 55, 0, false);
    EXPECT_EQ(alarms.nextDue()->days(), on7Dec(7, 0)) << "the next tick is the ring's, not this moment again";
    EXPECT_TRUE(at(7, 0, 0, 0, false).rings);
}

// ---- the editor's rules

TEST_F(AlarmClockTest, SavingRefusesWhatCannotBeAnAlarm) {
    editor.budik.stav = 1;
    EXPECT_FALSE(saveAs({}));
    EXPECT_TRUE(told(22));
    EXPECT_FALSE(saveAs(AlarmSeparator));
    EXPECT_TRUE(told(23));
    for (bool* d : {&editor.budik.Po, &editor.budik.Ut, &editor.budik.St, &editor.budik.Ct, &editor.budik.Pa,
                    &editor.budik.So, &editor.budik.Ne}) {
        *d = false;
    }
    EXPECT_FALSE(saveAs(QStringLiteral("x")));
    EXPECT_TRUE(told(24));
    EXPECT_FALSE(QFileInfo::exists(ini.path()));
}

TEST_F(AlarmClockTest, SavingAnAlarmThatIsOffAsksWhatToDo) {
    questions.script({Answer::Cancel, Answer::No});
    EXPECT_FALSE(saveAs(QStringLiteral("a")));
    EXPECT_TRUE(told(25));
    EXPECT_TRUE(saveAs(QStringLiteral("a")));
    EXPECT_TRUE(ini.readBool(u"a", u"stav", false)) << "No saves it switched on";
    editor.budik.stav = 0;
    questions.script({Answer::Yes});
    EXPECT_TRUE(saveAs(QStringLiteral("b")));
    EXPECT_FALSE(ini.readBool(u"b", u"stav", true));
}

TEST_F(AlarmClockTest, ATypedExistingNameAsksBeforeOverwritingALoadedOneDoesNot) {
    save(QStringLiteral("Oběd"), 12, 0, true);
    editor.budik.stav = 1;
    editor.nazevBudikuZmenen = true;
    questions.script({Answer::No});
    EXPECT_FALSE(saveAs(QStringLiteral("OBĚD")));
    EXPECT_TRUE(told(26));
    ASSERT_TRUE(editor.btnBudNacistClick(QStringLiteral("oběd"), ini, questions, messages));
    const auto asked = questions.asked.size();
    EXPECT_TRUE(saveAs(QStringLiteral("oběd")));
    EXPECT_EQ(questions.asked.size(), asked);
    EXPECT_EQ(ini.readTime(u"Oběd", u"cas", 0), Seven);
}

TEST_F(AlarmClockTest, LoadingAndDeletingCheckTheName) {
    editor.tichyNacteni = true;
    EXPECT_FALSE(editor.btnBudNacistClick({}, ini, questions, messages));
    EXPECT_TRUE(questions.asked.empty()) << "the quiet load at start asks nothing";
    EXPECT_FALSE(editor.btnBudNacistClick({}, ini, questions, messages));
    EXPECT_TRUE(told(30));
    EXPECT_FALSE(editor.btnBudNacistClick(AlarmSeparator, ini, questions, messages));
    EXPECT_TRUE(told(31));
    EXPECT_FALSE(editor.btnBudVymazatClick({}, ini, questions, messages));
    EXPECT_TRUE(told(33));
    EXPECT_FALSE(editor.btnBudVymazatClick(QStringLiteral("nic"), ini, questions, messages));
    EXPECT_TRUE(told(32));
    save(QStringLiteral("a"), 8, 0, true);
    EXPECT_TRUE(editor.btnBudVymazatClick(QStringLiteral("A"), ini, questions, messages));
    EXPECT_FALSE(ini.sectionExists(u"a"));
    EXPECT_TRUE(editor.tichyNacteni);

    save(QStringLiteral("b"), 8, 0, true);
    questions.script({Answer::No, Answer::Yes});
    EXPECT_FALSE(editor.btnBudVymazatVseClick(ini, questions, messages));
    EXPECT_TRUE(QFileInfo::exists(ini.path()));
    EXPECT_TRUE(editor.btnBudVymazatVseClick(ini, questions, messages));
    EXPECT_FALSE(QFileInfo::exists(ini.path()));
}

TEST_F(AlarmClockTest, TheDateLabelAndTheStateFollowTheDate) {
    editor.budik.stav = 1;
    const DayNames days;
    auto label = editor.obnov(on7Dec(20, 0), clock.now().days(), days);
    EXPECT_EQ(label.text, QStringLiteral("7.12.2026 Po"));
    EXPECT_EQ(label.colour, AlarmEditor::LabelColour::Lime);
    EXPECT_EQ(editor.budik.stav, 3);
    EXPECT_EQ(editor.obnov(on7Dec(6, 0) + 1, clock.now().days(), days).colour, AlarmEditor::LabelColour::Yellow);
    EXPECT_EQ(editor.obnov(on7Dec(6, 0) + 3, clock.now().days(), days).colour, AlarmEditor::LabelColour::Face);
    EXPECT_TRUE(editor.obnov(0.0, clock.now().days(), days).text.isEmpty());
    EXPECT_EQ(editor.budik.stav, 1);
    editor.nacteny = true;
    editor.zapniVypniBudik();
    EXPECT_EQ(editor.budik.stav, 0);
    EXPECT_FALSE(editor.nacteny) << "switching is an edit";
    EXPECT_TRUE(editor.upraven);
}

TEST_F(AlarmClockTest, ClosingWithAnUnsavedLoadedAlarmAsks) {
    editor.nacteny = true;
    EXPECT_TRUE(editor.muzeZavrit(true, true, questions, messages));
    editor.zmenen();
    EXPECT_TRUE(editor.muzeZavrit(false, true, questions, messages)) << "no alarm in the list";
    EXPECT_TRUE(editor.muzeZavrit(true, false, questions, messages)) << "the check is switched off";
    questions.script({Answer::No});
    EXPECT_FALSE(editor.muzeZavrit(true, true, questions, messages));
    EXPECT_TRUE(told(15));
}

TEST_F(AlarmClockTest, NamesAreTrimmedOnEveryPathAndTheListSectionIsNoAlarm) {
    editor.budik.stav = 1;
    ASSERT_TRUE(saveAs(QStringLiteral("Budik")));
    ASSERT_TRUE(editor.btnBudNacistClick(QStringLiteral(" Budik "), ini, questions, messages));
    EXPECT_TRUE(saveAs(QStringLiteral("Budik ")));
    EXPECT_EQ(nazvyBudiku(ini.snapshot()), QStringList{QStringLiteral("Budik")}) << "listed once";
    EXPECT_FALSE(ini.sectionExists(u"Budik "));

    for (const QString& name : {QStringLiteral("info"), QStringLiteral("INFO"), QStringLiteral(" Info ")}) {
        EXPECT_FALSE(saveAs(name));
        EXPECT_TRUE(told(23)) << name.toStdString();
        EXPECT_FALSE(editor.btnBudVymazatClick(name, ini, questions, messages));
        EXPECT_TRUE(told(32)) << name.toStdString();
        EXPECT_FALSE(editor.btnBudNacistClick(name, ini, questions, messages));
    }
    EXPECT_EQ(nazvyBudiku(ini.snapshot()), QStringList{QStringLiteral("Budik")}) << "the list is intact";

    ASSERT_TRUE(editor.btnBudVymazatClick(QStringLiteral("  budik"), ini, questions, messages));
    EXPECT_TRUE(nazvyBudiku(ini.snapshot()).isEmpty());
}

TEST_F(AlarmClockTest, ANameThatCannotBeASectionHeaderIsRefusedBeforeAnythingIsWritten) {
    editor.budik.stav = 1;
    ASSERT_TRUE(saveAs(QStringLiteral("Ráno"), QStringLiteral("Vstávej")));
    const QByteArray before = test::readBytes(ini.path());
    for (const QString& name : {QStringLiteral("Pracovní\nden"), QStringLiteral("a\r\nb"), QStringLiteral("tab\there"),
                                QStringLiteral("[x]"), QStringLiteral("a]b"), QStringLiteral("line\u2028sep")}) {
        EXPECT_FALSE(saveAs(name));
        EXPECT_TRUE(told(23));
    }
    EXPECT_FALSE(saveAs(QStringLiteral("   ")));
    EXPECT_TRUE(told(22)) << "blanks only: no name, not a write failure";
    EXPECT_EQ(test::readBytes(ini.path()), before);
    EXPECT_EQ(nactiBudik(ini.snapshot(), QStringLiteral("Ráno")).zprava, QStringLiteral("Vstávej"));
}

TEST_F(AlarmClockTest, ANewAlarmIsListedAfterTheNamesTheListReallyHolds) {
    test::writeBytes(ini.path(), "[info]\npocetBudiku=50\n1=a\n[a]\ncas=8:00:00\nstav=1\n");
    save(QStringLiteral("b"), 9, 0, true);
    EXPECT_EQ(nazvyBudiku(ini.snapshot()), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST_F(AlarmClockTest, ASectionWithoutItsDateFieldsNeverRingsOnEveryTick) {
    // Edited by hand: the time and the switch, no from and until dates.
    test::writeBytes(ini.path(), "[info]\npocetBudiku=1\n1=ruční\n[ruční]\ncas=7:00:00\nstav=1\nzprava=x\n");
    start();
    int rings = 0;
    for (int s = 0; s < 120; ++s) {
        rings += at(7, s / 60, s % 60).rings ? 1 : 0;
    }
    EXPECT_LE(rings, 1);
}

// With a limit on lateness: an alarm found due after a sleep longer than that neither sounds nor rings
// (it is listed as missed by the caller) and the list moves on; one within the limit rings as ever and
// says how late it is. The limit (a read of the settings) is asked for only when it can matter: an
// alarm on time starts its sound first.
TEST_F(AlarmClockTest, AnAlarmLaterThanTheLimitDoesNotRing) {
    save(QStringLiteral("ráno"), 7, 0, true, QStringLiteral("Vstávej"));
    save(QStringLiteral("oběd"), 12, 0, true, QStringLiteral("Oběd"));
    save(QStringLiteral("káva"), 12, 31, true, QStringLiteral("Káva"));
    save(QStringLiteral("večer"), 20, 0, true, QStringLiteral("Večer"));
    start();
    const TDateTime limit = 30.0 / 1440;
    int asked = 0;
    const AlarmClock::LateLimit mostLate = [&] {
        ++asked;
        return std::optional(limit);
    };
    clock.set(on7Dec(7, 30, 0, 1));
    const AlarmClock::Ring late = alarms.kontrola(clock.now(), true, mostLate);
    EXPECT_TRUE(late.due);
    EXPECT_TRUE(late.tooLate);
    EXPECT_FALSE(late.rings);
    EXPECT_LT(late.soundId, 0);
    EXPECT_EQ(device.count(QStringLiteral("play ") + Bell), 0);
    EXPECT_EQ(alarms.nasledujici(), QStringLiteral("oběd"));

    clock.set(on7Dec(12, 30));
    const AlarmClock::Ring inTime = alarms.kontrola(clock.now(), true, mostLate);
    EXPECT_FALSE(inTime.tooLate) << "exactly at the limit";
    EXPECT_TRUE(inTime.rings);
    EXPECT_GE(inTime.soundId, 0);
    EXPECT_EQ(toMilliseconds(inTime.lateness), 30 * 60'000);
    EXPECT_EQ(asked, 2);

    clock.set(on7Dec(12, 32));
    const AlarmClock::Ring minuteLate = alarms.kontrola(clock.now(), true, mostLate);
    EXPECT_TRUE(minuteLate.rings);
    EXPECT_EQ(asked, 2) << "a minute late is within any limit";

    // No limit set: a ring long after its moment still rings.
    clock.set(on7Dec(20, 1, 0, 1));
    const AlarmClock::Ring noLimit = alarms.kontrola(clock.now(), true, [&] {
        ++asked;
        return std::optional<TDateTime>();
    });
    EXPECT_TRUE(noLimit.rings);
    EXPECT_EQ(asked, 3) << "a minute and a millisecond late: the limit is asked for";
}
