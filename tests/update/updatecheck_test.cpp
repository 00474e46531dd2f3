// When the updater is started, with what, and what an update prepared for the next start does.
#include "lang/messagetable.h"
#include "storage/inifile.h"
#include "storage/nastaveni.h"
#include "support/diskfull.h"
#include "support/fakelauncher.h"
#include "support/fakequestions.h"
#include "support/tempdir.h"
#include "update/updateafterstart.h"
#include "update/updatecheck.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace tavrok::test {
namespace {

using aktualizace::Spusteni;

constexpr TDateTime Now = 46363.5; // 7.12.2026 12:00
constexpr double Ms = 1.0 / MsPerDay;

void makeProgram(const QString& path) {
    writeBytes(path, "#!/bin/sh\n");
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

class UpdateCheck : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeLauncher launcher;
    FakeWindowList windows;
    TNastaveni options;
    TDateTime last = 0;

    QString settingsPath() const { return dir.path() + QStringLiteral("/Data/Nastaveni/Nastaveni.ini"); }
    QString updater() const { return aktualizace::programAktualizace(dir.path()); }
    Spusteni onDemand(TDateTime now) {
        return aktualizace::spustKontroluNoveVerze(now, last, options, dir.path(), settingsPath(), windows, launcher);
    }
};

TEST(UpdateSchedule, DueOnlyWhenMoreThanThirtyDaysHavePassed) {
    EXPECT_TRUE(aktualizace::kontrolaNaRade(Now, 0)); // never checked: at once
    EXPECT_FALSE(aktualizace::kontrolaNaRade(Now, Now - 30));
    EXPECT_TRUE(aktualizace::kontrolaNaRade(Now + Ms, Now - 30));
    EXPECT_FALSE(aktualizace::kontrolaNaRade(Now, Now - 29.9));
    EXPECT_FALSE(aktualizace::kontrolaNaRade(Now, Now + 5)); // a clock set back: wait, do not loop
}

// Every combination of the update choices, as the settings dialog stores them, on the updater's line.
TEST(UpdateCommandLine, EveryCombinationOfTheStoredChoices) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Nastaveni.ini");
    for (int kind = 1; kind <= 3; ++kind) {
        for (int notify = 0; notify <= 1; ++notify) {
            for (int when = 1; when <= 3; ++when) {
                for (int runas = 0; runas <= 1; ++runas) {
                    const QString language = runas ? QStringLiteral("English") : QStringLiteral("Cesky");
                    const auto flag = [](bool on) { return on ? "1" : "0"; };
                    writeBytes(path, QByteArray("[nastaveni]\nrozdilovaAktualizace=") + flag(kind == 1) +
                                         "\nautomatickaAktualizace=" + flag(kind == 2) +
                                         "\nupozornitNaAktualizaci=" + flag(notify == 1) +
                                         "\naktualizovatPriVypnuti=" + flag(when == 1) +
                                         "\naktualizovatPriSpusteniProgramu=" + flag(when == 2) +
                                         "\nspustitJako=" + flag(runas == 1) + "\njazyk=" + language.toUtf8() + "\n");
                    const IniFile settings(path);
                    const QStringList expected{QString::number(kind), QString::number(notify), QString::number(when),
                                               QString::number(runas), language + QStringLiteral(".ini"),
                                               QStringLiteral("2.51"), path};
                    EXPECT_EQ(aktualizace::prikazovaRadka(nactiNastaveni(settings), path), expected)
                        << kind << notify << when << runas;
                }
            }
        }
    }
    // Nothing stored: automatic-update version, no notice, at exit, offer another user, Czech.
    const QStringList defaults{QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                               QStringLiteral("Cesky.ini"), QStringLiteral("2.51"), QStringLiteral("/a b/N.ini")};
    EXPECT_EQ(aktualizace::prikazovaRadka(TNastaveni{}, QStringLiteral("/a b/N.ini")), defaults);
}

TEST_F(UpdateCheck, MissingUnstartableStartedOrRunningAlready) {
    EXPECT_EQ(onDemand(Now), Spusteni::Chybi);
    writeBytes(updater(), "not a program"); // there, but not executable
    EXPECT_EQ(onDemand(Now), Spusteni::Chybi);
    makeProgram(updater());
    launcher.canStart = false;
    EXPECT_EQ(onDemand(Now), Spusteni::NelzeSpustit);
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_DOUBLE_EQ(last, Now - 30 + 1.0 / 144); // asked again in ten minutes

    launcher.canStart = true;
    windows.titles << QStringLiteral("Aktualizace programu Tavrok - 40 %");
    EXPECT_EQ(onDemand(Now), Spusteni::Spusten); // only the exact title means it runs already
    windows.titles << QStringLiteral("Aktualizace programu Tavrok");
    last = 0;
    EXPECT_EQ(onDemand(Now), Spusteni::UzBezi);
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_DOUBLE_EQ(last, Now - 30 + 1.0 / 144);
}

class UpdateAfterStart : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeLauncher launcher;
    FakeQuestions questions;
    MessageTable messages;

    QString settingsPath() const { return dir.path() + QStringLiteral("/Data/Nastaveni/Nastaveni.ini"); }
    QString downloader() const { return aktualizace::programStahovace(dir.path()); }
    void settings(const QByteArray& extra = {}) {
        writeBytes(settingsPath(), "[stavProgramu]\naktualizovatPoSpusteni=1\n[nastaveni]\n" + extra);
    }
    aktualizace::PoSpusteni run() {
        IniFile ini(settingsPath());
        return aktualizace::aktualizujPoSpusteni(ini, dir.path(), questions, messages, launcher);
    }
    bool flag() const { return IniFile(settingsPath()).readBool(u"stavProgramu", u"aktualizovatPoSpusteni", false); }
};

