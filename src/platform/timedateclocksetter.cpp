#include "platform/timedateclocksetter.h"

#include <QDBusConnection>
#include <QDBusInterface>

namespace tavrok {

void TimedateClockSetter::setLocalTime(TDateTime local) {
    const qint64 usecUtc = toQDateTime(local).toMSecsSinceEpoch() * 1000;
    QDBusInterface timedate(QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
                            QStringLiteral("org.freedesktop.timedate1"), QDBusConnection::systemBus());
    if (timedate.isValid()) {
        // Absolute time, with interactive authorisation. The call waits for the answer (the desktop may
        // ask for a password) while the program's events go on; the answer itself is not used.
        timedate.setTimeout(120'000);
        timedate.call(QDBus::BlockWithGui, QStringLiteral("SetTime"), QVariant::fromValue(usecUtc), false, true);
    }
}

} // namespace tavrok
