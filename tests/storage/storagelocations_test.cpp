#include "storage/storagelocations.h"

#include "lang/messagetable.h"
#include "platform/files.h"
#include "storage/savefile.h"
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

// Real files, except for one path whose removal, copy or rename fails, as a protected file would.
class FailingFiles final : public Files {
public:
    QString failRemove;
    QString failCopyTo;
    QString failReplaceTo;

    bool exists(const QString& path) const override { return real.exists(path); }
    bool makePath(const QString& folder) override { return real.makePath(folder); }
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

// Only one trailing separator goes.
TEST(SlashRule, TurnsBothSlashesNativeAndDropsOneTrailingSeparator) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"", u""}, {u"C:\\Tavrok\\Data\\", u"C:/Tavrok/Data"}, {u"/opt/tavrok/", u"/opt/tavrok"},
        {u"a//b\\\\", u"a//b/"}, {u"/", u""}, {u"Složka\\Podsložka", u"Složka/Podsložka"}};
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(spravLomitka(path), QString::fromUtf16(expected)) << QString::fromUtf16(path).toStdString();
    }
}

// "%TavrokPath%" in any case, environment variables as written; "%%", undefined and unclosed give nothing.
TEST(VariableExpansion, ProgramFolderInAnyCaseAndEnvironmentAsWritten) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"%TavrokPath%\\Data\\Nastaveni", u"/opt/tavrok\\Data\\Nastaveni"}, {u"%TAVROKPATH%/x", u"/opt/tavrok/x"},
        {u"%HOME%/.tavrok", u"/home/jana/.tavrok"}, {u"%Mixed%", u"case-sensitive"}, {u"%MIXED%", u""},
        {u"a%UNDEFINED%b", u"ab"}, {u"100%%sure", u"100sure"}, {u"/data/%open", u"/data/"},
        {u"%HOME%%HOME%", u"/home/jana/home/jana"}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(nahradPromenneProstredi(text, QStringLiteral("/opt/tavrok"), env),
                  QString::fromUtf16(expected))
            << QString::fromUtf16(text).toStdString();
    }
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
    FailingFiles files;
    StorageLocations failing{env, &files};
    // The user's configuration folder, and the environment that names it.
    QString config = dir.path() + QStringLiteral("/xdg");
    QString configSet = config + QStringLiteral("/Tavrok");
    EnvironmentLookup xdgEnv = [this](const QString& name) {
        return name == u"XDG_CONFIG_HOME" ? config
               : name == u"HOME"          ? dir.path() + QStringLiteral("/home")
                                          : QString();
    };

    QString defaultFolder() const { return program + QStringLiteral("/Data/Nastaveni"); }
    QString inDefault(const char* file) const { return defaultFolder() + u'/' + QString::fromLatin1(file); }
    bool inDefaultFolder(const char* file) const { return QFileInfo::exists(inDefault(file)); }
    void setLocation(const QByteArray& value) {
        writeBytes(inDefault("Umisteni.ini"), "[cesty]\nnastaveni=" + value + "\n");
    }
    QString moveFailed(const QString& file) const {
        return fillPlaceholders(messages.text(MessageTable::MoveFailed), {{u"%d1", target}, {u"%d2", file}});
    }
    // The default folder read-only, as a write-protected medium is.
    StorageLocations startReadOnly() {
        files.readOnly << defaultFolder();
        StorageLocations s(xdgEnv, &files);
        s.resolveAtStartup(program);
        return s;
    }
};

} // namespace

