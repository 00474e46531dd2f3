#include "storage/storagelocations.h"

#include "lang/messagetable.h"
#include "platform/files.h"
#include "support/fakequestions.h"
#include "support/tempdir.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrok;
using tavrok::test::FakeQuestions;
using tavrok::test::readBytes;
using tavrok::test::writeBytes;

namespace {

QString env(const QString& name) {
    if (name == u"HOME") {
        return QStringLiteral("/home/jana");
    }
    if (name == u"Mixed") {
        return QStringLiteral("case-sensitive");
    }
    return {};
}

// Real files, except for one path whose removal or copy fails, as a protected file would.
class FailingFiles final : public Files {
public:
    QString failRemove;
    QString failCopyTo;
    QString failReplaceTo;

    bool exists(const QString& path) const override { return real.exists(path); }
    bool makePath(const QString& folder) override { return real.makePath(folder); }
    // A copy fails when it is on its way to `failCopyTo`.
    bool copy(const QString& from, const QString& to) override {
        return !(!failCopyTo.isEmpty() && to.startsWith(failCopyTo)) && real.copy(from, to);
    }
    bool remove(const QString& path) override { return path != failRemove && real.remove(path); }
    bool writeProtected(const QString& path) const override { return real.writeProtected(path); }
    bool replace(const QString& from, const QString& to) override {
        return !(!failReplaceTo.isEmpty() && to == failReplaceTo) && real.replace(from, to);
    }
    bool sameFile(const QString& a, const QString& b) const override { return real.sameFile(a, b); }
    bool canWriteIn(const QString& folder) override { return !readOnly.contains(folder) && real.canWriteIn(folder); }
    QStringList readOnly; // folders the user may not write, as a system-wide installation's

private:
    RealFiles real;
};

} // namespace

TEST(SlashRule, TurnsBothSlashesNativeAndDropsOneTrailingSeparator) {
    EXPECT_EQ(spravLomitka(u""), QString());
    EXPECT_EQ(spravLomitka(u"C:\\Tavrok\\Data\\"), QStringLiteral("C:/Tavrok/Data"));
    EXPECT_EQ(spravLomitka(u"/opt/tavrok/"), QStringLiteral("/opt/tavrok"));
    EXPECT_EQ(spravLomitka(u"a//b\\\\"), QStringLiteral("a//b/")) << "only one trailing separator goes";
    EXPECT_EQ(spravLomitka(u"/"), QString());
    EXPECT_EQ(spravLomitka(u"Složka\\Podsložka"), QStringLiteral("Složka/Podsložka"));
}

TEST(VariableExpansion, ProgramFolderInAnyCaseAndEnvironmentAsWritten) {
    const QString program = QStringLiteral("/opt/tavrok");
    EXPECT_EQ(nahradPromenneProstredi(u"%TavrokPath%\\Data\\Nastaveni", program, env),
              QStringLiteral("/opt/tavrok\\Data\\Nastaveni"));
    EXPECT_EQ(nahradPromenneProstredi(u"%TAVROKPATH%/x", program, env), QStringLiteral("/opt/tavrok/x"));
    EXPECT_EQ(nahradPromenneProstredi(u"%HOME%/.tavrok", program, env), QStringLiteral("/home/jana/.tavrok"));
    EXPECT_EQ(nahradPromenneProstredi(u"%Mixed%", program, env), QStringLiteral("case-sensitive"));
    EXPECT_EQ(nahradPromenneProstredi(u"%MIXED%", program, env), QString());
    EXPECT_EQ(nahradPromenneProstredi(u"a%UNDEFINED%b", program, env), QStringLiteral("ab"));
    EXPECT_EQ(nahradPromenneProstredi(u"100%%sure", program, env), QStringLiteral("100sure"));
    EXPECT_EQ(nahradPromenneProstredi(u"/data/%open", program, env), QStringLiteral("/data/"));
    EXPECT_EQ(nahradPromenneProstredi(u"%HOME%%HOME%", program, env), QStringLiteral("/home/jana/home/jana"));
}

