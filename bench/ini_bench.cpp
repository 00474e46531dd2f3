// Reads back 10 000 sections of 30 keys key by key from a file written beforehand; the time includes
// parsing the file. Usage: ini_bench [sections] [keys]
#include "storage/inifile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[]) {
    const int sections = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int keys = argc > 2 ? std::atoi(argv[2]) : 30;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Budiky.ini"));
    {
        QByteArray text;
        for (int s = 0; s < sections; ++s) {
            text += "[Budík " + QByteArray::number(s) + "]\n";
            for (int k = 0; k < keys; ++k) {
                text += "klic" + QByteArray::number(k) + "=" + QByteArray::number(s * 1000 + k) + "\n";
            }
        }
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    QStringList sectionNames;
    QStringList keyNames;
    for (int s = 0; s < sections; ++s) {
        sectionNames << QStringLiteral("Budík %1").arg(s);
    }
    for (int k = 0; k < keys; ++k) {
        keyNames << QStringLiteral("klic%1").arg(k);
    }

    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        tavrok::IniFile ini(path);
        qint64 sum = 0;
        for (int s = 0; s < sections; ++s) {
            for (int k = 0; k < keys; ++k) {
                sum += ini.readInteger(sectionNames[s], keyNames[k], -1);
            }
        }
        const double ms = timer.nsecsElapsed() / 1e6;
        best = std::min(best, ms);
        std::printf("run %d: %d sections x %d keys read in %.1f ms (checksum %lld)\n", run + 1, sections, keys,
                    ms, static_cast<long long>(sum));
    }
    std::printf("best: %.1f ms (target <= 200 ms)\n", best);
    return 0;
}
