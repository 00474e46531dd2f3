#pragma once

#include <QObject>

class QSocketNotifier;

namespace tavrok {

// The end of the session as the system announces it: SIGTERM (logout, shutdown, `kill`), SIGHUP (the
// terminal closed), SIGINT (Ctrl+C) and the session manager's request to save. Each becomes the
// `ending` signal, delivered by the event loop, so the program can close in order instead of dying.
class SessionEnd : public QObject {
    Q_OBJECT
public:
    // Holds the terminating signals from here on; call it first thing in main(), before anything
    // slow, so a logout during start-up is remembered rather than fatal. The constructor calls it too.
    static void catchSignals();

    // A signal caught before this object existed is delivered once the event loop runs.
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

signals:
    void ending();

private:
    void readSignal();
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tavrok