TEST(VariableExpansion, ForwardSlashesAndTrailingSlashAfterTheProgramFolder) {
    StorageLocations locations(env);
    QTemporaryDir dir;
    locations.resolveAtStartup(dir.path() + QStringLiteral("/"));
    EXPECT_EQ(locations.programFolder(), dir.path());
    EXPECT_EQ(locations.expand(u"%TavrokPath%/Data/Jinde/"), dir.path() + QStringLiteral("/Data/Jinde"));
    // Paths the Windows version stored: under its Data folder the same place here, elsewhere unusable.
    EXPECT_EQ(locations.expand(u"C:\\Program Files\\Tavrok\\Data\\Nastaveni\\Mezi\u010Dasy.ini"),
              dir.path() + QString::fromUtf16(u"/Data/Nastaveni/Mezi\u010Dasy.ini"));
    EXPECT_EQ(locations.expand(u"c:/tavrok/data"), dir.path() + QStringLiteral("/Data"));
    EXPECT_EQ(locations.expand(u"D:\\Zvuky\\budik.wav"), QString());
}

namespace {

class StorageTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString program = dir.path() + QStringLiteral("/program");
    MessageTable messages;
    FakeQuestions questions;
    StorageLocations storage{env};
    QString target = dir.path() + QStringLiteral("/nove");

    QString defaultFolder() const { return program + QStringLiteral("/Data/Nastaveni"); }
    bool inDefaultFolder(const char* file) const {
        return QFileInfo::exists(defaultFolder() + u'/' + QString::fromLatin1(file));
    }
    void setLocation(const QByteArray& value) {
        writeBytes(defaultFolder() + QStringLiteral("/Umisteni.ini"), "[cesty]\nnastaveni=" + value + "\n");
    }
};

} // namespace

TEST_F(StorageTest, StartUpCreatesTheFoldersAndStampsBothFiles) {
    storage.resolveAtStartup(program);
    EXPECT_EQ(storage.settingsFolder(), defaultFolder());
    EXPECT_EQ(storage.settingsIni().path(), defaultFolder() + QStringLiteral("/Nastaveni.ini"));
    EXPECT_EQ(storage.alarmsIni().path(), defaultFolder() + QStringLiteral("/Budiky.ini"));
    for (const QString& file : {QStringLiteral("Nastaveni.ini"), QStringLiteral("Budiky.ini")}) {
        EXPECT_EQ(readBytes(defaultFolder() + u'/' + file), QByteArray("[info]\nprogram=Tavrok\nverzeProgramu=2.51\n"));
    }
    EXPECT_FALSE(inDefaultFolder("Mezicasy.ini"));
    EXPECT_FALSE(inDefaultFolder("Umisteni.ini")) << "start-up only reads the location";
    EXPECT_EQ(storage.languageIni().path(), program + QStringLiteral("/Data/Jazyky/Cesky.ini"));
}

TEST_F(StorageTest, StartUpRemovesWhatKilledSavesLeftAndNothingElse) {
    const QString folder = defaultFolder() + u'/';
    for (const char* name : {"Budiky.ini.tmp-a1B2c3", "Nastaveni.ini.tmp-zzzzzz", "Umisteni.ini.tmp-QQ1234",
                             "Budiky.ini.backup", "Budiky.ini.tmp-mine", "Poznamky.txt.tmp-a1B2c3"}) {
        writeBytes(folder + QString::fromLatin1(name), "[x]\n");
    }
    storage.resolveAtStartup(program);
    QStringList left = QDir(folder).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{QStringLiteral("Budiky.ini"), QStringLiteral("Budiky.ini.backup"),
                                 QStringLiteral("Budiky.ini.tmp-mine"), QStringLiteral("Nastaveni.ini"),
                                 QStringLiteral("Poznamky.txt.tmp-a1B2c3")}));
}