TEST_F(StorageTest, StartUpStampsBothFilesAndRemovesOnlyWhatKilledSavesLeft) {
    for (const char* name : {"Budiky.ini.tmp-a1B2c3", "Nastaveni.ini.tmp-zzzzzz", "Umisteni.ini.tmp-QQ1234",
                             "Budiky.ini.backup", "Budiky.ini.tmp-mine", "Poznamky.txt.tmp-a1B2c3"}) {
        writeBytes(inDefault(name), "[x]\n");
    }
    storage.resolveAtStartup(program);
    EXPECT_EQ(storage.settingsFolder(), defaultFolder());
    EXPECT_EQ(storage.settingsIni().path(), inDefault("Nastaveni.ini"));
    EXPECT_EQ(storage.alarmsIni().path(), inDefault("Budiky.ini"));
    for (const char* file : {"Nastaveni.ini", "Budiky.ini"}) {
        EXPECT_EQ(readBytes(inDefault(file)), QByteArray("[info]\nprogram=Tavrok\nverzeProgramu=2.51\n"));
    }
    QStringList left = QDir(defaultFolder()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{QStringLiteral("Budiky.ini"), QStringLiteral("Budiky.ini.backup"),
                                 QStringLiteral("Budiky.ini.tmp-mine"), QStringLiteral("Nastaveni.ini"),
                                 QStringLiteral("Poznamky.txt.tmp-a1B2c3")}))
        << "no Mezicasy.ini, and start-up only reads the location";
    EXPECT_EQ(storage.languageIni().path(), program + QStringLiteral("/Data/Jazyky/Cesky.ini"));
}

TEST_F(StorageTest, AFileThatIsNoTextIsMovedAsideBeforeTheFirstWrite) {
    static constexpr char JunkBytes[] = "\x00\x01[info]\x00garbage";
    const QByteArray junk(JunkBytes, sizeof JunkBytes - 1);
    writeBytes(inDefault("Budiky.ini"), junk);
    writeBytes(inDefault("Budiky.ini.necitelny"), "an older one");
    storage.resolveAtStartup(program);
    ASSERT_EQ(storage.movedAside().size(), 1);
    EXPECT_EQ(storage.movedAside()[0].second, inDefault("Budiky.ini.necitelny-2"));
    EXPECT_EQ(readBytes(inDefault("Budiky.ini.necitelny-2")), junk) << "the original bytes kept";
    EXPECT_EQ(readBytes(inDefault("Budiky.ini.necitelny")), QByteArray("an older one"));
    EXPECT_EQ(readBytes(inDefault("Budiky.ini")), QByteArray("[info]\nprogram=Tavrok\nverzeProgramu=2.51\n"));

    writeBytes(inDefault("Mezicasy.ini"), junk);
    EXPECT_EQ(moveAsideIfUndecodable(inDefault("Mezicasy.ini")), inDefault("Mezicasy.ini.necitelny"))
        << "the first one set aside takes the plain name";
    EXPECT_EQ(moveAsideIfUndecodable(inDefault("Nastaveni.ini")), QString()) << "a readable file stays";
}

TEST_F(StorageTest, StartUpFollowsTheStoredLocationAndLanguage) {
    setLocation("%TavrokPath%\\Uzivatel\\Nastaveni\\");
    writeBytes(program + QStringLiteral("/Uzivatel/Nastaveni/Nastaveni.ini"), "[nastaveni]\njazyk=English\n");
    storage.resolveAtStartup(program);
    EXPECT_EQ(storage.settingsFolder(), program + QStringLiteral("/Uzivatel/Nastaveni"));
    EXPECT_EQ(storage.settingsIni().readString(u"info", u"program"), QStringLiteral("Tavrok"));
    EXPECT_EQ(storage.languageIni().path(), program + QStringLiteral("/Data/Jazyky/English.ini"));
    EXPECT_TRUE(QFileInfo::exists(program + QStringLiteral("/Uzivatel/Nastaveni/Budiky.ini")));

    setLocation("%TavrokPath%/Jinde");
    EXPECT_TRUE(storage.reopenIniFiles(true)) << "reopening reads the location again";
    EXPECT_EQ(storage.settingsIni().path(), program + QStringLiteral("/Jinde/Nastaveni.ini"));
    EXPECT_EQ(storage.alarmsIni().path(), program + QStringLiteral("/Jinde/Budiky.ini"));
}

