#pragma once

#include "app/desktopnotifier.h"
#include "common/datetime.h"

#include <QObject>
#include <QString>

class QWidget;
#include <functional>
#include <vector>

namespace tavrok {

// What a tick leaves to be done once the next tick is planned: the message boxes and questions. A box
// runs a nested event loop, and the ticks must go on while it is open.
using AfterTick = std::vector<std::function<void()>>;

class ProgramState;
class Questions;

// The moment of one tick on both scales: the alarms follow the wall clock, the engines count on UTC.
struct TickTime {
    LocalTime local;
    UtcTime utc;
};

// A ringing alarm or an ended countdown with its message: the window comes forward, the notice (captioned
// with the moment it appears) waits for its OK, and a sound that the click ends is ended.
// With `snooze` (the caption of "Odložit"), the box offers to put the ring off: true when it was, and
// its sound ends.
bool showNotice(QWidget* window, Questions& questions, ProgramState& state, const QString& message, int soundId,
                bool clickEndsSound, const QString& snooze = {});

// The controls and handlers of one function (alarm clock, stopwatch, countdown). The main window shows
// the panel of the current function and forwards the shared buttons to it; a panel talks back only
// through stateChanged, and to the other panels only through the program state.
class FunctionPanel : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void setShown(bool shown) = 0;
    virtual void btnVynulovatClick() = 0;
    virtual void btnDalsiClick() = 0;
    // The panel's part of the function tick.
    virtual void tick(const TickTime& now, bool onScreen, AfterTick& after) = 0;
    // Shows the state in the panel's own controls (after a load, a restart or an engine change).
    virtual void refresh() = 0;

    // Where rings are also told while the window is out of sight; none: the boxes alone.
    void setNotifier(DesktopNotifier* notifier) { notifier_ = notifier; }

protected:
    // Announces a ring, an end or an advance notice to whoever watches (the session bus), and tells the
    // desktop, before the window comes forward; the number takes the desktop's notice back.
    quint64 tellDesktop(const Zazvoneni& ring) {
        emit rang(ring);
        return notifier_ ? notifier_->zazvonilo(ring) : 0;
    }
    // The ring's box was closed: its notice goes too.
    void answered(quint64 notice) {
        if (notifier_) {
            notifier_->answered(notice);
        }
    }

signals:
    // An engine or the edited value changed: the window redraws what reads them and plans the tick.
    void stateChanged();
    // An alarm rang (1) or a countdown ended (2): the serial outputs of that event change.
    void serialEvent(int event);
    // An alarm rang, a countdown ended or gave its advance notice.
    void rang(const tavrok::Zazvoneni& ring);

private:
    DesktopNotifier* notifier_ = nullptr;
};

} // namespace tavrok
