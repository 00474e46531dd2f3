#include "app/applicationtitle.h"

#include "storage/inivalues.h"

namespace tavrok {

TitleSource titleSource(Funkce current, bool stopwatchRunning, bool countdownRunning) {
    if (stopwatchRunning && (current == Funkce::Tavrok || !countdownRunning)) {
        return TitleSource::Stopwatch;
    }
    if (countdownRunning && (current == Funkce::Odpocit || !stopwatchRunning)) {
        return TitleSource::Countdown;
    }
    return TitleSource::Clock;
}

QChar titleLetter(const QString& caption) {
    for (const QChar c : caption) {
        if (c != u' ' && c.unicode() != 160) {
            return c;
        }
    }
    return u'?';
}

QString engineTitle(QChar letter, const DisplayParts& p) {
    return QString(letter) + QStringLiteral(": ") + p.days + u';' + p.hours + u':' + p.minutes + u':' + p.seconds;
}

QString formatClockLine(TDateTime now, const DayNames& days) {
    // The same fixed date and time form as the settings files use.
    return days.forWeekday(dayOfWeek(now)) + u' ' + formatIniDateTime(now);
}

} // namespace tavrok
