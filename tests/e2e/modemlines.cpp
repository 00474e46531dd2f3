// Preloaded into the program by the serial scenario: a pseudo-terminal has no modem lines, so the
// modem-line requests for one device (TAVROK_MODEM_DEVICE) are answered from a state file
// (TAVROK_MODEM_STATE, one number: the TIOCM_* bits, and 0x10000 for a held break). The scenario sets
// the input bits and reads the output bits there. Every other request passes through.
#include <cstdio>
#include <cstdlib>
#include <cstdarg>
#include <dlfcn.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

namespace {

constexpr int Break = 0x10000;
constexpr int Outputs = TIOCM_DTR | TIOCM_RTS;

using IoctlFn = int (*)(int, unsigned long, ...);

bool isTheDevice(int fd) {
    static int known = -1;
    static dev_t device = 0;
    if (known < 0) {
        struct stat st {};
        const char* path = std::getenv("TAVROK_MODEM_DEVICE");
        known = path && stat(path, &st) == 0 ? 1 : 0;
        device = st.st_rdev;
    }
    struct stat st {};
    return known == 1 && fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && st.st_rdev == device;
}

const char* statePath() {
    const char* p = std::getenv("TAVROK_MODEM_STATE");
    return p ? p : "/dev/null";
}

int readState() {
    int v = 0;
    if (FILE* f = std::fopen(statePath(), "r")) {
        if (std::fscanf(f, "%i", &v) != 1) {
            v = 0;
        }
        std::fclose(f);
    }
    return v;
}

void writeState(int v) {
    char temporary[4096];
    std::snprintf(temporary, sizeof temporary, "%s.tmp", statePath());
    if (FILE* f = std::fopen(temporary, "w")) {
        std::fprintf(f, "%d\n", v);
        std::fclose(f);
        std::rename(temporary, statePath());
    }
}

} // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) __THROW {
    std::va_list args;
    va_start(args, request);
    void* arg = va_arg(args, void*);
    va_end(args);
    static IoctlFn real = reinterpret_cast<IoctlFn>(dlsym(RTLD_NEXT, "ioctl"));
    if (isTheDevice(fd)) {
        int* bits = static_cast<int*>(arg);
        switch (request) {
        case TIOCMGET:
            *bits = readState() & ~Break;
            return 0;
        case TIOCMSET:
            writeState((readState() & ~Outputs) | (*bits & Outputs));
            return 0;
        case TIOCMBIS:
            writeState(readState() | (*bits & Outputs));
            return 0;
        case TIOCMBIC:
            writeState(readState() & ~(*bits & Outputs));
            return 0;
        case TIOCSBRK:
            writeState(readState() | Break);
            return 0;
        case TIOCCBRK:
            writeState(readState() & ~Break);
            return 0;
        default:
            break;
        }
    }
    return real(fd, request, arg);
}