TEST_F(StorageTest, AnUnusableStoredLocationStillStarts) {
    setLocation("D:\\Moje\\Tavrok"); // another system's: the default folder
    storage.resolveAtStartup(program);
    EXPECT_EQ(storage.settingsFolder(), defaultFolder());
    EXPECT_FALSE(QFileInfo::exists(program + QStringLiteral("/D:")));

    writeBytes(dir.path() + QStringLiteral("/afile"), "x");
    setLocation(dir.path().toUtf8() + "/afile/below");
    StorageLocations blocked(env);
    blocked.resolveAtStartup(program);
    EXPECT_EQ(blocked.settingsIni().readInteger(u"nastaveni", u"x", 42), 42);
    EXPECT_FALSE(blocked.settingsIni().writeInteger(u"nastaveni", u"x", 1));
}

TEST_F(StorageTest, TheSameFolderUnchangedOrSpelledOtherwiseMovesNothing) {
    storage.resolveAtStartup(program);
    ASSERT_TRUE(storage.settingsIni().writeInteger(u"nastaveni", u"x", 7));
    const auto r = storage.premistit(QStringLiteral("%TavrokPath%\\Data\\Nastaveni\\"), questions, messages);
    EXPECT_EQ(r.outcome, StorageLocations::Relocation::Unchanged);
    EXPECT_FALSE(inDefaultFolder("Umisteni.ini"));

    EXPECT_EQ(storage.premistit(defaultFolder(), questions, messages).outcome,
              StorageLocations::Relocation::Moved);
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_EQ(storage.settingsIni().readInteger(u"nastaveni", u"x", 0), 7) << "the set is never destroyed";
    EXPECT_TRUE(inDefaultFolder("Budiky.ini"));
}

TEST_F(StorageTest, MovingToAnEmptyFolderCopiesTheSetAndDeletesTheOld) {
    storage.resolveAtStartup(program);
    writeBytes(inDefault("Mezicasy.ini"), "[sada]\n1=0,5\n");
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
    EXPECT_EQ(IniFile(inDefault("Umisteni.ini")).readString(u"cesty", u"nastaveni"), target);
}

TEST_F(StorageTest, TheSplitTimesSwitchFollowsTheirStoredPath) {
    storage.resolveAtStartup(program);
    ASSERT_TRUE(storage.settingsIni().writeString(u"nastaveniMezicasu", u"cesta",
                                                  target + QStringLiteral("\\Mezicasy.ini")));
    const auto r = storage.premistit(target, questions, messages);
    EXPECT_EQ(r.outcome, StorageLocations::Relocation::Moved);
    EXPECT_FALSE(r.switchSplitTimes);
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
        SCOPED_TRACE(entered.toStdString());
        questions.asked.clear();
        EXPECT_EQ(storage.premistit(entered, questions, messages).outcome,
                  StorageLocations::Relocation::CopyRefused);
        ASSERT_EQ(questions.asked.size(), 1u);
        EXPECT_TRUE(questions.asked[0].text.startsWith(QStringLiteral("Do složky ")));
        EXPECT_TRUE(inDefaultFolder("Nastaveni.ini") && inDefaultFolder("Budiky.ini"));
        EXPECT_EQ(storage.storedLocation(), StorageLocations::DefaultLocation);
    }
    EXPECT_EQ(storage.alarmsIni().readString(u"Ráno", u"cas"), QStringLiteral("7:00:00"));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/Nastaveni.ini")));
}

TEST_F(StorageTest, TheNewLocationIsWrittenBeforeTheOldSetIsDeletedAndItsFailureShowsMessage51) {
    storage.resolveAtStartup(program);
    QDir().mkpath(inDefault("Umisteni.ini/x")); // a folder: the location cannot be written
    EXPECT_EQ(storage.premistit(target, questions, messages).outcome,
              StorageLocations::Relocation::LocationNotSaved);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, fillPlaceholders(messages.text(51), inDefault("Umisteni.ini")));
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Error);
    EXPECT_TRUE(inDefaultFolder("Nastaveni.ini") && inDefaultFolder("Budiky.ini")) << "the set where the location points";
    EXPECT_EQ(storage.settingsIni().path(), inDefault("Nastaveni.ini"));
}

