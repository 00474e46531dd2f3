#pragma once

#include "platform/filedialogs.h"
#include "platform/questions.h"

#include <QEventLoop>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <deque>
#include <stdexcept>
#include <vector>

namespace tavrok::test {

// Answers from a script, in order, and records every box that was shown. A question without a
// scripted answer fails the test: the rule asked something the test did not expect. Like a real box,
// each one runs a nested event loop while it is open: `whileOpen` (given how many boxes are open) is
// what happens meanwhile; the box closes when it returns.
class FakeQuestions final : public Questions {
public:
    std::function<void(int depth)> whileOpen;
    int open = 0;
    // Boxes ended from outside, as the session's end ends a real one: answered as closed without a
    // button (Cancel, or No where there is no Cancel), with nothing taken from the script.
    bool unanswered = false;

    struct Asked {
        QString text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    void script(std::initializer_list<Answer> answers) { answers_.insert(answers_.end(), answers); }

    Answer ask(const QString& text, MessageIcon icon, MessageButtons buttons) override {
        asked.push_back({text, icon, buttons});
        runBox();
        if (unanswered) {
            return buttons == MessageButtons::YesNo ? Answer::No : Answer::Cancel;
        }
        if (buttons == MessageButtons::Ok) {
            return Answer::Ok;
        }
        if (answers_.empty()) {
            throw std::logic_error("unexpected question: " + text.toStdString());
        }
        const Answer a = answers_.front();
        answers_.pop_front();
        return a;
    }

    void notify(const QString& caption, const QString& text) override {
        notices.push_back({caption, text});
        runBox();
    }
    // Pressed on the next boxes that offer it, one each; recorded in `snoozeOffered`.
    int snoozeAnswers = 0;
    QStringList snoozeOffered;
    bool notifyOrSnooze(const QString& caption, const QString& text, const QString& snooze) override {
        snoozeOffered << snooze;
        notify(caption, text);
        return snoozeAnswers > 0 && snoozeAnswers-- > 0;
    }

    RunningChoice askRunning(const QString& line1, const QString& line2) override {
        runningAsked.push_back(line1 + u' ' + line2);
        if (runningAnswers.empty()) {
            throw std::logic_error("unexpected running question");
        }
        const RunningChoice c = runningAnswers.front();
        runningAnswers.pop_front();
        return c;
    }
    std::deque<RunningChoice> runningAnswers;
    QStringList runningAsked;

    bool allAnswered() const { return answers_.empty(); }

    struct Notice {
        QString caption;
        QString text;
    };
    std::vector<Notice> notices;

    std::vector<Asked> asked;

private:
    void runBox() {
        if (!whileOpen) {
            return;
        }
        ++open;
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [this, &loop] {
            const auto meanwhile = whileOpen; // the callback may replace itself
            meanwhile(open);
            loop.quit();
        });
        loop.exec();
        --open;
    }

    std::deque<Answer> answers_;
};

// File and folder choices answered from a script: an empty answer is a cancelled dialog.
class ScriptedFiles final : public FileDialogs {
public:
    QStringList files;
    QStringList folders;
    QString chooseFile(const QString&, const QString& = {}) override {
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString chooseFolder(const QString&) override { return folders.isEmpty() ? QString() : folders.takeFirst(); }
    QStringList saveFiles;
    QString chooseSaveFile(const QString&, const QString&, const QString&) override {
        return saveFiles.isEmpty() ? QString() : saveFiles.takeFirst();
    }
};

} // namespace tavrok::test
