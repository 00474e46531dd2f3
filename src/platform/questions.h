#pragma once

#include <QString>

namespace tavrok {

// Every message box and question of the program goes through this interface. The real one shows a
// modal box with the caption "Tavrok"; tests answer from a script and record what was asked.
enum class MessageIcon { None = 0, Error = 0x10, Question = 0x20, Warning = 0x30, Information = 0x40 };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
// What to do with an engine that runs when the program closes.
enum class RunningChoice { Stop, Pause, KeepRunning, Cancel };

class Questions {
public:
    virtual ~Questions() = default;
    // A box closed without a button (Escape, the window's close box) answers Cancel, or No where the
    // box has no Cancel.
    virtual Answer ask(const QString& text, MessageIcon icon, MessageButtons buttons) = 0;

    void tell(const QString& text, MessageIcon icon) { ask(text, icon, MessageButtons::Ok); }

    // A notice that must be seen at once (the end of a countdown, a ringing alarm): above every other
    // window, with its own caption, an OK button. Returns when it is closed.
    virtual void notify(const QString& caption, const QString& text) = 0;
    // The same with a second button that puts a ringing alarm off (`snooze` is its caption); true when
    // that one was pressed.
    virtual bool notifyOrSnooze(const QString& caption, const QString& text, const QString& snooze) {
        (void)snooze;
        notify(caption, text);
        return false;
    }

    // The running-engine question (TfrmCoSeTavrokem): its two lines of text, four answers.
    virtual RunningChoice askRunning(const QString& line1, const QString& line2) = 0;
};

} // namespace tavrok
