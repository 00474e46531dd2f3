// The update check as the main window runs it: at the first show, every ten minutes until the updater
// confirms, from the menu; and an update prepared for this start.
#include "platform/registeredmessage.h"
#include "storage/inifile.h"
#include "support/windowfixture.h"
#include "update/updatecheck.h"
#include "update/updatechecker.h"

#include <QAction>
#include <QLocalSocket>
#include <QSignalSpy>

namespace tavrok::test {
namespace {

constexpr double Minute = 1.0 / 1440;

class UpdateWindow : public WindowFixture {
protected:
    QString updater() const { return aktualizace::programAktualizace(dir.path()); }
    void install(const QString& program) {
        writeBytes(program, "#!/bin/sh\n");
        QFile(program).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void tick(double minutes) {
        clock.advanceMs(minutes * Minute * MsPerDay);
        window->tmrAktualizaceCasuTimer();
    }
    void menu() { child<QAction>("mnuZkontrolovatNovouVerzi")->trigger(); }
    // What the updater does when its check is done.
    static void confirm() {
        QLocalSocket socket;
        socket.connectToServer(RegisteredMessage::socketName(QStringLiteral("VerzeZkontrolovana")));
        ASSERT_TRUE(socket.waitForConnected(2000));
        socket.write("VerzeZkontrolovana\n");
        socket.waitForBytesWritten(2000);
        socket.disconnectFromServer();
    }
    TDateTime lastCheck() const { return window->state().lastVersionCheck; }
};

TEST_F(UpdateWindow, FirstStartChecksAtOnceThenEveryTenMinutesUntilConfirmed) {
    install(updater());
    open();
    ASSERT_EQ(launcher.started.size(), 1u) << "no settings yet: the check is due at the first show";
    EXPECT_EQ(launcher.started[0].first, updater());
    EXPECT_TRUE(questions.asked.empty());

    tick(9.9);
    EXPECT_EQ(launcher.started.size(), 1u);
    tick(0.2);
    EXPECT_EQ(launcher.started.size(), 2u) << "no confirmation came: started again after ten minutes";

    ASSERT_TRUE(window->updateChecker().updaterMessage().listening());
    confirm();
    ASSERT_TRUE(QTest::qWaitFor([&] { return lastCheck() == clock.now().days(); })) << "stored";
    tick(29 * 1440);
    tick(24 * 60 - 1);
    EXPECT_EQ(launcher.started.size(), 2u) << "confirmed: nothing for thirty days";
    tick(2);
    EXPECT_EQ(launcher.started.size(), 3u);

    confirm();
    ASSERT_TRUE(QTest::qWaitFor([&] { return lastCheck() == clock.now().days(); })) << "stored";
    window->close();
    const TDateTime stored = IniFile(settingsPath()).readDateTime(u"stavProgramu", u"posledniKontrolaVerze", 0);
    EXPECT_NEAR(stored, clock.now().days(), 1.0 / 86400) << "the moment of the last check outlives the run";
}

TEST_F(UpdateWindow, SwitchedOffTheMenuStillStartsIt) {
    install(updater());
    settings("[nastaveni]\nkontrolovatAktulizace=0\nrozdilovaAktualizace=1\n"
             "[stavProgramu]\nposledniKontrolaVerze=1.1.2000 0:00:00\n");
    open();
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_EQ(lastCheck(), clock.now().days()) << "switched off: the next automatic attempt is thirty days away";
    tick(30 * 1440 + 1);
    EXPECT_TRUE(launcher.started.empty()) << "a month on, still nothing by itself";
    EXPECT_EQ(lastCheck(), clock.now().days());
    menu();
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].second.first(), QStringLiteral("1"));
    EXPECT_TRUE(questions.asked.empty());
}

TEST_F(UpdateWindow, ShowingTheWindowAgainChecksWhenDue) {
    install(updater());
    settings("[stavProgramu]\nposledniKontrolaVerze=1.12.2026 10:00:00\n");
    open();
    EXPECT_TRUE(launcher.started.empty());
    window->hide(); // in the notification area for a month, the ticks not yet run
    clock.advanceMs(30.0 * MsPerDay);
    window->show();
    EXPECT_EQ(launcher.started.size(), 1u);
}

TEST_F(UpdateWindow, NoUpdaterIsToldWhenAskedAndQuietOtherwise) {
    open();
    tick(10.1);
    tick(10.1);
    EXPECT_TRUE(questions.asked.empty()) << "the automatic check does not nag every ten minutes";
    menu();
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text,
              fillPlaceholders(window->messageTable().text(MessageTable::UpdaterMissing), updater()));
    EXPECT_TRUE(window->isVisible()) << "the program carries on";
}

// The session ends while message 63 is open: the box is gone without its button, so the downloader is
// not started, the update waits for the next start, and the program closes as at any session end.
TEST_F(UpdateWindow, TheSessionEndingAtMessage63StartsNoDownloader) {
    install(aktualizace::programStahovace(dir.path()));
    settings("[stavProgramu]\naktualizovatPoSpusteni=1\n");
    create();
    questions.whileOpen = [&](int) {
        questions.unanswered = true;
        window->endSession();
    };
    EXPECT_EQ(showUntilClosed(), 1);
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, window->messageTable().text(63));
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_TRUE(IniFile(settingsPath()).readBool(u"stavProgramu", u"aktualizovatPoSpusteni", false));
}

TEST_F(UpdateWindow, AnUpdatePreparedForThisStartEndsTheProgramBeforeAnythingIsLoaded) {
    install(aktualizace::programStahovace(dir.path()));
    const QByteArray alarms = "[info]\npocetBudiku=1\n1=ráno\n[ráno]\ncas=7:00:00\nstav=1\n";
    writeBytes(data("Nastaveni/Budiky.ini"), alarms);
    settings("[stavProgramu]\naktualizovatPoSpusteni=1\nposledniKontrolaVerze=1.12.2026 10:00:00\n");
    create();
    QSignalSpy closed(window.get(), &TfrmHlavniOkno::closed);
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed.size() == 1; })) << "the program closed for the update";
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, window->messageTable().text(63));
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].second, QStringList{QStringLiteral("Cesky.ini")});
    EXPECT_TRUE(window->alarmClock().seznam().seznamNazvuBudiku.empty()) << "nothing loaded";
    const IniFile after(settingsPath());
    EXPECT_FALSE(after.readBool(u"stavProgramu", u"aktualizovatPoSpusteni", true));
    EXPECT_EQ(after.readString(u"stavProgramu", u"posledniKontrolaVerze", {}), QStringLiteral("1.12.2026 10:00:00"))
        << "the run ends without its shutdown saves";
    const IniFile alarmsAfter(data("Nastaveni/Budiky.ini"));
    EXPECT_EQ(alarmsAfter.readString(u"ráno", u"cas"), QStringLiteral("7:00:00"));
    EXPECT_FALSE(alarmsAfter.valueExists(u"ráno", u"posledni")) << "the alarms were not even looked at";
}

} // namespace
} // namespace tavrok::test
