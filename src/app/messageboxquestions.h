#pragma once

#include "platform/questions.h"

class QWidget;

namespace tavrok {

class Language;

// Questions asked with a modal QMessageBox captioned "Tavrok". Its nested event loop keeps the timers
// of the program running while the box is open. With the main window as the parent a box stays above
// it, also when the window is kept on top of the others.
class MessageBoxQuestions final : public Questions {
public:
    explicit MessageBoxQuestions(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    // The language of the running-stopwatch question's buttons; none: the built-in Czech.
    void setLanguage(const Language* language) { language_ = language; }
    Answer ask(const QString& text, MessageIcon icon, MessageButtons buttons) override;
    void notify(const QString& caption, const QString& text) override;
    bool notifyOrSnooze(const QString& caption, const QString& text, const QString& snooze) override;
    RunningChoice askRunning(const QString& line1, const QString& line2) override;

private:
    QWidget* parent_;
    const Language* language_ = nullptr;
};

} // namespace tavrok
