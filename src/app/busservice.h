#pragma once

#include "common/datetime.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace tavrok {

class ProgramActions;
class ProgramState;

// The program on the session bus: service cz.tavrok.Tavrok, object /cz/tavrok/Tavrok, interface
// cz.tavrok.Tavrok. Its methods are the command line's switches and go through the same actions; a
// refused one answers with the error cz.tavrok.Tavrok.Error.Refused and the reason. Its properties read
// the program state; its signals tell of rings, ends and splits.
class BusService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "cz.tavrok.Tavrok")
    // "alarm", "stopwatch" or "countdown": the function the window shows.
    Q_PROPERTY(QString Function READ function)
    Q_PROPERTY(double StopwatchSeconds READ stopwatchSeconds)
    Q_PROPERTY(QString StopwatchState READ stopwatchState) // "running" or "stopped"
    Q_PROPERTY(double CountdownSecondsLeft READ countdownSecondsLeft)
    Q_PROPERTY(QString CountdownState READ countdownState) // "running", "paused" or "stopped"
    Q_PROPERTY(QString NextAlarm READ nextAlarm)           // its name (a snoozed one too); empty when none
    Q_PROPERTY(QString NextAlarmTime READ nextAlarmTime)   // "d.M.yyyy H:mm:ss", local time
    // org.freedesktop.DBus.Properties.PropertiesChanged tells of changes to all but the two running
    // counts of seconds, which are read when asked.

public:
    static constexpr char Service[] = "cz.tavrok.Tavrok";
    static constexpr char Path[] = "/cz/tavrok/Tavrok";

    BusService(ProgramActions& actions, const ProgramState& state, QObject* parent = nullptr);
    // Registers the object and the service name; false (said in the log) when the bus or the name is
    // not to be had, as with a second installation of the program already on it.
    bool registerOn(QDBusConnection bus);

    QString function() const;
    double stopwatchSeconds() const;
    QString stopwatchState() const;
    double countdownSecondsLeft() const;
    QString countdownState() const;
    QString nextAlarm() const;
    QString nextAlarmTime() const;

    // Compares the announced properties with what was last sent and sends what changed.
    void announceChanges();

public slots:
    Q_SCRIPTABLE void Split();
    Q_SCRIPTABLE void Stopwatch(const QString& action);          // start, stop, reset
    Q_SCRIPTABLE void Countdown(const QString& action);          // start, stop, pause
    Q_SCRIPTABLE void SetCountdownLength(const QString& length); // H:MM:SS
    Q_SCRIPTABLE void Show();

signals:
    Q_SCRIPTABLE void AlarmRang(const QString& name);
    Q_SCRIPTABLE void CountdownEnded();
    Q_SCRIPTABLE void SplitTaken(double seconds);

private:
    // The words as the command line has them, carried out or answered with an error.
    void run(const QStringList& words);
    QVariantMap announced() const;

    ProgramActions& actions_;
    const ProgramState& state_;
    std::optional<QDBusConnection> bus_;
    QVariantMap lastAnnounced_;
};

} // namespace tavrok
