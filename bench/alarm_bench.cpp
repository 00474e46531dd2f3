// (1) Loads and sorts a Budiky.ini of 10 000 alarms (target <= 100 ms).
// (1b) The start's search for missed alarms in the same file, just after every alarm was checked.
// (2) Runs the scheduler on 1 000 000 random schedules with any field values (target: each < 1 ms).
#include "alarms/alarmfile.h"
#include "alarms/missedalarms.h"
#include "storage/inifile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

using namespace tavrok;

int main(int argc, char* argv[]) {
    const int alarms = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int schedules = argc > 2 ? std::atoi(argv[2]) : 1'000'000;
    QRandomGenerator r(1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Budiky.ini"));
    {
        QByteArray text = "[info]\npocetBudiku=" + QByteArray::number(alarms) + "\n";
        for (int i = 1; i <= alarms; ++i) {
            text += QByteArray::number(i) + "=Budík " + QByteArray::number(i) + "\n";
        }
        for (int i = 1; i <= alarms; ++i) {
            const int kind = r.bounded(4);
            text += "\n[Budík " + QByteArray::number(i) + "]\nposledni=1.12.2026 8:00:00\ncas=" +
                    QByteArray::number(r.bounded(24)) + ":" + QByteArray::number(10 + r.bounded(50)) +
                    ":00\nzprava=Zpráva " + QByteArray::number(i) + "\nvzdy=" + (kind == 3 ? "0" : "1") +
                    "\ndoNekonecna=0\nstav=1\nOD=1\nOM=1\nOR=2026\nDD=31\nDM=12\nDR=2030\nKD=" +
                    QByteArray::number(kind == 1 ? r.bounded(1, 29) : 0) + "\nKM=" +
                    QByteArray::number(kind == 2 ? r.bounded(1, 13) : 0) +
                    "\nKR=0\nPo=1\nUt=1\nSt=1\nCt=1\nPa=1\nSo=" + (r.bounded(2) ? "1" : "0") +
                    "\nNe=1\nupozornovat=1\nvlastniZvuk=0\nvlastniZvukCesta=\nnahodnyZvuk=0\nnahodnyZvukCesta=\n"
                    "opakovat=1\ndelka=0\nukoncitKliknutim=1\n";
        }
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size()) {
            return 1;
        }
    }
    const TDateTime now = *tryEncodeDateTime({2026, 12, 7}, {12, 0, 0, 0});
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        IniFile ini(path);
        const SeznamBudiku list = nactiSeznamBudiku(ini, now);
        const double ms = t.nsecsElapsed() / 1e6;
        best = std::min(best, ms);
        std::printf("run %d: %lld alarms loaded and sorted in %.1f ms\n", run + 1,
                    static_cast<long long>(list.seznamNazvuBudiku.size() - 1), ms);
    }
    std::printf("best: %.1f ms (target <= 100 ms)\n", best);
    {
        const TDateTime checked = *tryEncodeDateTime({2026, 12, 1}, {8, 0, 30, 0});
        QElapsedTimer t;
        t.start();
        IniFile ini(path);
        const ZmeskaneBudiky missed = najdiZmeskaneBudiky(ini, checked);
        std::printf("missed-alarm search at start: %.1f ms (%zu found)\n", t.nsecsElapsed() / 1e6, missed.seznam.size());
    }

    double worst = 0;
    double total = 0;
    for (int i = 0; i < schedules; ++i) {
        const auto b = [&] { return r.bounded(2) == 1; };
        const auto byte = [&] { return static_cast<std::uint8_t>(r.bounded(3) ? r.bounded(32) : r.bounded(256)); };
        const auto word = [&] { return static_cast<std::uint16_t>(r.bounded(3) ? r.bounded(10001) : r.bounded(65536)); };
        const std::uint8_t OD = byte(), OM = byte(), DD = byte(), DM = byte(), KD = byte();
        const std::uint8_t KM = static_cast<std::uint8_t>(r.bounded(3) ? r.bounded(13) : r.bounded(256));
        const std::uint16_t OR = word(), DR = word(), KR = r.bounded(2) ? 0 : word();
        const bool f[9] = {b(), b(), b(), b(), b(), b(), b(), b(), b()};
        const TDateTime cas = r.bounded(86'400'000) / MsPerDay;
        const TDateTime at = -693593 + r.bounded(3'652'058) + r.bounded(86'400'000) / MsPerDay;
        const auto started = std::chrono::steady_clock::now();
        (void)vypoctiNejblizsiDatumBudiku(OD, OM, OR, DD, DM, DR, KD, KM, KR, f[0], f[1], f[2], f[3], f[4], f[5],
                                          f[6], f[7], f[8], cas, at);
        const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - started).count();
        worst = std::max(worst, us);
        total += us;
    }
    std::printf("%d random schedules: mean %.2f us, worst %.1f us (target: each < 1000 us)\n", schedules,
                total / schedules, worst);
    return 0;
}
