// Makes the kill test's saves from round FIRST on, one after another, until it is killed; prints
// "done N" once round N's save has returned.
#include "reliability/saverounds.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc < 3) {
        return 2;
    }
    const tavrok::reliability::Files files{QString::fromLocal8Bit(argv[1])};
    for (int round = std::atoi(argv[2]);; ++round) {
        if (!tavrok::reliability::save(files, round)) {
            std::printf("failed %d\n", round);
            return 1;
        }
        std::printf("done %d\n", round);
        std::fflush(stdout);
    }
}
