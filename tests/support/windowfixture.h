#pragma once

// The real main window on the offscreen platform with fake services: the base of the window tests.
#include "app/tfrmhlavniokno.h"
#include "platform/autostart.h"
#include "platform/printmodule.h"
#include "support/fakeaudiodevice.h"
#include "support/fakeclock.h"
#include "support/fakequestions.h"
#include "support/fakepickers.h"
#include "support/fakeserialport.h"
#include "support/fakehotkey.h"
#include "support/fakelauncher.h"
#include "support/faketray.h"
#include "support/tempdir.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace tavrok::test {

// Under AddressSanitizer freed memory waits in a quarantine, so the resident size says nothing there;
// LeakSanitizer checks what is left at exit instead.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool MeasuresResidentMemory = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool MeasuresResidentMemory = false;
#else
inline constexpr bool MeasuresResidentMemory = true;
#endif
#else
inline constexpr bool MeasuresResidentMemory = true;
#endif

class WindowFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeClock clock{*tryEncodeDateTime({2026, 12, 6}, {10, 0, 0, 0})};
    FakeQuestions questions;
    FakeAudioDevice audio{clock};
    FakeBeeper beeper;
    FakeClockSetter clockSetter{clock};
    ScriptedFiles files;
    FakeTray tray;
    FakePickers pickers;
    PrintModule printing{QStringLiteral(TAVROK_MODULE_DIR)}; // real printing, onto the pickers' files
    FakeSerialPort serial;
    FakeHotkey hotkey;
    FakeHotkey pickerKey;
    FakeLauncher launcher;
    FakeWindowList windows;
    XdgAutostart autostart{dir.path() + QStringLiteral("/xdg/autostart"), dir.path() + QStringLiteral("/etc/autostart")};
    DesktopNotifications* notifications = nullptr; // the desktop's, when a test gives one
    std::unique_ptr<TfrmHlavniOkno> window;

    // The standard sounds the program ships with, and a Czech language file that names this version
    // (its texts are the built-in ones).
    void SetUp() override {
        // Sockets other programs reach the window by go to this test's own runtime folder.
        const QString runtime = dir.path() + QStringLiteral("/runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
        // A settings folder that cannot be written sends the program to the configuration folder.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + QStringLiteral("/config")));
        writeBytes(data("Jazyky/Cesky.ini"), "[info]\nprogram=Tavrok\n[verzeProgramu]\npocet=1\nverze1=2.51\n");
        for (const char* name : {"Zvonek.wav", "Signalk.wav", "Signald.wav"}) {
            const QString path = data("Zvuky/Standard/") + QString::fromLatin1(name);
            writeBytes(path, "RIFF");
            audio.files[path] = 1000;
        }
    }

    QString data(const char* relative) const {
        return dir.path() + QStringLiteral("/Data/") + QString::fromLatin1(relative);
    }
    QString settingsPath() const { return data("Nastaveni/Nastaveni.ini"); }
    void settings(const QByteArray& ini) { writeBytes(settingsPath(), ini); }

    void create() {
        window = std::make_unique<TfrmHlavniOkno>(
            dir.path(), PlatformServices{clock, questions, audio, beeper, clockSetter, files, autostart, tray,
                                         pickers, printing, serial, hotkey, launcher, windows, &pickerKey, notifications});
    }
    void open() {
        create();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <typename W = QWidget>
    static W* childOf(const QObject* root, const char* name) {
        auto* w = root->findChild<W*>(QString::fromLatin1(name));
        if (!w) {
            throw std::runtime_error(std::string("no control ") + name);
        }
        return w;
    }

    template <typename W = QWidget>
    W* child(const char* name) const {
        return childOf<W>(window.get(), name);
    }
    void click(const char* name) { QTest::mouseClick(child(name), Qt::LeftButton); }
    // Types on the digits as a user does after a click on a button: no edit has the focus.
    void typeOnDigits(const char* keys) {
        child("btnZapnout")->setFocus();
        QTest::keyClicks(child("btnZapnout"), QString::fromLatin1(keys));
    }
    // Shows the window under the application's loop, as the program runs it, until it closes (at most
    // 5 s); how often it said it closed. A session's end keeps any other loop from running.
    int showUntilClosed() {
        QSignalSpy closed(window.get(), &TfrmHlavniOkno::closed);
        QObject::connect(window.get(), &TfrmHlavniOkno::closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        window->show();
        QTimer::singleShot(5000, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
        return static_cast<int>(closed.count());
    }
    // A session ended outside the application's loop leaves that loop to end: it runs once, empty, so
    // the next test's loops run again.
    static void endTheApplicationsLoop() {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }
    void runFor(double ms) {
        clock.advanceMs(ms);
        window->tmrFunkceTimer();
    }
    // Time passes with a tick every ten seconds, as the running program has them.
    void minutesPass(double minutes) {
        for (int i = 0; i < minutes * 6; ++i) {
            runFor(10'000);
        }
    }
    void startStopwatch() {
        click("lblFceTavrok");
        click("btnZapnout");
    }
    void startCountdown(const char* digits, const char* message = "", bool repeat = false) {
        click("lblFceOdpocit");
        typeOnDigits(digits);
        QTest::keyClicks(child("edtOdpZprava"), QString::fromLatin1(message));
        child<QCheckBox>("chbOdpOpakovat")->setChecked(repeat);
        click("btnZapnout");
    }
    struct Alarm {
        const char* name;
        const char* time;
        const char* message = nullptr; // the name when none
    };
    // The alarm file with these daily alarms, switched on and last checked at `checked`.
    void dailyAlarms(std::initializer_list<Alarm> alarms, const char* checked = "6.12.2026 9:00:00") {
        QByteArray info = "[info]\npocetBudiku=" + QByteArray::number(static_cast<int>(alarms.size())) + '\n';
        QByteArray sections;
        int i = 0;
        for (const Alarm& a : alarms) {
            info += QByteArray::number(++i) + '=' + a.name + '\n';
            sections += QByteArray("[") + a.name + "]\ncas=" + a.time + "\nzprava=" +
                        (a.message ? a.message : a.name) +
                        "\nstav=1\nvzdy=1\nOD=1\nOM=1\nOR=2000\nDD=1\nDM=1\nDR=2000\nKD=0\nKM=0\nKR=0\n"
                        "posledni=" + checked + '\n';
        }
        writeBytes(data("Nastaveni/Budiky.ini"), info + sections);
    }
    static qint64 residentKiB() {
        QFile statm(QStringLiteral("/proc/self/statm"));
        const QList<QByteArray> fields =
            statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ') : QList<QByteArray>();
        return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) / 1024 : 0;
    }
    // Two splits, 1 s and 1.5 s after the start, and the stopwatch stopped.
    void takeTwoSplits() {
        click("lblFceTavrok");
        click("btnZapnout");
        runFor(1000);
        click("btnTvrMezicas");
        runFor(500);
        click("btnTvrMezicas");
        click("btnZapnout");
    }
    // "HH:MM:SS.mmm" as the digit labels show it.
    QString digits() const {
        return child<QLabel>("lblH")->text() + u':' + child<QLabel>("lblM")->text() + u':' +
               child<QLabel>("lblS")->text() + u'.' + child<QLabel>("lblMs")->text();
    }

    // Opens a modal dialog with `open`, lets `edit` work on it and presses its button.
    static void editAndPress(const QObject* dialog, const std::function<void()>& edit, const char* button,
                             const std::function<void()>& open) {
        // Tied to the dialog: a press that never came (the dialog did not open) dies with it instead of
        // firing into a later test.
        QTimer::singleShot(0, dialog, [=] {
            edit();
            QTest::mouseClick(childOf(dialog, button), Qt::LeftButton);
        });
        open();
    }
};

} // namespace tavrok::test