// Message 56 asks about a target that holds any file of the set: Cancel copies nothing, No copies only
// what is not there and keeps the location, Yes replaces.
TEST_F(StorageTest, AnExistingTargetIsKeptOrReplacedAsAnswered) {
    storage.resolveAtStartup(program);
    writeBytes(target + QStringLiteral("/Mezicasy.ini"), "[x]\n"); // one the old folder does not have
    questions.script({Answer::Cancel});
    EXPECT_EQ(storage.premistit(target, questions, messages).outcome,
              StorageLocations::Relocation::CopyRefused);
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("/Nastaveni.ini")));
    EXPECT_EQ(storage.settingsFolder(), defaultFolder());

    writeBytes(target + QStringLiteral("/Budiky.ini"), "[stary]\n");
    questions.asked.clear();
    questions.script({Answer::No});
    EXPECT_EQ(storage.premistit(target, questions, messages).outcome,
              StorageLocations::Relocation::CopyRefused);
    EXPECT_EQ(questions.asked.size(), 1u) << "no message after the refused copy";
    EXPECT_EQ(readBytes(target + QStringLiteral("/Budiky.ini")), QByteArray("[stary]\n"));
    EXPECT_TRUE(QFileInfo::exists(target + QStringLiteral("/Nastaveni.ini"))) << "the other files are copied";
    EXPECT_TRUE(inDefaultFolder("Nastaveni.ini") && inDefaultFolder("Budiky.ini"));
    EXPECT_EQ(storage.settingsFolder(), defaultFolder());
    EXPECT_FALSE(inDefaultFolder("Umisteni.ini"));

    questions.asked.clear();
    questions.script({Answer::Yes});
    EXPECT_EQ(storage.premistit(target, questions, messages).outcome, StorageLocations::Relocation::Moved);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, messages.text(56));
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Warning);
    EXPECT_EQ(questions.asked[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_FALSE(storage.alarmsIni().sectionExists(u"stary"));
    EXPECT_TRUE(storage.alarmsIni().sectionExists(u"info"));
}

TEST_F(StorageTest, AnUndeletableOldFileShowsMessage57AndTheMoveGoesOn) {
    failing.resolveAtStartup(program);
    writeBytes(inDefault("Mezicasy.ini"), "x");
    files.failRemove = inDefault("Budiky.ini");
    EXPECT_EQ(failing.premistit(target, questions, messages).outcome, StorageLocations::Relocation::Moved);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, messages.text(57));
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Error);
    EXPECT_FALSE(inDefaultFolder("Nastaveni.ini") || inDefaultFolder("Mezicasy.ini"))
        << "all three are attempted";
    EXPECT_EQ(failing.settingsFolder(), target);
    EXPECT_TRUE(failing.smazNastaveni(dir.path() + QStringLiteral("/nowhere")));
}

