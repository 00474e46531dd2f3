#pragma once

#include "platform/questions.h"

#include <QTextStream>

namespace tavrok {

// The answers when nobody can be asked (the session is ending): every question is confirmed, an engine
// that runs keeps running, and what would have been shown goes to the standard error output instead.
class UnattendedQuestions : public Questions {
public:
    Answer ask(const QString& text, MessageIcon, MessageButtons buttons) override {
        log(text);
        return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel ? Answer::Ok : Answer::Yes;
    }
    void notify(const QString& caption, const QString& text) override { log(caption + QStringLiteral(": ") + text); }
    RunningChoice askRunning(const QString&, const QString&) override { return RunningChoice::KeepRunning; }

private:
    static void log(const QString& text) { QTextStream(stderr) << "Tavrok: " << text << Qt::endl; }
};

} // namespace tavrok