TEST_F(StorageTest, AFileThatIsNoTextIsMovedAsideBeforeTheFirstWrite) {
    static constexpr char JunkBytes[] = "\x00\x01[info]\x00garbage";
    const QByteArray junk(JunkBytes, sizeof JunkBytes - 1);
    writeBytes(defaultFolder() + QStringLiteral("/Budiky.ini"), junk);
    writeBytes(defaultFolder() + QStringLiteral("/Budiky.ini.necitelny"), "an older one");
    storage.resolveAtStartup(program);
    const QString aside = defaultFolder() + QStringLiteral("/Budiky.ini.necitelny-2");
    ASSERT_EQ(storage.movedAside().size(), 1);
    EXPECT_EQ(storage.movedAside()[0].second, aside);
    EXPECT_EQ(readBytes(aside), junk) << "the original bytes kept";
    EXPECT_EQ(readBytes(defaultFolder() + QStringLiteral("/Budiky.ini.necitelny")), QByteArray("an older one"));
    EXPECT_EQ(readBytes(defaultFolder() + QStringLiteral("/Budiky.ini")),
              QByteArray("[info]\nprogram=Tavrok\nverzeProgramu=2.51\n"));
}

TEST_F(StorageTest, StartUpFollowsTheStoredLocationAndLanguage) {
    setLocation("%TavrokPath%\\Uzivatel\\Nastaveni\\");
    writeBytes(program + QStringLiteral("/Uzivatel/Nastaveni/Nastaveni.ini"), "[nastaveni]\njazyk=English\n");
    storage.resolveAtStartup(program);
    EXPECT_EQ(storage.settingsFolder(), program + QStringLiteral("/Uzivatel/Nastaveni"));
    EXPECT_EQ(storage.settingsIni().readString(u"info", u"program"), QStringLiteral("Tavrok"));
    EXPECT_EQ(storage.languageIni().path(), program + QStringLiteral("/Data/Jazyky/English.ini"));
    EXPECT_TRUE(QFileInfo::exists(program + QStringLiteral("/Uzivatel/Nastaveni/Budiky.ini")));
}

TEST_F(StorageTest, ALocationOfAnotherSystemStartsInTheDefaultFolder) {
    setLocation("D:\\Moje\\Tavrok");
    storage.resolveAtStartup(program);
    EXPECT_EQ(storage.settingsFolder(), defaultFolder());
    EXPECT_FALSE(QFileInfo::exists(program + QStringLiteral("/D:")));
}

TEST_F(StorageTest, AnUnusableLocationStillStartsWithDefaults) {
    writeBytes(dir.path() + QStringLiteral("/afile"), "x");
    setLocation(dir.path().toUtf8() + "/afile/below");
    storage.resolveAtStartup(program);
    EXPECT_EQ(storage.settingsIni().readInteger(u"nastaveni", u"x", 42), 42);
    EXPECT_FALSE(storage.settingsIni().writeInteger(u"nastaveni", u"x", 1));
}

TEST_F(StorageTest, AnUnchangedPathFieldMovesNothing) {
    storage.resolveAtStartup(program);
    const auto r = storage.premistit(QStringLiteral("%TavrokPath%\\Data\\Nastaveni\\"), questions, messages);
    EXPECT_EQ(r.outcome, StorageLocations::Relocation::Unchanged);
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_TRUE(inDefaultFolder("Nastaveni.ini"));
}

TEST_F(StorageTest, MovingToAnEmptyFolderCopiesTheSetAndDeletesTheOld) {
    storage.resolveAtStartup(program);
    writeBytes(defaultFolder() + QStringLiteral("/Mezicasy.ini"), "[sada]\n1=0,5\n");
    const auto r = storage.premistit(target + QStringLiteral("/"), questions, messages);
    EXPECT_EQ(r.outcome, StorageLocations::Relocation::Moved);
    EXPECT_TRUE(r.switchSplitTimes);
    EXPECT_TRUE(questions.asked.empty());
    for (const QString& file : StorageLocations::FileSet) {
        EXPECT_TRUE(QFileInfo::exists(target + u'/' + file)) << file.toStdString();
        EXPECT_FALSE(QFileInfo::exists(defaultFolder() + u'/' + file)) << file.toStdString();
    }
    EXPECT_EQ(storage.settingsIni().path(), target + QStringLiteral("/Nastaveni.ini"));
    EXPECT_EQ(storage.settingsIni().readString(u"info", u"program"), QStringLiteral("Tavrok"));
    EXPECT_EQ(IniFile(defaultFolder() + QStringLiteral("/Umisteni.ini")).readString(u"cesty", u"nastaveni"), target);
}

