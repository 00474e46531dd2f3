#include "app/busservice.h"

#include "app/commandline.h"
#include "app/programactions.h"
#include "app/programstate.h"
#include "alarms/snooze.h"
#include "common/programlog.h"
#include "platform/clock.h"
#include "storage/inivalues.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace tavrok {

namespace {
double seconds(TDateTime days) {
    return static_cast<double>(toMilliseconds(days)) / 1000.0;
}
} // namespace

BusService::BusService(ProgramActions& actions, const ProgramState& state, QObject* parent)
    : QObject(parent), actions_(actions), state_(state) {
    connect(&actions_, &ProgramActions::alarmRang, this, &BusService::AlarmRang);
    connect(&actions_, &ProgramActions::countdownEnded, this, &BusService::CountdownEnded);
    connect(&actions_, &ProgramActions::splitTaken, this,
            [this](TDateTime elapsed) { emit SplitTaken(seconds(elapsed)); });
    connect(&actions_, &ProgramActions::changed, this, &BusService::announceChanges);
}

bool BusService::registerOn(QDBusConnection bus) {
    if (!bus.isConnected()) {
        zapisDoLogu(QStringLiteral("No session bus: the program is not offered on it."));
        return false;
    }
    if (!bus.registerObject(QString::fromLatin1(Path), this,
                            QDBusConnection::ExportScriptableSlots |
                                QDBusConnection::ExportScriptableSignals |
                                QDBusConnection::ExportAllProperties)) {
        zapisDoLogu(QStringLiteral("The program's object could not be put on the session bus."));
        return false;
    }
    if (!bus.registerService(QString::fromLatin1(Service))) {
        zapisDoLogu(
            QStringLiteral("The name %1 is taken on the session bus (another copy of the program runs).")
                .arg(QString::fromLatin1(Service)));
        bus.unregisterObject(QString::fromLatin1(Path));
        return false;
    }
    bus_ = bus;
    lastAnnounced_ = announced();
    return true;
}

QVariantMap BusService::announced() const {
    return {{QStringLiteral("Function"), function()},
            {QStringLiteral("StopwatchState"), stopwatchState()},
            {QStringLiteral("CountdownState"), countdownState()},
            {QStringLiteral("NextAlarm"), nextAlarm()},
            {QStringLiteral("NextAlarmTime"), nextAlarmTime()}};
}

void BusService::announceChanges() {
    if (!bus_) {
        return;
    }
    const QVariantMap now = announced();
    QVariantMap changed;
    for (auto it = now.begin(); it != now.end(); ++it) {
        if (lastAnnounced_.value(it.key()) != it.value()) {
            changed.insert(it.key(), it.value());
        }
    }
    if (changed.isEmpty()) {
        return;
    }
    lastAnnounced_ = now;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(Path), QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(Service) << changed << QStringList();
    bus_->send(signal);
}

QString BusService::function() const {
    switch (state_.function()) {
    case Funkce::Budik:
        return QStringLiteral("alarm");
    case Funkce::Tavrok:
        return QStringLiteral("stopwatch");
    case Funkce::Odpocit:
        return QStringLiteral("countdown");
    }
    return {};
}

double BusService::stopwatchSeconds() const {
    const auto& s = state_.stopwatch;
    return seconds(s.running() ? state_.clock.utcNow() - s.start() : s.elapsed());
}

QString BusService::stopwatchState() const {
    return state_.stopwatch.running() ? QStringLiteral("running") : QStringLiteral("stopped");
}

double BusService::countdownSecondsLeft() const {
    const auto& c = state_.countdown;
    return seconds(c.running() ? std::max(0.0, c.end() - state_.clock.utcNow()) : c.left());
}

QString BusService::countdownState() const {
    const auto& c = state_.countdown;
    return c.paused()    ? QStringLiteral("paused")
           : c.running() ? QStringLiteral("running")
                         : QStringLiteral("stopped");
}

QString BusService::nextAlarm() const {
    const std::optional<NextRing> next = state_.nextRing();
    return next ? next->name : QString();
}

QString BusService::nextAlarmTime() const {
    const std::optional<NextRing> next = state_.nextRing();
    return next ? formatIniDateTime(next->at.days()) : QString();
}

void BusService::run(const QStringList& words) {
    const CommandLine line = parseCommandLine(words);
    if (!line.usageError.isEmpty() || line.commands.empty()) {
        // One line: the command line's hint to --help does not belong to a bus call.
        const QString text = fillPlaceholders(state_.messages.text(MessageTable::UsageError), words.join(u' '));
        sendErrorReply(QDBusError::InvalidArgs, text.section(u'\n', 0, 0));
        return;
    }
    if (const ActionResult r = actions_.run(line.commands); !r.done) {
        sendErrorReply(QStringLiteral("cz.tavrok.Tavrok.Error.Refused"), r.why);
    }
}

void BusService::Split() {
    run({QStringLiteral("--split")});
}

void BusService::Stopwatch(const QString& action) {
    run({QStringLiteral("--stopwatch"), action});
}

void BusService::Countdown(const QString& action) {
    run({QStringLiteral("--countdown"), action});
}

void BusService::SetCountdownLength(const QString& length) {
    run({QStringLiteral("--countdown-length"), length});
}

void BusService::Show() {
    run({QStringLiteral("--show")});
}

} // namespace tavrok
