#pragma once

#include "app/commandline.h"
#include "app/desktopnotifier.h"

#include <QObject>
#include <QString>

#include <functional>

namespace tavrok {

class CountdownPanel;
class FunctionPanel;
class ProgramState;
class StopwatchPanel;

// What an action came to: done, or refused with the reason in the user's language.
struct ActionResult {
    bool done = true;
    QString why;
    static ActionResult refused(QString why) { return {false, std::move(why)}; }
};

// The one set of actions on the program's state. The window's buttons, the split hotkey, the serial lines,
// the command line and the session bus call it, and each answers the same way whoever asks. Starting,
// stopping, pausing, resetting and splits are moments the user or a switch decides: they are taken also
// while a box is open (a ring's message, a question), as the serial lines always took them. Only a new
// countdown length waits until no box is open: it rewrites the digits a dialog or the countdown's end may
// be showing. While the program closes, they wait for its questions: what they changed would not be saved.
class ProgramActions : public QObject {
    Q_OBJECT
public:
    struct Parts {
        ProgramState& state;
        StopwatchPanel& stopwatch;
        CountdownPanel& countdown;
        FunctionPanel& alarms;
        std::function<void()> showWindow;
        std::function<bool()> boxOpen; // a modal box or dialog waits for an answer
    };
    explicit ProgramActions(Parts parts, QObject* parent = nullptr);

    // A stopwatch already running goes on unchanged; a running one is not reset.
    ActionResult stopwatchStart();
    ActionResult stopwatchStop();
    ActionResult stopwatchReset();
    ActionResult split();
    // A paused countdown goes on.
    ActionResult countdownStart();
    ActionResult countdownStop();
    ActionResult countdownPause();
    ActionResult countdownLength(TDateTime length);
    ActionResult show();

    // The window shows a changed state (an engine started or stopped, a ring, another function shown):
    // the watchers are told.
    void notifyChanged() { emit changed(); }
    // The window has loaded what the last run left: from here on others may ask (before it, a start-up
    // box's event loop could carry out an action on a half-loaded state).
    void markReady();
    bool isReady() const { return ready_; }
    // The shutdown sequence saves the state and asks its questions: until it ends or is called off,
    // nothing but showing the window is done (a change would not be saved).
    void setClosing(bool closing) { closing_ = closing; }
    bool closing() const { return closing_; }

    // One step of the command line; several in their order, up to the first refused.
    ActionResult run(const ProgramCommand& command);
    ActionResult run(const std::vector<ProgramCommand>& commands);

signals:
    void ready();
    void alarmRang(const QString& name);
    void countdownEnded();
    void splitTaken(TDateTime elapsed);
    // Anything the watchers read may have changed (an engine started, stopped, a length set, a ring).
    void changed();

private:
    ActionResult refusedWhileBoxOpen(const char* what) const;
    Parts p_;
    bool ready_ = false;
    bool closing_ = false;
};

} // namespace tavrok