TEST_F(StorageTest, AFolderTheSetCannotLiveInIsRefusedAndNothingMoves) {
    storage.resolveAtStartup(program);
    ASSERT_TRUE(storage.alarmsIni().writeString(u"Ráno", u"cas", QStringLiteral("7:00:00")));
    const QString aFile = dir.path() + QStringLiteral("/soubor");
    writeBytes(aFile, "not a folder");
    // /proc refuses new files even to root, as a folder without permission refuses them to a user.
    for (const QString& entered : {QString(), QStringLiteral("   "), QStringLiteral("%NEDEFINOVANA%/Tavrok"),
                                   QStringLiteral("relativni/slozka"), QStringLiteral("/"), QStringLiteral("//"),
                                   QStringLiteral("/proc/tavrok"), aFile + QStringLiteral("/Nastaveni")}) {
        questions.asked.clear();
        const auto r = storage.premistit(entered, questions, messages);
        EXPECT_EQ(r.outcome, StorageLocations::Relocation::CopyRefused) << entered.toStdString();
        ASSERT_EQ(questions.asked.size(), 1u) << entered.toStdString();
        EXPECT_TRUE(questions.asked[0].text.startsWith(QStringLiteral("Do složky "))) << entered.toStdString();
        EXPECT_TRUE(inDefaultFolder("Nastaveni.ini") && inDefaultFolder("Budiky.ini")) << entered.toStdString();
        EXPECT_EQ(storage.storedLocation(), StorageLocations::DefaultLocation);
    }
    EXPECT_EQ(storage.alarmsIni().readString(u"Ráno", u"cas"), QStringLiteral("7:00:00"));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/Nastaveni.ini")));
}

TEST_F(StorageTest, TheNewLocationIsWrittenBeforeTheOldSetIsDeletedAndItsFailureShowsMessage51) {
    storage.resolveAtStartup(program);
    QDir().mkpath(defaultFolder() + QStringLiteral("/Umisteni.ini/x")); // a folder: the location cannot be written
    const auto r = storage.premistit(target, questions, messages);
    EXPECT_EQ(r.outcome, StorageLocations::Relocation::LocationNotSaved);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, fillPlaceholders(messages.text(51), defaultFolder() + QStringLiteral("/Umisteni.ini")));
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Error);
    EXPECT_TRUE(inDefaultFolder("Nastaveni.ini") && inDefaultFolder("Budiky.ini")) << "the set where the location points";
    EXPECT_EQ(storage.settingsIni().path(), defaultFolder() + QStringLiteral("/Nastaveni.ini"));
}

TEST_F(StorageTest, AnExistingTargetAnsweredYesIsReplaced) {
    storage.resolveAtStartup(program);
    writeBytes(target + QStringLiteral("/Budiky.ini"), "[stary]\n");
    questions.script({Answer::Yes});
    const auto r = storage.premistit(target, questions, messages);
    EXPECT_EQ(r.outcome, StorageLocations::Relocation::Moved);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, messages.text(56));
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Warning);
    EXPECT_EQ(questions.asked[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_FALSE(storage.alarmsIni().sectionExists(u"stary"));
    EXPECT_TRUE(storage.alarmsIni().sectionExists(u"info"));
}

TEST_F(StorageTest, AnExistingTargetAnsweredNoKeepsItAndTheLocation) {
    storage.resolveAtStartup(program);
    writeBytes(target + QStringLiteral("/Budiky.ini"), "[stary]\n");
    questions.script({Answer::No});
    const auto r = storage.premistit(target, questions, messages);
    EXPECT_EQ(r.outcome, StorageLocations::Relocation::CopyRefused);
    EXPECT_EQ(questions.asked.size(), 1u) << "no message after the refused copy";
    EXPECT_EQ(readBytes(target + QStringLiteral("/Budiky.ini")), QByteArray("[stary]\n"));
    EXPECT_TRUE(QFileInfo::exists(target + QStringLiteral("/Nastaveni.ini"))) << "the other files are copied";
    EXPECT_TRUE(inDefaultFolder("Nastaveni.ini") && inDefaultFolder("Budiky.ini"));
    EXPECT_EQ(storage.settingsFolder(), defaultFolder());
    EXPECT_FALSE(inDefaultFolder("Umisteni.ini"));
}

TEST_F(StorageTest, CancelLeavesEverythingUnchanged) {
    storage.resolveAtStartup(program);
    writeBytes(target + QStringLiteral("/Mezicasy.ini"), "[x]\n");
    questions.script({Answer::Cancel});
    const auto r = storage.premistit(target, questions, messages);
    EXPECT_EQ(r.outcome, StorageLocations::Relocation::CopyRefused);
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("/Nastaveni.ini")));
    EXPECT_EQ(storage.settingsFolder(), defaultFolder());
}

