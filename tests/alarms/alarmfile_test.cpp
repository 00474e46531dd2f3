#include "alarms/alarmfile.h"

#include "storage/inifile.h"
#include "support/tempdir.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

const TDateTime Now = *tryEncodeDateTime({2026, 12, 7}, {12, 0, 0, 0});

TNactenyBudik daily(int hour, const QString& message = {}) {
    TNactenyBudik b;
    b.cas = *tryEncodeTime(hour, 0, 0);
    b.zprava = message;
    b.stav = 1;
    return b;
}

class AlarmFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Budiky.ini"));
    IniFile ini{path};

    void file(const QByteArray& bytes) { test::writeBytes(path, bytes); }
};

} // namespace

TEST_F(AlarmFileTest, NoFileGivesOnlyTheSeparatorAndDeletingAllRemovesTheFile) {
    const SeznamBudiku list = nactiSeznamBudiku(ini, Now);
    EXPECT_EQ(list.seznamNazvuBudiku, QStringList{AlarmSeparator});
    EXPECT_EQ(list.seznamDatBudiku, std::vector<TDateTime>{Now});
    EXPECT_TRUE(vymazVsechnyBudiky(ini)) << "no file is already deleted";
    file("[info]\npocetBudiku=0\n");
    EXPECT_EQ(nactiSeznamBudiku(ini, Now).seznamNazvuBudiku, QStringList{AlarmSeparator});
    ASSERT_TRUE(ulozBudik(ini, QStringLiteral("x"), daily(8), Now));
    EXPECT_TRUE(vymazVsechnyBudiky(ini));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(nactiSeznamBudiku(ini, Now).seznamNazvuBudiku, QStringList{AlarmSeparator});
}

TEST_F(AlarmFileTest, SavingANewAlarmListsItAndReadsBack) {
    ASSERT_TRUE(ulozBudik(ini, QStringLiteral("Vstávání"), daily(7, QStringLiteral("Dobré ráno")), Now));
    const QString text = QString::fromUtf8(test::readBytes(path));
    EXPECT_TRUE(text.startsWith(QStringLiteral("[info]\npocetBudiku=1\n1=Vstávání\n\n[Vstávání]\n"
                                               "posledni=7.12.2026 12:00:00\ncas=7:00:00\nzprava=Dobré ráno\n")))
        << text.toStdString();

    const TNactenyBudik back = nactiBudik(ini.snapshot(), QStringLiteral("vstávání"));
    EXPECT_EQ(back.cas, *tryEncodeTime(7, 0, 0));
    EXPECT_EQ(back.zprava, QStringLiteral("Dobré ráno"));
    EXPECT_TRUE(back.zapnuty());
    EXPECT_EQ(back.upozorneni, NotificationOptions{});

    ASSERT_TRUE(ulozBudik(ini, QStringLiteral("VSTÁVÁNÍ"), daily(13), Now)) << "the same alarm in other case";
    EXPECT_EQ(nazvyBudiku(ini.snapshot()), QStringList{QStringLiteral("Vstávání")});
    EXPECT_EQ(nactiBudik(ini.snapshot(), QStringLiteral("vstávání")).cas, *tryEncodeTime(13, 0, 0));
    EXPECT_EQ(ini.sectionNames(), (QStringList{QStringLiteral("info"), QStringLiteral("Vstávání")}));
}

TEST_F(AlarmFileTest, EveryFieldOfAnAlarmReadsBackAsSaved) {
    TNactenyBudik b = daily(6, QStringLiteral("Zpráva ; s = znaky"));
    b.cas = *tryEncodeTime(6, 45, 30);
    b.vzdy = false;
    b.OD = 2, b.OM = 3, b.OR = 2027, b.DD = 4, b.DM = 5, b.DR = 2028, b.KD = 6, b.KM = 7, b.KR = 2029;
    b.doNekonecna = true;
    b.Po = b.St = b.Pa = b.Ne = false;
    b.upozorneni = {false, true, QStringLiteral("/z/vlastni.wav"), true, QStringLiteral("/z/nahodne"), false,
                    1500, false};
    ASSERT_TRUE(ulozBudik(ini, QStringLiteral("Vše"), b, Now));
    EXPECT_EQ(nactiBudik(IniFile(path).snapshot(), QStringLiteral("Vše")), b);
    b.Po = true, b.Ut = b.Ct = b.So = false;
    ASSERT_TRUE(ulozBudik(ini, QStringLiteral("Vše"), b, Now));
    EXPECT_EQ(nactiBudik(IniFile(path).snapshot(), QStringLiteral("Vše")), b) << "the other weekdays";
}

