#pragma once

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

// The real window run by a benchmark with nobody at the screen: the real clock and sound device, and
// services that answer every question at once.
#include "platform/audiodevice.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/sdlaudiodevice.h"
#include "platform/services.h"
#include "platform/clocksetter.h"
#include "platform/filedialogs.h"
#include "platform/launcher.h"
#include "platform/questions.h"
#include "platform/qtpickers.h"
#include "platform/printmodule.h"
#include "platform/serialmodule.h"
#include "platform/x11globalhotkey.h"
#include "platform/x11windowlist.h"
#include "platform/qttrayhost.h"

namespace tavrok::bench {

// The real time to the microsecond, read by the benchmark itself when the handling of a ring or an end
// has returned: the program's own clock counts whole milliseconds.
inline UtcTime preciseUtcNow() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return UtcTime(UnixEpochDays + (static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9) / 86'400.0);
}

class SilentQuestions final : public Questions {
public:
    Answer ask(const QString&, MessageIcon, MessageButtons) override { return Answer::Ok; }
    // A ring's notice: the moment a user would see it.
    void notify(const QString&, const QString&) override { notified.push_back(preciseUtcNow()); }
    RunningChoice askRunning(const QString&, const QString&) override { return RunningChoice::Stop; }
    std::vector<UtcTime> notified;
};

// The real sound device, with the moment each sound was asked to start: when a user hears a ring begin.
class StampedAudio final : public AudioDevice {
public:
    bool open() override { return device_.open(); }
    void close() override { device_.close(); }
    bool prepare(const QString& file) override { return device_.prepare(file); }
    bool play(const QString& file) override {
        played.push_back(preciseUtcNow());
        return device_.play(file);
    }
    bool isPlaying(const QString& file) override { return device_.isPlaying(file); }
    qint64 lengthMs(const QString& file) override { return device_.lengthMs(file); }
    void stop(const QString& file) override { device_.stop(file); }
    std::vector<UtcTime> played;

private:
    SdlAudioDevice device_;
};

class NoClockSetter final : public ClockSetter {
public:
    void setLocalTime(TDateTime) override {}
};

class NoBeeper final : public Beeper {
public:
    void informationBeep() override {}
};

class NoFiles final : public FileDialogs {
public:
    QString chooseFile(const QString&, const QString&) override { return {}; }
    QString chooseFolder(const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
};

// Nobody reads help here, and nothing is started.
class NoLauncher final : public Launcher {
public:
    bool openInBrowser(const QString&) override { return true; }
    bool start(const QString&, const QStringList&) override { return true; }
    bool startAsAdministrator(const QString&, const QStringList&) override { return true; }
    bool canStartAsAdministrator() const override { return true; }
};

struct Unattended {
    explicit Unattended(const QString& folder)
        : autostart(folder + QStringLiteral("/autostart"), folder + QStringLiteral("/xdg")) {}
    PlatformServices services() { return {clock, questions, audio, beeper, clockSetter, files, autostart, tray, pickers, printing, serial, hotkey, launcher, windows}; }

    SystemClock clock;
    SilentQuestions questions;
    StampedAudio audio;
    NoBeeper beeper;
    NoClockSetter clockSetter;
    NoFiles files;
    NoLauncher launcher;
    X11WindowList windows;
    XdgAutostart autostart;
    QtTrayHost tray;
    PrintModule printing{QCoreApplication::applicationDirPath() + QStringLiteral("/..")};
    QtPickers pickers{printing};
    SerialModule serial{QCoreApplication::applicationDirPath() + QStringLiteral("/..")}; // as the program finds it
    X11GlobalHotkey hotkey;
};

// Prints the median, the 95th percentile and the worst of a set of latenesses in milliseconds.
// `note`: what stands in brackets after the figures.
inline int printLateness(const char* what, std::vector<double> ms, const char* note = "target: p99 <= 1 ms") {
    if (ms.empty()) {
        std::printf("no %s\n", what);
        return 1;
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms[std::min(ms.size() - 1, static_cast<size_t>(q * ms.size()))]; };
    std::printf("%zu %s after their moment: median %.2f ms, p95 %.2f ms, p99 %.2f ms, worst %.2f ms (%s)\n",
                ms.size(), what, at(0.5), at(0.95), at(0.99), ms.back(), note);
    return 0;
}

} // namespace tavrok::bench
