#pragma once

#include "common/programlog.h"
#include "platform/questions.h"

namespace tavrok {

// The answers when nobody can be asked (the session is ending): every box is answered as if it were
// closed without a button, which starts, overwrites and deletes nothing, and an engine that runs keeps
// running. Each box goes to the program's log instead of the screen.
class UnattendedQuestions : public Questions {
public:
    Answer ask(const QString& text, MessageIcon, MessageButtons buttons) override {
        const Answer a = buttons == MessageButtons::YesNo ? Answer::No : Answer::Cancel;
        zapisDoLogu(QStringLiteral("the session ended; not asked, answered %1: %2").arg(answerName(a), text));
        return a;
    }
    void notify(const QString& caption, const QString& text) override {
        zapisDoLogu(QStringLiteral("the session ended; not shown: %1: %2").arg(caption, text));
    }
    RunningChoice askRunning(const QString& line1, const QString& line2) override {
        zapisDoLogu(QStringLiteral("the session ended; not asked, kept running: %1 %2").arg(line1, line2));
        return RunningChoice::KeepRunning;
    }

    static QString answerName(Answer a) {
        switch (a) {
        case Answer::Ok:
            return QStringLiteral("OK");
        case Answer::Yes:
            return QStringLiteral("Yes");
        case Answer::No:
            return QStringLiteral("No");
        case Answer::Cancel:
            break;
        }
        return QStringLiteral("Cancel");
    }
};

} // namespace tavrok