// Found by fuzzing: a hand-edited list naming "info" lost every alarm when that entry was deleted.
TEST_F(AlarmFileTest, TheListsOwnSectionIsNeverAnAlarm) {
    file("[info]\npocetBudiku=2\n1=a\n2=Info \n[a]\ncas=7:00:00\n");
    ASSERT_TRUE(vymazBudik(ini, QStringLiteral("Info ")));
    EXPECT_EQ(nazvyBudiku(ini.snapshot()), QStringList{QStringLiteral("a")});
    EXPECT_EQ(ini.readInteger(u"info", u"pocetBudiku", 0), 1);
    EXPECT_FALSE(ulozBudik(ini, QStringLiteral(" INFO"), daily(9), Now));
    EXPECT_EQ(nazvyBudiku(ini.snapshot()), QStringList{QStringLiteral("a")});
}

TEST_F(AlarmFileTest, DeletingAnAlarmMovesTheLaterNamesUp) {
    for (const char* name : {"a", "b", "c", "d"}) {
        ASSERT_TRUE(ulozBudik(ini, QString::fromLatin1(name), daily(8), Now));
    }
    ASSERT_TRUE(vymazBudik(ini, QStringLiteral("B")));
    EXPECT_EQ(nazvyBudiku(ini.snapshot()), (QStringList{QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("d")}));
    EXPECT_EQ(ini.readInteger(u"info", u"pocetBudiku", 0), 3);
    EXPECT_FALSE(ini.valueExists(u"info", u"4"));
    EXPECT_FALSE(ini.sectionExists(u"b"));

    // A section that is not listed is erased and the list stays as it is.
    ASSERT_TRUE(ini.writeString(u"stray", u"cas", QStringLiteral("9:00:00")));
    ASSERT_TRUE(vymazBudik(ini, QStringLiteral("stray")));
    EXPECT_FALSE(ini.sectionExists(u"stray"));
    EXPECT_EQ(nazvyBudiku(ini.snapshot()).size(), 3);
}

TEST_F(AlarmFileTest, DeletingAllThroughALinkEmptiesTheListAndKeepsTheLink) {
    const QString elsewhere = dir.filePath(QStringLiteral("sync/Budiky.ini"));
    test::writeBytes(elsewhere, {});
    ASSERT_TRUE(QFile::link(elsewhere, path));
    ASSERT_TRUE(ulozBudik(ini, QStringLiteral("x"), daily(8), Now));
    ASSERT_TRUE(QFileInfo(path).isSymLink()) << "a save writes through the link";
    EXPECT_TRUE(vymazVsechnyBudiky(ini));
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_EQ(test::readBytes(elsewhere), QByteArray());
    EXPECT_EQ(nactiSeznamBudiku(ini, Now).seznamNazvuBudiku, QStringList{AlarmSeparator});
}

// Runs everywhere, also where the write-failure suite cannot make its own mounts.
TEST_F(AlarmFileTest, AFailedSaveChangesNothing) {
    QDir().mkpath(path); // a folder where the file should be
    EXPECT_FALSE(ulozBudik(ini, QStringLiteral("x"), daily(8), Now));
    EXPECT_FALSE(vymazVsechnyBudiky(ini));
}

TEST_F(AlarmFileTest, TheListIsSortedWithTheSeparatorAtNow) {
    ASSERT_TRUE(ulozBudik(ini, QStringLiteral("večer"), daily(20), Now));
    ASSERT_TRUE(ulozBudik(ini, QStringLiteral("ráno"), daily(7), Now));
    TNactenyBudik past = daily(10);
    past.KD = 1;
    past.KM = 1;
    past.KR = 2020;
    ASSERT_TRUE(ulozBudik(ini, QStringLiteral("kdysi"), past, Now));
    TNactenyBudik never = daily(10);
    for (bool* d : {&never.Po, &never.Ut, &never.St, &never.Ct, &never.Pa, &never.So, &never.Ne}) {
        *d = false;
    }
    ASSERT_TRUE(ulozBudik(ini, QStringLiteral("nikdy"), never, Now));

    const SeznamBudiku list = nactiSeznamBudiku(ini, Now);
    EXPECT_EQ(list.seznamNazvuBudiku, (QStringList{QStringLiteral("nikdy"), QStringLiteral("kdysi"), AlarmSeparator,
                                                   QStringLiteral("večer"), QStringLiteral("ráno")}));
    EXPECT_EQ(list.seznamDatBudiku[3], *tryEncodeDateTime({2026, 12, 7}, {20, 0, 0, 0}));
    EXPECT_EQ(list.seznamDatBudiku[4], *tryEncodeDateTime({2026, 12, 8}, {7, 0, 0, 0}));

    const TAktualniBudik next = nactiAktualniBudik(ini, list, Now, {});
    EXPECT_EQ(next.datum, list.seznamDatBudiku[3]);
    EXPECT_TRUE(next.stav);
}