TEST_F(StorageTest, AnUndeletableOldFileShowsMessage57AndTheMoveGoesOn) {
    FailingFiles files;
    StorageLocations failing(env, &files);
    failing.resolveAtStartup(program);
    files.failRemove = defaultFolder() + QStringLiteral("/Budiky.ini");
    const auto r = failing.premistit(target, questions, messages);
    EXPECT_EQ(r.outcome, StorageLocations::Relocation::Moved);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, messages.text(57));
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Error);
    EXPECT_FALSE(inDefaultFolder("Nastaveni.ini")) << "the others are still deleted";
    EXPECT_EQ(failing.settingsFolder(), target);
}

TEST_F(StorageTest, AFailedCopyEndsTheMoveWithAMessageAndTakesBackWhatWasCopied) {
    FailingFiles files;
    StorageLocations failing(env, &files);
    failing.resolveAtStartup(program);
    writeBytes(target + QStringLiteral("/Nastaveni.ini"), "[nastaveni]\njazyk=English\n"); // the user's own
    questions.script({Answer::Yes});                                                        // replace it
    files.failCopyTo = target + QStringLiteral("/Budiky.ini"); // the second of the set
    const auto r = failing.premistit(target, questions, messages);
    EXPECT_EQ(r.outcome, StorageLocations::Relocation::CopyRefused);
    ASSERT_EQ(questions.asked.size(), 2u);
    EXPECT_EQ(questions.asked[1].text, fillPlaceholders(messages.text(MessageTable::MoveFailed),
                                                        {{u"%d1", target}, {u"%d2", target + QStringLiteral("/Budiky.ini")}}));
    EXPECT_EQ(QDir(target).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Nastaveni.ini")})
        << "no half set and no temporary file left in the new folder";
    EXPECT_EQ(readBytes(target + QStringLiteral("/Nastaveni.ini")), QByteArray("[nastaveni]\njazyk=English\n"))
        << "the file it was to replace is as it was";
    EXPECT_TRUE(inDefaultFolder("Nastaveni.ini") && inDefaultFolder("Budiky.ini"));
    EXPECT_EQ(failing.settingsFolder(), defaultFolder());
}

// The copies are all there and the second cannot take its target's place: the first, already in
// place, gives way to the user's own file again.
TEST_F(StorageTest, ARenameFailingHalfWayPutsBackTheFilesItReplaced) {
    FailingFiles files;
    StorageLocations failing(env, &files);
    failing.resolveAtStartup(program);
    writeBytes(target + QStringLiteral("/Nastaveni.ini"), "[nastaveni]\njazyk=English\n");
    writeBytes(target + QStringLiteral("/Budiky.ini"), "[info]\npocetBudiku=0\n");
    questions.script({Answer::Yes});
    files.failReplaceTo = target + QStringLiteral("/Budiky.ini");
    const auto r = failing.premistit(target, questions, messages);
    EXPECT_EQ(r.outcome, StorageLocations::Relocation::CopyRefused);
    EXPECT_EQ(questions.asked.back().text, fillPlaceholders(messages.text(MessageTable::MoveFailed),
                                                            {{u"%d1", target}, {u"%d2", files.failReplaceTo}}));
    EXPECT_EQ(readBytes(target + QStringLiteral("/Nastaveni.ini")), QByteArray("[nastaveni]\njazyk=English\n"));
    EXPECT_EQ(readBytes(target + QStringLiteral("/Budiky.ini")), QByteArray("[info]\npocetBudiku=0\n"));
    QStringList left = QDir(target).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    EXPECT_EQ(left, (QStringList{QStringLiteral("Budiky.ini"), QStringLiteral("Nastaveni.ini")}))
        << "no temporary file left";
    EXPECT_EQ(failing.settingsFolder(), defaultFolder());

    // Into a folder that had none of them: what was put in place goes again.
    QDir(target).removeRecursively();
    files.failReplaceTo = target + QStringLiteral("/Mezicasy.ini");
    writeBytes(defaultFolder() + QStringLiteral("/Mezicasy.ini"), "[info]\npocetMezicasu=0\n");
    EXPECT_EQ(failing.premistit(target, questions, messages).outcome, StorageLocations::Relocation::CopyRefused);
    EXPECT_TRUE(QDir(target).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(StorageTest, DeletingTheSetAttemptsAllThree) {
    FailingFiles files;
    StorageLocations failing(env, &files);
    failing.resolveAtStartup(program);
    writeBytes(defaultFolder() + QStringLiteral("/Mezicasy.ini"), "x");
    files.failRemove = defaultFolder() + QStringLiteral("/Nastaveni.ini");
    EXPECT_FALSE(failing.smazNastaveni(defaultFolder()));
    EXPECT_FALSE(inDefaultFolder("Budiky.ini") || inDefaultFolder("Mezicasy.ini"));
    EXPECT_TRUE(failing.smazNastaveni(dir.path() + QStringLiteral("/nowhere")));
}

TEST_F(StorageTest, AnotherSpellingOfTheSameFolderNeverDestroysTheSet) {
    storage.resolveAtStartup(program);
    ASSERT_TRUE(storage.settingsIni().writeInteger(u"nastaveni", u"x", 7));
    const auto r = storage.premistit(defaultFolder(), questions, messages);
    EXPECT_EQ(r.outcome, StorageLocations::Relocation::Moved);
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_EQ(storage.settingsIni().readInteger(u"nastaveni", u"x", 0), 7);
    EXPECT_TRUE(inDefaultFolder("Budiky.ini"));
}

TEST_F(StorageTest, TheSplitTimesSwitchFollowsTheirStoredPath) {
    storage.resolveAtStartup(program);
    ASSERT_TRUE(storage.settingsIni().writeString(u"nastaveniMezicasu", u"cesta", target + QStringLiteral("\\Mezicasy.ini")));
    const auto r = storage.premistit(target, questions, messages);
    EXPECT_EQ(r.outcome, StorageLocations::Relocation::Moved);
    EXPECT_FALSE(r.switchSplitTimes);
}

TEST_F(StorageTest, ReopenReadsTheLocationAgain) {
    storage.resolveAtStartup(program);
    setLocation("%TavrokPath%/Jinde");
    EXPECT_TRUE(storage.reopenIniFiles(true));
    EXPECT_EQ(storage.settingsIni().path(), program + QStringLiteral("/Jinde/Nastaveni.ini"));
    EXPECT_EQ(storage.alarmsIni().path(), program + QStringLiteral("/Jinde/Budiky.ini"));
}

TEST_F(StorageTest, AProgramFolderTheUserCannotWriteKeepsTheSettingsInTheConfigurationFolder) {
    FailingFiles files;
    files.readOnly << defaultFolder();
    const QString config = dir.path() + QStringLiteral("/xdg");
    StorageLocations installed(
        [&](const QString& name) {
            return name == u"XDG_CONFIG_HOME" ? config : name == u"HOME" ? dir.path() + QStringLiteral("/home") : QString();
        },
        &files);
    installed.resolveAtStartup(program);
    const QString folder = config + QStringLiteral("/Tavrok");
    EXPECT_EQ(installed.settingsFolder(), folder);
    EXPECT_EQ(installed.umisteniPath(), folder + QStringLiteral("/Umisteni.ini"));
    EXPECT_EQ(installed.defaultLocation(), folder);
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/Nastaveni.ini")));
    EXPECT_EQ(installed.languageIni().path(), program + QStringLiteral("/Data/Jazyky/Cesky.ini"))
        << "languages and sounds stay with the program";
    EXPECT_FALSE(inDefaultFolder("Nastaveni.ini"));

    // Without XDG_CONFIG_HOME the configuration folder is ~/.config.
    StorageLocations plain([&](const QString& name) { return name == u"HOME" ? dir.path() + QStringLiteral("/home") : QString(); },
                           &files);
    plain.resolveAtStartup(program);
    EXPECT_EQ(plain.settingsFolder(), dir.path() + QStringLiteral("/home/.config/Tavrok"));
}

TEST_F(StorageTest, ASettingsFolderThatBecameReadOnlyLendsItsFilesToTheConfigurationFolderOnce) {
    writeBytes(defaultFolder() + QStringLiteral("/Budiky.ini"), "[info]\npocetBudiku=1\n1=Ranni\n[Ranni]\ncas=7:00:00\n");
    writeBytes(defaultFolder() + QStringLiteral("/Mezicasy.ini"), "[A]\npocet=0\n");
    FailingFiles files;
    files.readOnly << defaultFolder();
    const QString config = dir.path() + QStringLiteral("/xdg");
    const auto env = [&](const QString& name) { return name == u"XDG_CONFIG_HOME" ? config : QString(); };
    StorageLocations lent(env, &files);
    lent.resolveAtStartup(program);
    const QString folder = config + QStringLiteral("/Tavrok");
    EXPECT_EQ(lent.settingsFolder(), folder);
    EXPECT_TRUE(lent.alarmsIni().sectionExists(u"Ranni")) << "the user's alarms are still there";
    EXPECT_EQ(readBytes(folder + QStringLiteral("/Mezicasy.ini")), QByteArray("[A]\npocet=0\n"));
    EXPECT_EQ(readBytes(defaultFolder() + QStringLiteral("/Budiky.ini")),
              QByteArray("[info]\npocetBudiku=1\n1=Ranni\n[Ranni]\ncas=7:00:00\n")) << "the original is untouched";

    EXPECT_EQ(lent.lent().message, MessageTable::SetTakenOver);
    EXPECT_EQ(lent.lent().settingsFolder, defaultFolder());
    EXPECT_EQ(lent.lent().configFolder, folder);

    // While the folder stays read-only the configuration folder is the user's: the read-only set never
    // overwrites it, and nothing more is said.
    ASSERT_TRUE(IniFile(folder + QStringLiteral("/Budiky.ini")).eraseSection(u"Ranni"));
    StorageLocations again(env, &files);
    again.resolveAtStartup(program);
    EXPECT_FALSE(again.alarmsIni().sectionExists(u"Ranni"));
    EXPECT_EQ(again.lent().message, 0);
}

// The folder can be written again: the set the user worked with in the configuration folder goes back
// (a continuation resumed from the copy is not found again in the original), and one set is in use.
// When it cannot go back, the program stays with it and says so.
TEST_F(StorageTest, ASettingsFolderWritableAgainGetsTheLentSetBackOrTheUserIsTold) {
    const QByteArray original = "[pokracovaniTavrek]\nstav=2\ncas=1.12.2026 8:00:00\n";
    writeBytes(defaultFolder() + QStringLiteral("/Nastaveni.ini"), original);
    writeBytes(defaultFolder() + QStringLiteral("/Budiky.ini"), "[info]\npocetBudiku=0\n");
    FailingFiles files;
    files.readOnly << defaultFolder();
    const QString config = dir.path() + QStringLiteral("/xdg");
    const QString folder = config + QStringLiteral("/Tavrok");
    const auto env = [&](const QString& name) { return name == u"XDG_CONFIG_HOME" ? config : QString(); };
    {
        StorageLocations lent(env, &files);
        lent.resolveAtStartup(program);
        ASSERT_TRUE(lent.settingsIni().sectionExists(u"pokracovaniTavrek"));
        ASSERT_TRUE(lent.settingsIni().eraseSection(u"pokracovaniTavrek")); // resumed from the copy
        ASSERT_TRUE(lent.alarmsIni().writeInteger(u"info", u"pocetBudiku", 1));
    }
    files.readOnly.clear();
    files.failReplaceTo = defaultFolder() + QStringLiteral("/Budiky.ini");
    {
        StorageLocations stuck(env, &files);
        stuck.resolveAtStartup(program);
        EXPECT_EQ(stuck.settingsFolder(), folder) << "the newer set stays in use";
        EXPECT_EQ(stuck.lent().message, MessageTable::SetNotGivenBack);
        EXPECT_EQ(readBytes(defaultFolder() + QStringLiteral("/Nastaveni.ini")).left(original.size()), original)
            << "the original is as it was";
    }
    files.failReplaceTo.clear();
    StorageLocations back(env, &files);
    back.resolveAtStartup(program);
    EXPECT_EQ(back.settingsFolder(), defaultFolder());
    EXPECT_EQ(back.lent().message, MessageTable::SetGivenBack);
    EXPECT_FALSE(back.settingsIni().sectionExists(u"pokracovaniTavrek")) << "not resumed a second time";
    EXPECT_EQ(back.alarmsIni().readInteger(u"info", u"pocetBudiku", 0), 1);
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/Budiky.ini")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/Nastaveni.ini")));

    StorageLocations later(env, &files);
    later.resolveAtStartup(program);
    EXPECT_EQ(later.lent().message, 0) << "told once";

    // Read-only once more: the configuration folder takes the set again, not an empty one.
    files.readOnly << defaultFolder();
    StorageLocations lentAgain(env, &files);
    lentAgain.resolveAtStartup(program);
    EXPECT_EQ(lentAgain.settingsFolder(), folder);
    EXPECT_EQ(lentAgain.alarmsIni().readInteger(u"info", u"pocetBudiku", 0), 1);
}

