#include "platform/timeslices.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace tavrok {

#ifdef Q_OS_LINUX

namespace {

// The kernel's scheduling attributes, its first version (glibc has no wrapper for these calls).
struct SchedAttr {
    std::uint32_t size;
    std::uint32_t policy;
    std::uint64_t flags;
    std::int32_t nice;
    std::uint32_t priority;
    std::uint64_t runtimeNs; // for the normal policy: the slice asked for (Linux 6.12 on; ignored before)
    std::uint64_t deadlineNs;
    std::uint64_t periodNs;
};

constexpr std::uint32_t NormalPolicy = 0; // SCHED_OTHER
constexpr std::uint64_t ShortSliceNs = 100'000; // the shortest the kernel grants

} // namespace

bool askForShortTimeSlices() {
    SchedAttr attr{};
    if (syscall(SYS_sched_getattr, 0, &attr, sizeof attr, 0) != 0 || attr.policy != NormalPolicy) {
        return false; // a real-time or batch policy someone chose is left alone
    }
    attr.size = sizeof attr;
    attr.flags = 0;
    attr.runtimeNs = ShortSliceNs; // the nice value read above is set again unchanged
    return syscall(SYS_sched_setattr, 0, &attr, 0) == 0;
}

#else

bool askForShortTimeSlices() {
    return false;
}

#endif

} // namespace tavrok