// One hand-edited alarm must not hide the others.
TEST_F(AlarmFileTest, AnAlarmWithAnImpossibleFromDateHasNoOccurrenceAndTheRestLoads) {
    ASSERT_TRUE(ulozBudik(ini, QStringLiteral("dobrý"), daily(20), Now));
    file(test::readBytes(path) + "\n[zlý]\nvzdy=0\nOD=31\nOM=2\nOR=2026\ncas=9:00:00\n");
    ASSERT_TRUE(ini.writeInteger(u"info", u"pocetBudiku", 2));
    ASSERT_TRUE(ini.writeString(u"info", u"2", QStringLiteral("zlý")));
    const SeznamBudiku list = nactiSeznamBudiku(ini, Now);
    EXPECT_EQ(list.seznamNazvuBudiku,
              (QStringList{QStringLiteral("zlý"), AlarmSeparator, QStringLiteral("dobrý")}));
    EXPECT_EQ(list.seznamDatBudiku[0], 0.0);
}

TEST_F(AlarmFileTest, MissingInfoKeysAndCountsBeyondThemAreHarmless) {
    file("[info]\npocetBudiku=3\n1=a\n3=c\n[a]\ncas=7:00:00\n[c]\ncas=8:00:00\n");
    QStringList names = nazvyBudiku(ini.snapshot());
    EXPECT_EQ(names, (QStringList{QStringLiteral("a"), QStringLiteral("?"), QStringLiteral("c")}));
    EXPECT_EQ(nactiSeznamBudiku(ini, Now).seznamNazvuBudiku.size(), 4);

    file("[info]\npocetBudiku=2147483647\n1=a\n");
    names = nazvyBudiku(ini.snapshot());
    EXPECT_LE(names.size(), 2) << "a count far beyond the listed names is not taken literally";
    file("[info]\npocetBudiku=-5\n");
    EXPECT_TRUE(nazvyBudiku(ini.snapshot()).isEmpty());
}

TEST_F(AlarmFileTest, TheNextAlarmKeepsOldFieldsAfterAFailure) {
    file("[info]\npocetBudiku=1\n1=x\n[x]\nstav=1\nzprava=nová\nvzdy=0\nOD=31\nOM=2\nOR=2026\nopakovat=0\n");
    const SeznamBudiku list{{AlarmSeparator, QStringLiteral("x")}, {Now, Now + 1}};
    TAktualniBudik old;
    old.datum = 42;
    old.zprava = QStringLiteral("stará");
    old.upozorneni.opakovat = true;
    const TAktualniBudik b = nactiAktualniBudik(ini, list, Now, old);
    EXPECT_EQ(b.zprava, QStringLiteral("nová"));
    EXPECT_TRUE(b.upozorneni.opakovat) << "the date failed: what follows it keeps its old values";
    // An old moment kept for a switched-on alarm would make it ring at every tick: it waits, silent, for
    // its place in the list.
    EXPECT_FALSE(b.stav);
    EXPECT_EQ(b.datum, Now + 1);

    const SeznamBudiku onlySeparator{{AlarmSeparator}, {Now}};
    EXPECT_EQ(nactiAktualniBudik(ini, onlySeparator, Now, old).zprava, QStringLiteral("stará"));
}

TEST_F(AlarmFileTest, TheNotificationGroupReadsTheSameUnderTheCountdownKeys) {
    file("[dalsiNastaveniOdpocit]\nupozornovatNaKonci=0\nvlastniZvuk=1\nvlastniZvukCesta=%TavrokPath%\\a.wav\n"
         "delkaUpozorneni=5000\nukoncitKliknutim=0\n");
    const NotificationOptions o = nactiUpozorneni(ini.snapshot(), u"dalsiNastaveniOdpocit", CountdownNotificationKeys);
    EXPECT_FALSE(o.upozornovat);
    EXPECT_TRUE(o.vlastniZvuk);
    EXPECT_EQ(o.vlastniZvukCesta, QStringLiteral("%TavrokPath%\\a.wav"));
    EXPECT_EQ(o.delka, 5000);
    EXPECT_FALSE(o.ukoncitKliknutim);
    EXPECT_TRUE(o.opakovat);
}
