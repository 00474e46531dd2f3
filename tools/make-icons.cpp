// Writes the program's icon at the sizes of the hicolor theme: tavrok-icons OUTPUT_FOLDER.
// Each goes to OUTPUT_FOLDER/SIZExSIZE/apps/cz.tavrok.Tavrok.png.
#include "app/programicon.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavrok-icons OUTPUT_FOLDER\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(folder) ||
            !tavrok::drawProgramIcon(size).save(folder + QStringLiteral("/cz.tavrok.Tavrok.png"))) {
            std::fprintf(stderr, "cannot write the icons into %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
