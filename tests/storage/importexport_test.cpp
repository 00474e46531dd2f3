#include "alarms/alarmfile.h"
#include "countdown/countdownoptions.h"
#include "display/displaysettings.h"
#include "lang/messagetable.h"
#include "stopwatch/splitsfile.h"
#include "storage/importexport.h"
#include "storage/importtables.h"
#include "storage/inifile.h"
#include "storage/inivalues.h"
#include "storage/nastaveni.h"

#include "support/fakequestions.h"
#include "support/tempdir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace tavrok;
using namespace tavrok::test;

namespace {

const QString Data = QStringLiteral(TAVROK_TEST_DATA "/import");

class ImportExportTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    FakeQuestions questions;
    MessageTable messages;
    PlacementDefaults places{448, 250, 270, 627, 450};

    QString folder(const QString& name) const {
        const QString path = tmp.filePath(name);
        QDir().mkpath(path);
        return path;
    }
    // A copy of a folder of the test data, so that nothing is written into the source tree.
    QString copyOf(const QString& dataFolder) const {
        const QString to = folder(dataFolder);
        for (const QString& f : QDir(Data + u'/' + dataFolder).entryList(QDir::Files)) {
            QFile::copy(Data + u'/' + dataFolder + u'/' + f, to + u'/' + f);
        }
        return to;
    }
    PortOutcome importFrom(const QString& from, const QString& into) {
        return portujNastaveni(PortSide::folder(from), PortSide::folder(into), false, questions, messages, places);
    }
    PortOutcome exportTo(const QString& from, const QString& into) {
        return portujNastaveni(PortSide::folder(from), PortSide::folder(into), true, questions, messages, places);
    }
    static IniSnapshot ini(const QString& folder, const char* name) {
        return IniFile(QDir(folder).filePath(QString::fromLatin1(name))).snapshot();
    }
    QStringList told() const {
        QStringList texts;
        for (const auto& a : questions.asked) {
            texts << a.text;
        }
        return texts;
    }
};

} // namespace

