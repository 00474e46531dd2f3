// How late alarms ring: the real main window (offscreen) with the real clock and timers watches 200
// alarms one second apart and records how long after its moment each one's sound was started, read to
// the microsecond. Target: p99 within 1 ms.
#include "alarms/alarmfile.h"
#include "app/tfrmhlavniokno.h"
#include "alarms/alarmpanel.h"
#include "platform/application.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/clocksetter.h"
#include "platform/questions.h"
#include "platform/sdlaudiodevice.h"
#include "unattended.h"
#include "storage/inifile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>


int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    tavrok::setUpApplication(app);
    const int count = argc > 1 ? std::atoi(argv[1]) : 50;

    QTemporaryDir dir;
    tavrok::bench::Unattended unattended(dir.filePath(QStringLiteral("session")));
    const tavrok::Clock& clock = unattended.clock;
    tavrok::TDateTime first = 0; // the first alarm's moment, local
    {
        // One-off alarms a second apart, starting three seconds from now, written as one change.
        QDir().mkpath(dir.filePath(QStringLiteral("Data/Nastaveni")));
        tavrok::IniFile ini(dir.filePath(QStringLiteral("Data/Nastaveni/Budiky.ini")));
        tavrok::IniBatch batch(ini);
        first = std::ceil(clock.now().days() * 86400.0 + 3) / 86400.0;
        batch.writeInteger(u"info", u"pocetBudiku", count);
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral("b%1").arg(i);
            const tavrok::TDateTime at = first + i / 86400.0;
            const tavrok::DateParts d = tavrok::decodeDate(at);
            batch.writeString(u"info", QString::number(i + 1), name);
            batch.writeTime(name, u"cas", tavrok::timeOf(at));
            batch.writeBool(name, u"stav", true);
            batch.writeInteger(name, u"KD", d.day);
            batch.writeInteger(name, u"KM", d.month);
            batch.writeInteger(name, u"KR", d.year);
            batch.writeBool(name, u"upozornovat", true); // the ring's sound: its start is the ring
        }
        if (!batch.commit()) {
            std::puts("cannot write the alarms");
            return 1;
        }
    }
    tavrok::TfrmHlavniOkno window(dir.path(), unattended.services());
    window.show();

    std::vector<double> lateness;
    int seen = window.alarmPanel().alarmsRung();
    QElapsedTimer guard;
    guard.start();
    while (static_cast<int>(lateness.size()) < count && guard.elapsed() < count * 1000 + 10'000) {
        // Asleep until the program's own timers wake it, as when it runs alone (the overload with a
        // time limit would not wait: it keeps a core busy and flatters every figure).
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (window.alarmPanel().alarmsRung() != seen) {
            seen = window.alarmPanel().alarmsRung();
            const tavrok::UtcTime due =
                tavrok::utcFromLocal(tavrok::LocalTime(first + static_cast<double>(lateness.size()) / 86400.0));
            const auto& played = unattended.audio.played;
            const tavrok::UtcTime heard = played.empty() ? tavrok::bench::preciseUtcNow() : played.back();
            lateness.push_back((heard - due) * tavrok::MsPerDay);
        }
    }
    return tavrok::bench::printLateness("alarms rang", lateness);
}