// Originals changed while their copies were in use (the medium was written on another computer): neither
// set replaces the other, the one worked with here stays in use and the user is told. A read-only
// folder whose Umisteni.ini names another place lends nothing: that place is used.
TEST_F(StorageTest, ALentSetNeverOverwritesOriginalsChangedMeanwhileAndAMovedSetIsFollowed) {
    writeBytes(defaultFolder() + QStringLiteral("/Budiky.ini"), "[info]\npocetBudiku=0\n");
    FailingFiles files;
    files.readOnly << defaultFolder();
    const QString config = dir.path() + QStringLiteral("/xdg");
    const QString folder = config + QStringLiteral("/Tavrok");
    const auto env = [&](const QString& name) { return name == u"XDG_CONFIG_HOME" ? config : QString(); };
    StorageLocations(env, &files).resolveAtStartup(program);
    writeBytes(defaultFolder() + QStringLiteral("/Budiky.ini"), "[info]\npocetBudiku=5\n"); // elsewhere
    files.readOnly.clear();
    StorageLocations back(env, &files);
    back.resolveAtStartup(program);
    EXPECT_EQ(back.lent().message, MessageTable::SetNotGivenBack);
    EXPECT_EQ(back.settingsFolder(), folder);
    EXPECT_EQ(readBytes(defaultFolder() + QStringLiteral("/Budiky.ini")), QByteArray("[info]\npocetBudiku=5\n"));

    QDir(config).removeRecursively();
    const QString moved = dir.path() + QStringLiteral("/jinde");
    writeBytes(defaultFolder() + QStringLiteral("/Umisteni.ini"), "[cesty]\nnastaveni=" + moved.toUtf8() + "\n");
    writeBytes(moved + QStringLiteral("/Budiky.ini"), "[info]\npocetBudiku=2\n");
    files.readOnly << defaultFolder();
    StorageLocations follows(env, &files);
    follows.resolveAtStartup(program);
    EXPECT_EQ(follows.settingsFolder(), moved);
    EXPECT_EQ(follows.lent().message, 0);
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/Budiky.ini")));
}

TEST_F(StorageTest, AnInstalledProgramKeepsTheSettingsInTheConfigurationFolderEvenWhenItsFolderIsWritable) {
    writeBytes(program + QStringLiteral("/Data/Nainstalovano.txt"), "installed\n");
    const QString home = dir.path() + QStringLiteral("/home");
    StorageLocations installed([&](const QString& name) { return name == u"HOME" ? home : QString(); });
    installed.resolveAtStartup(program);
    EXPECT_EQ(installed.settingsFolder(), home + QStringLiteral("/.config/Tavrok"));
    EXPECT_FALSE(QFileInfo::exists(defaultFolder())) << "nothing made beside the program";
}
