#pragma once

#include <algorithm>
#include <cstdio>
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
#include "platform/qtserialport.h"
#include "platform/x11globalhotkey.h"
#include "platform/x11windowlist.h"
#include "platform/qttrayhost.h"

namespace tavrok::bench {

class SilentQuestions final : public Questions {
public:
    Answer ask(const QString&, MessageIcon, MessageButtons) override { return Answer::Ok; }
    void notify(const QString&, const QString&) override {}
    RunningChoice askRunning(const QString&, const QString&) override { return RunningChoice::Stop; }
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
    PlatformServices services() { return {clock, questions, audio, beeper, clockSetter, files, autostart, tray, pickers, serial, hotkey, launcher, windows}; }

    SystemClock clock;
    SilentQuestions questions;
    SdlAudioDevice audio;
    NoBeeper beeper;
    NoClockSetter clockSetter;
    NoFiles files;
    NoLauncher launcher;
    X11WindowList windows;
    XdgAutostart autostart;
    QtTrayHost tray;
    QtPickers pickers;
    QtSerialPort serial;
    X11GlobalHotkey hotkey;
};

// Prints the median, the 95th percentile and the worst of a set of latenesses in milliseconds.
inline int printLateness(const char* what, std::vector<double> ms) {
    if (ms.empty()) {
        std::printf("no %s\n", what);
        return 1;
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms[std::min(ms.size() - 1, static_cast<size_t>(q * ms.size()))]; };
    std::printf("%zu %s after their moment: median %.1f ms, p95 %.1f ms, worst %.1f ms (target: p95 <= 5 ms)\n",
                ms.size(), what, at(0.5), at(0.95), ms.back());
    return 0;
}

} // namespace tavrok::bench
