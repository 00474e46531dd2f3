#pragma once

// Platform services for benchmarks that run the real window without anyone at the screen.
#include "platform/audiodevice.h"
#include "platform/clocksetter.h"
#include "platform/filedialogs.h"
#include "platform/questions.h"

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
    QString chooseFile(const QString&) override { return {}; }
    QString chooseFolder(const QString&) override { return {}; }
};

} // namespace tavrok::bench