TEST_F(StorageTest, AFailedCopyEndsTheMoveWithAMessageAndTakesBackWhatWasCopied) {
    failing.resolveAtStartup(program);
    writeBytes(target + QStringLiteral("/Nastaveni.ini"), "[nastaveni]\njazyk=English\n"); // the user's own
    questions.script({Answer::Yes});                                                        // replace it
    files.failCopyTo = target + QStringLiteral("/Budiky.ini"); // the second of the set
    EXPECT_EQ(failing.premistit(target, questions, messages).outcome,
              StorageLocations::Relocation::CopyRefused);
    ASSERT_EQ(questions.asked.size(), 2u);
    EXPECT_EQ(questions.asked[1].text, moveFailed(target + QStringLiteral("/Budiky.ini")));
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
    failing.resolveAtStartup(program);
    writeBytes(target + QStringLiteral("/Nastaveni.ini"), "[nastaveni]\njazyk=English\n");
    writeBytes(target + QStringLiteral("/Budiky.ini"), "[info]\npocetBudiku=0\n");
    questions.script({Answer::Yes});
    files.failReplaceTo = target + QStringLiteral("/Budiky.ini");
    EXPECT_EQ(failing.premistit(target, questions, messages).outcome,
              StorageLocations::Relocation::CopyRefused);
    EXPECT_EQ(questions.asked.back().text, moveFailed(files.failReplaceTo));
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
    writeBytes(inDefault("Mezicasy.ini"), "[info]\npocetMezicasu=0\n");
    EXPECT_EQ(failing.premistit(target, questions, messages).outcome, StorageLocations::Relocation::CopyRefused);
    EXPECT_TRUE(QDir(target).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(StorageTest, AProgramFolderTheUserCannotWriteKeepsTheSettingsInTheConfigurationFolder) {
    const StorageLocations installed = startReadOnly();
    EXPECT_EQ(installed.settingsFolder(), configSet);
    EXPECT_EQ(installed.umisteniPath(), configSet + QStringLiteral("/Umisteni.ini"));
    EXPECT_EQ(installed.defaultLocation(), configSet);
    EXPECT_TRUE(QFileInfo::exists(configSet + QStringLiteral("/Nastaveni.ini")));
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
    const QByteArray alarms = "[info]\npocetBudiku=1\n1=Ranni\n[Ranni]\ncas=7:00:00\n";
    writeBytes(inDefault("Budiky.ini"), alarms);
    writeBytes(inDefault("Mezicasy.ini"), "[A]\npocet=0\n");
    const StorageLocations lent = startReadOnly();
    EXPECT_EQ(lent.settingsFolder(), configSet);
    EXPECT_TRUE(lent.alarmsIni().sectionExists(u"Ranni")) << "the user's alarms are still there";
    EXPECT_EQ(readBytes(configSet + QStringLiteral("/Mezicasy.ini")), QByteArray("[A]\npocet=0\n"));
    EXPECT_EQ(readBytes(inDefault("Budiky.ini")), alarms) << "the original is untouched";
    EXPECT_EQ(lent.lent().message, MessageTable::SetTakenOver);
    EXPECT_EQ(lent.lent().settingsFolder, defaultFolder());
    EXPECT_EQ(lent.lent().configFolder, configSet);

    // While the folder stays read-only the configuration folder is the user's: the read-only set never
    // overwrites it, and nothing more is said.
    ASSERT_TRUE(IniFile(configSet + QStringLiteral("/Budiky.ini")).eraseSection(u"Ranni"));
    StorageLocations again(xdgEnv, &files);
    again.resolveAtStartup(program);
    EXPECT_FALSE(again.alarmsIni().sectionExists(u"Ranni"));
    EXPECT_EQ(again.lent().message, 0);
}

// The folder can be written again: the set the user worked with in the configuration folder goes back
// (a continuation resumed from the copy is not found again in the original), and one set is in use.
// When it cannot go back, the program stays with it and says so.
TEST_F(StorageTest, ASettingsFolderWritableAgainGetsTheLentSetBackOrTheUserIsTold) {
    const QByteArray original = "[pokracovaniTavrek]\nstav=2\ncas=1.12.2026 8:00:00\n";
    writeBytes(inDefault("Nastaveni.ini"), original);
    writeBytes(inDefault("Budiky.ini"), "[info]\npocetBudiku=0\n");
    {
        StorageLocations lent = startReadOnly();
        ASSERT_TRUE(lent.settingsIni().sectionExists(u"pokracovaniTavrek"));
        ASSERT_TRUE(lent.settingsIni().eraseSection(u"pokracovaniTavrek")); // resumed from the copy
        ASSERT_TRUE(lent.alarmsIni().writeInteger(u"info", u"pocetBudiku", 1));
    }
    files.readOnly.clear();
    files.failReplaceTo = inDefault("Budiky.ini");
    {
        StorageLocations stuck(xdgEnv, &files);
        stuck.resolveAtStartup(program);
        EXPECT_EQ(stuck.settingsFolder(), configSet) << "the newer set stays in use";
        EXPECT_EQ(stuck.lent().message, MessageTable::SetNotGivenBack);
        EXPECT_EQ(readBytes(inDefault("Nastaveni.ini")).left(original.size()), original)
            << "the original is as it was";
    }
    files.failReplaceTo.clear();
    StorageLocations back(xdgEnv, &files);
    back.resolveAtStartup(program);
    EXPECT_EQ(back.settingsFolder(), defaultFolder());
    EXPECT_EQ(back.lent().message, MessageTable::SetGivenBack);
    EXPECT_FALSE(back.settingsIni().sectionExists(u"pokracovaniTavrek")) << "not resumed a second time";
    EXPECT_EQ(back.alarmsIni().readInteger(u"info", u"pocetBudiku", 0), 1);
    EXPECT_FALSE(QFileInfo::exists(configSet + QStringLiteral("/Budiky.ini")));
    EXPECT_FALSE(QFileInfo::exists(configSet + QStringLiteral("/Nastaveni.ini")));

    StorageLocations later(xdgEnv, &files);
    later.resolveAtStartup(program);
    EXPECT_EQ(later.lent().message, 0) << "told once";

    // Read-only once more: the configuration folder takes the set again, not an empty one.
    const StorageLocations lentAgain = startReadOnly();
    EXPECT_EQ(lentAgain.settingsFolder(), configSet);
    EXPECT_EQ(lentAgain.alarmsIni().readInteger(u"info", u"pocetBudiku", 0), 1);
}

// Originals changed while their copies were in use (the medium was written on another computer): neither
// set replaces the other, the one worked with here stays in use and the user is told. A read-only
// folder whose Umisteni.ini names another place lends nothing: that place is used.
TEST_F(StorageTest, ALentSetNeverOverwritesOriginalsChangedMeanwhileAndAMovedSetIsFollowed) {
    writeBytes(inDefault("Budiky.ini"), "[info]\npocetBudiku=0\n");
    startReadOnly();
    writeBytes(inDefault("Budiky.ini"), "[info]\npocetBudiku=5\n"); // elsewhere
    files.readOnly.clear();
    StorageLocations back(xdgEnv, &files);
    back.resolveAtStartup(program);
    EXPECT_EQ(back.lent().message, MessageTable::SetNotGivenBack);
    EXPECT_EQ(back.settingsFolder(), configSet);
    EXPECT_EQ(readBytes(inDefault("Budiky.ini")), QByteArray("[info]\npocetBudiku=5\n"));

    QDir(config).removeRecursively();
    const QString moved = dir.path() + QStringLiteral("/jinde");
    setLocation(moved.toUtf8());
    writeBytes(moved + QStringLiteral("/Budiky.ini"), "[info]\npocetBudiku=2\n");
    const StorageLocations follows = startReadOnly();
    EXPECT_EQ(follows.settingsFolder(), moved);
    EXPECT_EQ(follows.lent().message, 0);
    EXPECT_FALSE(QFileInfo::exists(configSet + QStringLiteral("/Budiky.ini")));
}

TEST_F(StorageTest, AnInstalledProgramKeepsTheSettingsInTheConfigurationFolderEvenWhenItsFolderIsWritable) {
    writeBytes(program + QStringLiteral("/Data/Nainstalovano.txt"), "installed\n");
    StorageLocations installed(xdgEnv);
    installed.resolveAtStartup(program);
    EXPECT_EQ(installed.settingsFolder(), configSet);
    EXPECT_FALSE(QFileInfo::exists(defaultFolder())) << "nothing made beside the program";
}