TEST_F(UpdateAfterStart, NothingPreparedNothingDoneOtherwiseHandsTheUpdateToTheDownloaderAndEnds) {
    writeBytes(settingsPath(), "[stavProgramu]\naktualizovatPoSpusteni=0\n");
    EXPECT_EQ(run(), aktualizace::PoSpusteni::Pokracovat);
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/Data/Aktualizace/Download")));

    settings("jazyk=English\n");
    makeProgram(downloader());
    writeBytes(dir.path() + QStringLiteral("/Test.txt"), "the user's own notes");
    EXPECT_EQ(run(), aktualizace::PoSpusteni::Ukoncit);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, messages.text(63));
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Information);
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].first, downloader());
    EXPECT_EQ(launcher.started[0].second, QStringList{QStringLiteral("English.ini")});
    EXPECT_FALSE(flag());
    EXPECT_TRUE(QFileInfo(dir.path() + QStringLiteral("/Data/Aktualizace/Download")).isDir());
    // The write probes took files of their own and left nothing behind.
    EXPECT_EQ(readBytes(dir.path() + QStringLiteral("/Test.txt")), "the user's own notes");
    EXPECT_EQ(QDir(dir.path() + QStringLiteral("/Data/Aktualizace/Download")).entryList(QDir::Files).size(), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Test.txt")});
}

// The download folder cannot be made (a file stands where it belongs): the downloader is started with an
// administrator's rights. Where the desktop cannot ask for them, or the settings do not offer the log-on,
// the user is told before anything ends and the update is offered again at the next start.
TEST_F(UpdateAfterStart, AFolderTheUserCannotWriteNeedsAnAdministrator) {
    writeBytes(dir.path() + QStringLiteral("/Data/Aktualizace/Download"), "");
    makeProgram(downloader());
    settings();
    EXPECT_EQ(aktualizace::zkusitZapis(dir.path()), aktualizace::Opravneni::Runas);
    launcher.administrator = false; // no pkexec
    EXPECT_EQ(run(), aktualizace::PoSpusteni::Pokracovat);
    ASSERT_EQ(questions.asked.size(), 1u) << "not \"the program will now close\" first";
    EXPECT_EQ(questions.asked[0].text, fillPlaceholders(messages.text(MessageTable::UpdateNotInstallable), downloader()));
    EXPECT_FALSE(flag()) << "told once";

    settings();
    launcher.administrator = true;
    EXPECT_EQ(run(), aktualizace::PoSpusteni::Ukoncit);
    EXPECT_TRUE(launcher.started.empty());
    ASSERT_EQ(launcher.startedAsAdministrator.size(), 1u);
    EXPECT_EQ(launcher.startedAsAdministrator[0].second, QStringList{QStringLiteral("Cesky.ini")});

    questions.asked.clear();
    settings("spustitJako=0\n");
    EXPECT_EQ(run(), aktualizace::PoSpusteni::Pokracovat);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text,
              fillPlaceholders(messages.text(65), dir.path() + QStringLiteral("/Data/Aktualizace/Download")));
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Error);
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_EQ(launcher.startedAsAdministrator.size(), 1u) << "nothing started this time";
    EXPECT_TRUE(flag()); // offered again at the next start
}

TEST_F(UpdateAfterStart, NoDownloaderIsToldPlainlyAndTheStartGoesOn) {
    settings();
    EXPECT_EQ(run(), aktualizace::PoSpusteni::Pokracovat);
    ASSERT_EQ(questions.asked.size(), 1u); // not "the program will now close"
    EXPECT_EQ(questions.asked[0].text, fillPlaceholders(messages.text(MessageTable::UpdateNotInstallable), downloader()));
    EXPECT_FALSE(flag()) << "the update is dropped: the next start asks nothing";
    EXPECT_EQ(run(), aktualizace::PoSpusteni::Pokracovat);
    EXPECT_EQ(questions.asked.size(), 1u);

    questions.asked.clear();
    settings();
    makeProgram(downloader());
    launcher.canStart = false;
    EXPECT_EQ(run(), aktualizace::PoSpusteni::Pokracovat);
    ASSERT_EQ(questions.asked.size(), 2u);
    EXPECT_EQ(questions.asked[1].text, fillPlaceholders(messages.text(MessageTable::UpdateNotInstallable), downloader()));
    EXPECT_FALSE(flag());
}

TEST_F(UpdateAfterStart, AFlagThatCannotBeClearedKeepsTheProgramOpen) {
    settings();
    makeProgram(downloader());
    aktualizace::zkusitZapis(dir.path()); // the folders exist before the disk is full
    IniFile ini(settingsPath());
    aktualizace::PoSpusteni result;
    {
        DiskFull full(16);
        result = aktualizace::aktualizujPoSpusteni(ini, dir.path(), questions, messages, launcher);
    }
    EXPECT_EQ(result, aktualizace::PoSpusteni::Pokracovat);
    ASSERT_EQ(questions.asked.size(), 2u);
    EXPECT_EQ(questions.asked[1].text, fillPlaceholders(messages.text(51), settingsPath()));
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_TRUE(flag());
}

} // namespace
} // namespace tavrok::test
