// Plays one file through the program's own sound manager on the real device, as an alarm would, for
// the end-to-end sound test. Usage: sound_probe FILE MILLISECONDS
#include "platform/clock.h"
#include "platform/sdlaudiodevice.h"
#include "sound/soundmanager.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

namespace {

class CountingBeeper final : public tavrok::Beeper {
public:
    void informationBeep() override { std::puts("beep"); }
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("usage: sound_probe FILE MILLISECONDS\n", stderr);
        return 2;
    }
    tavrok::SdlAudioDevice device;
    if (!device.open()) {
        std::fputs("no sound device\n", stderr);
        return 1;
    }
    tavrok::SystemClock clock;
    CountingBeeper beeper;
    tavrok::SoundManager sounds(device, clock, beeper, [](const QString& p) { return p; }, [](int) { return 0; });
    QString chosen;
    const QString file = QString::fromLocal8Bit(argv[1]);
    const int id = sounds.obhospodarZvuk(true, true, false, false, true, file, {}, {}, chosen, std::atoi(argv[2]),
                                         clock.utcNow());
    std::printf("playing id %d\n", id);
    std::fflush(stdout);
    while (!sounds.prehravaneZvuky().empty()) {
        sounds.tmrPrehravaniZvukuTimer();
        QThread::msleep(10);
    }
    device.close();
    return id >= 0 ? 0 : 1;
}