TEST_F(ImportExportTest, OldFilesInWindows1250AreConvertedIntoAnEmptyFolder) {
    const QString target = folder(QStringLiteral("new"));
    const PortOutcome out = importFrom(copyOf(QStringLiteral("old")), target);
    EXPECT_EQ(out.result, PortOutcome::Result::Done);
    EXPECT_TRUE(out.alarmsWritten && out.splitsWritten && out.settingsWritten);
    ASSERT_EQ(told(), QStringList{messages.text(62)});

    const IniSnapshot alarms = ini(target, "Budiky.ini");
    EXPECT_EQ(alarms.readString(u"info", u"program"), QStringLiteral("Tavrok"));
    EXPECT_EQ(alarms.readString(u"info", u"verzeProgramu"), QStringLiteral("2.51"));
    EXPECT_EQ(nazvyBudiku(alarms), (QStringList{QStringLiteral("Ranní vstávání"), QStringLiteral("Oběd")}));
    const TNactenyBudik rano = nactiBudik(alarms, QStringLiteral("Ranní vstávání"));
    EXPECT_EQ(rano.zprava, QStringLiteral("Vstávej, čas běží!"));
    EXPECT_EQ(formatIniTime(rano.cas), QStringLiteral("7:00:00"));
    EXPECT_FALSE(rano.vzdy);
    EXPECT_FALSE(rano.doNekonecna) << "from the old key nekonecno";
    EXPECT_EQ(alarms.readString(u"Ranní vstávání", u"doNekonecna"), QStringLiteral("0"));
    EXPECT_EQ(rano.DR, 2027);
    EXPECT_FALSE(rano.So);
    // The keys the old version did not know are written with their defaults, the others only when the
    // old file has them.
    EXPECT_EQ(alarms.readString(u"Oběd", u"upozornovat"), QStringLiteral("1"));
    EXPECT_EQ(alarms.readString(u"Oběd", u"delka"), QStringLiteral("0"));
    EXPECT_EQ(alarms.readString(u"Oběd", u"ukoncitKliknutim"), QStringLiteral("1"));
    EXPECT_EQ(alarms.readString(u"Oběd", u"cas"), QStringLiteral("12:00:00"));
    EXPECT_FALSE(alarms.valueExists(u"Oběd", u"zprava"));
    EXPECT_FALSE(alarms.valueExists(u"Oběd", u"Po"));

    const IniSnapshot splits = ini(target, "Mezicasy.ini");
    EXPECT_EQ(nazvyMezicasu(splits), (QStringList{QStringLiteral("Trénink"), QStringLiteral("Závod na 5 km")}))
        << "newest first";
    const SplitSet race = nactiMezicasy(splits, QStringLiteral("Závod na 5 km"));
    EXPECT_EQ(race.lines, (QStringList{QStringLiteral("1.  0;00:04:31,250"), QStringLiteral("2.  0;00:09:02,500"),
                                       QStringLiteral("3.  0;00:13:40,004")}));
    EXPECT_EQ(race.counter, 3);

    const IniSnapshot s = ini(target, "Nastaveni.ini");
    EXPECT_EQ(s.readString(u"nastaveniMezicasu", u"cesta"),
              QStringLiteral("C:\\Program Files\\Tavrok\\Data\\Nastaveni\\Mezičasy.ini"));
    EXPECT_EQ(s.readString(u"nastaveniMezicasu", u"sloucit"), QStringLiteral("0"));
    EXPECT_EQ(s.readString(u"nastaveni", u"poziceX"), QStringLiteral("120"));
    EXPECT_EQ(s.readString(u"nastaveni", u"zkratkaMezicasu"), QStringLiteral("122"));
    EXPECT_FALSE(s.valueExists(u"nastaveni", u"velikostNejvetsi")) << "V1 is not in the old file";
    EXPECT_EQ(s.readString(u"stavHlavnihoOkna", u"hor"), QStringLiteral("300"));
    EXPECT_EQ(s.readString(u"stavHlavnihoOkna", u"funkce"), QStringLiteral("3"));
    EXPECT_EQ(s.readString(u"stavDispleje", u"hor"), QStringLiteral("60"));
    EXPECT_EQ(s.readString(u"nastaveniSamostatnehoDispleje", u"barvaPozadi"), QStringLiteral("4278190095"));
    EXPECT_EQ(s.readString(u"dalsiNastaveniTavrok", u"doba"), QStringLiteral("3000"));
    // predpocet = 3: three advance notices, numbered 1 to 3.
    EXPECT_EQ(s.readString(u"dalsiNastaveniOdpocit", u"pocetUpozorneni"), QStringLiteral("3"));
    EXPECT_EQ(s.keyNames(u"dalsiNastaveniOdpocit-Upozorneni"), (QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(s.readString(u"dalsiNastaveniOdpocit-Upozorneni", u"2"), QStringLiteral("3"));
    // Hours to seconds shown: no days, places 0 to 8 of the time.
    const TNastaveniDispleje d = nactiNastaveniDispleje(IniFile(QDir(target).filePath(QStringLiteral("Nastaveni.ini"))));
    EXPECT_FALSE(d.rozsah.dny);
    EXPECT_FALSE(d.rozsah.oddelovac);
    EXPECT_EQ(d.rozsah.od, 0);
    EXPECT_EQ(d.rozsah.do_, 8);
}

TEST_F(ImportExportTest, ShownUnitsAreLeftAloneWhenTheOldFileNamesNone) {
    const QString source = folder(QStringLiteral("src"));
    writeBytes(source + QStringLiteral("/Tavrok.dat"), "[nastaveni4]\r\nZH=1\r\n");
    const QString target = folder(QStringLiteral("dst"));
    writeBytes(target + QStringLiteral("/Nastaveni.ini"), "[nastaveniSamostatnehoDispleje]\nzobrazeniDisplejeOd=3\n");
    importFrom(source, target);
    const IniSnapshot s = ini(target, "Nastaveni.ini");
    EXPECT_EQ(s.readString(u"nastaveniSamostatnehoDispleje", u"zobrazeniDisplejeOd"), QStringLiteral("3"));
    EXPECT_FALSE(s.valueExists(u"nastaveniSamostatnehoDispleje", u"zobrazeniDisplejeDo"));
    EXPECT_EQ(s.readString(u"nastaveniSamostatnehoDispleje", u"nacitatZHodin"), QStringLiteral("1"));
}

TEST_F(ImportExportTest, ExistingNamesAreOverwrittenSkippedOrEndTheImportAsAnswered) {
    // Both the old and the current alarm file hold "Oběd": it is asked about once per step.
    const QString source = copyOf(QStringLiteral("old"));
    for (const char* f : {"Budiky.ini", "Mezicasy.ini"}) {
        QFile::copy(Data + QStringLiteral("/v251/") + QString::fromLatin1(f), source + u'/' + QString::fromLatin1(f));
    }
    QFile::remove(source + QStringLiteral("/Tavrok.dat"));
    const QString target = folder(QStringLiteral("dst"));
    const QByteArray alarms = "[info]\npocetBudiku=2\n1=Stary\n2=obĚd\n\n[Stary]\ncas=6:00:00\n\n"
                              "[obĚd]\ncas=11:00:00\nzprava=Moje\nstav=1\nKD=5\n";
    writeBytes(target + QStringLiteral("/Budiky.ini"), alarms);

    // Yes in the old file's step: rewritten whole, defaults for what the old file lacks, in its place.
    // No in the current file's step: kept as the old step left it.
    // The set "Trénink" of the old split file is in the current one too: overwritten.
    questions.script({Answer::Yes, Answer::No, Answer::Yes});
    importFrom(source, target);
    const QString asked = fillPlaceholders(messages.text(60), QStringLiteral("Oběd"));
    const QString askedSplits = fillPlaceholders(messages.text(61), QStringLiteral("Trénink"));
    EXPECT_EQ(told(), (QStringList{asked, asked, askedSplits, messages.text(62)}));
    EXPECT_EQ(nactiMezicasy(ini(target, "Mezicasy.ini"), QStringLiteral("Trénink")).lines.size(), 2);
    EXPECT_EQ(questions.asked[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Warning);
    IniSnapshot a = ini(target, "Budiky.ini");
    EXPECT_EQ(nazvyBudiku(a), (QStringList{QStringLiteral("Stary"), QStringLiteral("obĚd"), QStringLiteral("Ranní vstávání")}));
    EXPECT_EQ(a.readString(u"Oběd", u"cas"), QStringLiteral("12:00:00"));
    EXPECT_EQ(a.readString(u"Oběd", u"zprava"), QString()) << "written, with its default";
    EXPECT_TRUE(a.valueExists(u"Oběd", u"zprava"));
    EXPECT_EQ(a.readString(u"Oběd", u"KD"), QStringLiteral("0"));
    EXPECT_EQ(a.readString(u"Oběd", u"stav"), QStringLiteral("0"));
    EXPECT_FALSE(a.valueExists(u"Oběd", u"posledni")) << "it never said when it last rang: no moment of 1899";
    EXPECT_EQ(a.readString(u"Stary", u"cas"), QStringLiteral("6:00:00"));

    // No, then Cancel: nothing more is carried and success is not reported; what came before stays.
    writeBytes(target + QStringLiteral("/Budiky.ini"), alarms);
    writeBytes(target + QStringLiteral("/Mezicasy.ini"), "[info]\npocetMezicasu=1\n1=Trénink\n[Trénink]\npocetMezicasu=1\n0=moje\n");
    writeBytes(source + QStringLiteral("/Nastaveni.ini"), "[nastaveni]\njazyk=English\n");
    questions.asked.clear();
    questions.script({Answer::No, Answer::Cancel});
    const PortOutcome out = importFrom(source, target);
    EXPECT_EQ(out.result, PortOutcome::Result::Cancelled);
    EXPECT_EQ(told(), (QStringList{asked, askedSplits}));
    a = ini(target, "Budiky.ini");
    EXPECT_EQ(a.readString(u"obĚd", u"zprava"), QStringLiteral("Moje"));
    EXPECT_EQ(nazvyBudiku(a), (QStringList{QStringLiteral("Stary"), QStringLiteral("obĚd"), QStringLiteral("Ranní vstávání")}))
        << "the alarm carried before the cancel stays";
    EXPECT_EQ(nactiMezicasy(ini(target, "Mezicasy.ini"), QStringLiteral("Trénink")).lines, QStringList{QStringLiteral("moje")});
    EXPECT_FALSE(ini(target, "Nastaveni.ini").valueExists(u"nastaveni", u"jazyk")) << "the settings' step comes after";
    EXPECT_TRUE(questions.allAnswered());
}

TEST_F(ImportExportTest, ANewAlarmTakesOnlyTheKeysTheSourceHas) {
    const QString target = folder(QStringLiteral("dst"));
    writeBytes(target + QStringLiteral("/Budiky.ini"), "[info]\npocetBudiku=1\n1=A\n[A]\ncas=6:00:00\n"
                                       "[Oběd]\nzprava=leftover of a broken save\n");
    importFrom(copyOf(QStringLiteral("v251")), target);
    const IniSnapshot a = ini(target, "Budiky.ini");
    EXPECT_EQ(nazvyBudiku(a), (QStringList{QStringLiteral("A"), QStringLiteral("Oběd")}));
    EXPECT_EQ(a.keyNames(u"Oběd"), (QStringList{QStringLiteral("posledni"), QStringLiteral("cas"), QStringLiteral("zprava"), QStringLiteral("stav"), QStringLiteral("upozornovat")}));
    EXPECT_EQ(a.readString(u"Oběd", u"zprava"), QStringLiteral("Polévka"));
}

TEST_F(ImportExportTest, Version251FilesKeepCountdownLengthsColoursAndNotices) {
    const QString target = folder(QStringLiteral("dst"));
    importFrom(copyOf(QStringLiteral("v251")), target);
    const IniFile settings(QDir(target).filePath(QStringLiteral("Nastaveni.ini")));
    const IniSnapshot s = settings.snapshot();
    // Four seconds, written by the Windows version with an exponent.
    EXPECT_DOUBLE_EQ(s.readFloat(u"stavHlavnihoOkna", u"odpocitCas", 0), 4.62962962962963E-5);
    EXPECT_EQ(s.readString(u"stavHlavnihoOkna", u"odpocitZprava"), QStringLiteral("Čaj je hotový"));
    EXPECT_EQ(s.readString(u"nastaveniSamostatnehoDispleje", u"barvaTextu"), QStringLiteral("4278190088"));
    EXPECT_EQ(s.readString(u"nastaveniSamostatnehoDispleje", u"barvaPozadi"), QStringLiteral("4278190095"));
    EXPECT_EQ(nactiDalsiOdp(settings).predem, (QList<int>{10, 60}));
    EXPECT_EQ(nactiNastaveni(settings).jazyk, QStringLiteral("English"));
    EXPECT_FALSE(s.valueExists(u"nastaveni", u"zacitOdNuly")) << "an import writes what the source has";
}

TEST_F(ImportExportTest, AnExportWritesEveryKeyAndImportsBackIntoAFreshProgramTheSame) {
    // The user's program: the converted old files with the 2.51 ones over them.
    const QString mine = folder(QStringLiteral("mine"));
    importFrom(copyOf(QStringLiteral("old")), mine);
    questions.script({Answer::Yes, Answer::Yes}); // "Oběd" and "Trénink" exist by then
    importFrom(copyOf(QStringLiteral("v251")), mine);

    const QString usb = folder(QStringLiteral("usb"));
    questions.asked.clear();
    EXPECT_EQ(exportTo(mine, usb).result, PortOutcome::Result::Done);
    EXPECT_EQ(told(), QStringList{messages.text(62)});
    const IniSnapshot exported = ini(usb, "Nastaveni.ini");
    for (const PortKey& k : settingsKeys()) {
        EXPECT_TRUE(exported.valueExists(k.section, k.key)) << QString::fromUtf16(k.key).toStdString();
    }
    EXPECT_EQ(exported.readString(u"nastaveni", u"zkratkaMezicasu"), QStringLiteral("122"));
    EXPECT_EQ(exported.readString(u"stavDispleje", u"levo"), QStringLiteral("50"));
    EXPECT_FALSE(exported.valueExists(u"nastaveni", u"kontrolovatAktulizace")) << "not carried";

    const QString fresh = folder(QStringLiteral("fresh"));
    importFrom(usb, fresh);
    const IniFile before(QDir(mine).filePath(QStringLiteral("Nastaveni.ini")));
    const IniFile after(QDir(fresh).filePath(QStringLiteral("Nastaveni.ini")));
    EXPECT_EQ(nactiNastaveni(after), nactiNastaveni(before));
    EXPECT_EQ(nactiDalsiOdp(after).predem, nactiDalsiOdp(before).predem);
    const TNastaveniDispleje displayAfter = nactiNastaveniDispleje(after);
    const TNastaveniDispleje displayBefore = nactiNastaveniDispleje(before);
    EXPECT_EQ(displayAfter.barvaTextu, displayBefore.barvaTextu);
    EXPECT_EQ(after.readString(u"nastaveniSamostatnehoDispleje", u"zleva"), QStringLiteral("33,3333333333333"))
        << "a place in per cent, as the display dialog writes it";
    EXPECT_EQ(after.readString(u"nastaveniSamostatnehoDispleje", u"velikost"), QStringLiteral("87,5"));
    const IniSnapshot s = after.snapshot();
    EXPECT_DOUBLE_EQ(s.readFloat(u"stavHlavnihoOkna", u"odpocitCas", 0), 4.62962962962963E-5);
    const IniSnapshot alarmsBefore = ini(mine, "Budiky.ini");
    const IniSnapshot alarmsAfter = ini(fresh, "Budiky.ini");
    ASSERT_EQ(nazvyBudiku(alarmsAfter), nazvyBudiku(alarmsBefore));
    for (const QString& name : nazvyBudiku(alarmsBefore)) {
        EXPECT_EQ(nactiBudik(alarmsAfter, name), nactiBudik(alarmsBefore, name)) << name.toStdString();
        EXPECT_EQ(alarmsAfter.readDateTime(name, u"posledni", 0), alarmsBefore.readDateTime(name, u"posledni", 0));
    }
    const IniSnapshot splitsBefore = ini(mine, "Mezicasy.ini");
    const IniSnapshot splitsAfter = ini(fresh, "Mezicasy.ini");
    ASSERT_EQ(nazvyMezicasu(splitsAfter), nazvyMezicasu(splitsBefore));
    for (const QString& name : nazvyMezicasu(splitsBefore)) {
        EXPECT_EQ(nactiMezicasy(splitsAfter, name).lines, nactiMezicasy(splitsBefore, name).lines);
        EXPECT_EQ(nactiMezicasy(splitsAfter, name).counter, nactiMezicasy(splitsBefore, name).counter);
    }
}

TEST_F(ImportExportTest, AnExportPlacesWindowsWithoutAPositionOnTheScreen) {
    const QString mine = folder(QStringLiteral("mine"));
    writeBytes(mine + QStringLiteral("/Nastaveni.ini"), "[nastaveni]\njazyk=English\n");
    const QString usb = folder(QStringLiteral("usb"));
    exportTo(mine, usb);
    const IniSnapshot s = ini(usb, "Nastaveni.ini");
    EXPECT_EQ(s.readString(u"stavHlavnihoOkna", u"levo"), QStringLiteral("448")) << "centred";
    EXPECT_EQ(s.readString(u"stavHlavnihoOkna", u"hor"), QStringLiteral("250"));
    EXPECT_EQ(s.readString(u"stavHlavnihoOkna", u"vyska"), QStringLiteral("270")) << "the largest height";
    EXPECT_EQ(s.readString(u"stavDispleje", u"levo"), QStringLiteral("627"));
    EXPECT_EQ(s.readString(u"stavDispleje", u"hor"), QStringLiteral("450"));
    EXPECT_EQ(s.readString(u"nastaveni", u"jazyk"), QStringLiteral("English"));
    EXPECT_FALSE(QFile::exists(usb + QStringLiteral("/Budiky.ini"))) << "no alarms, no alarm file";
}

TEST_F(ImportExportTest, AFileThatCannotBeWrittenLeavesEveryTargetAsItWas) {
    const QString target = folder(QStringLiteral("dst"));
    const QByteArray alarms = "[info]\npocetBudiku=1\n1=A\n[A]\ncas=6:00:00\n";
    writeBytes(target + QStringLiteral("/Budiky.ini"), alarms);
    writeBytes(target + QStringLiteral("/Nastaveni.ini"), "[nastaveni]\njazyk=Cesky\n");
    QFile::setPermissions(target + QStringLiteral("/Nastaveni.ini"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    const PortOutcome out = importFrom(copyOf(QStringLiteral("v251")), target);
    EXPECT_EQ(out.result, PortOutcome::Result::Failed);
    EXPECT_EQ(out.failedPath, target + QStringLiteral("/Nastaveni.ini"));
    EXPECT_EQ(told(), QStringList{fillPlaceholders(messages.text(51), target + QStringLiteral("/Nastaveni.ini"))});
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Error);
    EXPECT_EQ(readBytes(target + QStringLiteral("/Budiky.ini")), alarms) << "written before the failure, then put back";
    EXPECT_FALSE(QFile::exists(target + QStringLiteral("/Mezicasy.ini"))) << "created before the failure, then removed";
    EXPECT_EQ(readBytes(target + QStringLiteral("/Nastaveni.ini")), QByteArray("[nastaveni]\njazyk=Cesky\n"));
    EXPECT_EQ(QDir(target).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file left";
}

TEST_F(ImportExportTest, HostileSourcesAreCarriedWithinBounds) {
    const QString source = folder(QStringLiteral("src"));
    writeBytes(source + QStringLiteral("/Budiky.ini"), "[info]\npocetBudiku=2000000000\n1=[zlý]\n2=info\n3=\n4=Dobrý\n"
                                       "[Dobrý]\ncas=25:99:00\nOD=abc\nstav=ano\n");
    writeBytes(source + QStringLiteral("/Mezicasy.ini"), "[info]\npocetMezicasu=2\n1=S\n2=T\n[S]\npocetMezicasu=2000000000\n0=a\n1=b\n"
                                                             "[T]\npocetMezicasu=1\n");
    writeBytes(source + QStringLiteral("/Nastaveni.ini"), "[dalsiNastaveniOdpocit]\npocetUpozorneni=2000000000\n"
                                          "[stavHlavnihoOkna]\nodpocitCas=1e999\n");
    const QString target = folder(QStringLiteral("dst"));
    importFrom(source, target);
    const IniSnapshot a = ini(target, "Budiky.ini");
    EXPECT_EQ(nazvyBudiku(a), QStringList{QStringLiteral("Dobrý")}) << "names no section can hold are left out";
    EXPECT_EQ(a.readString(u"Dobrý", u"cas"), QStringLiteral("0:00:00")) << "what does not convert: the default";
    EXPECT_EQ(a.readString(u"Dobrý", u"OD"), QStringLiteral("1"));
    const IniSnapshot sp = ini(target, "Mezicasy.ini");
    EXPECT_EQ(nactiMezicasy(sp, QStringLiteral("S")).lines, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_LE(sp.keyNames(u"S").size(), 4);
    EXPECT_EQ(sp.readInteger(u"T", u"pocetMezicasu", -1), 0) << "a line the set does not have is not counted";
    const IniSnapshot s = ini(target, "Nastaveni.ini");
    EXPECT_LE(s.keyNames(u"dalsiNastaveniOdpocit-Upozorneni").size(), 100'000);
    EXPECT_EQ(s.readString(u"stavHlavnihoOkna", u"odpocitCas"), QStringLiteral("0"));
}

TEST_F(ImportExportTest, AFolderCountsAsSettingsWhenItHoldsAnyOfTheSixFiles) {
    const QString empty = folder(QStringLiteral("empty"));
    EXPECT_FALSE(najdiNastaveniKPortovani(empty));
    QDir().mkpath(empty + QStringLiteral("/Budiky.ini")); // a folder of that name is no file
    EXPECT_FALSE(najdiNastaveniKPortovani(empty));
    for (const char* name : {"Budiky.ini", "Mezicasy.ini", "Nastaveni.ini", "Tavrok.bud", "Tavrok.cas", "Tavrok.dat"}) {
        const QString f = folder(QString::fromLatin1(name) + QStringLiteral("-only"));
        writeBytes(f + u'/' + QString::fromLatin1(name), "");
        EXPECT_TRUE(najdiNastaveniKPortovani(f)) << name;
    }
}
