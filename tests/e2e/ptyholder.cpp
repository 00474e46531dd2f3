// Opens a pseudo-terminal, prints the path of its terminal end and keeps it open until killed: a serial
// port for the scenarios, without hardware.
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

int main() {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("pseudo-terminal");
        return 1;
    }
    std::printf("%s\n", ptsname(master));
    std::fflush(stdout);
    for (;;) {
        pause();
    }
}
