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
constexpr std::uint64_t ResetOnFork = 0x01; // SCHED_FLAG_RESET_ON_FORK: children start afresh
constexpr std::uint64_t ShortSliceNs = 100'000; // the shortest the kernel grants

} // namespace

bool askForShortTimeSlices() {
    SchedAttr attr{};
    if (syscall(SYS_sched_getattr, 0, &attr, sizeof attr, 0) != 0 || attr.policy != NormalPolicy) {
        return false; // a real-time or batch policy someone chose is left alone
    }
    attr.size = sizeof attr;
    attr.flags = ResetOnFork; // a program it launches (a sound player, a browser) does not inherit the slice
    attr.runtimeNs = ShortSliceNs; // the nice value read above is set again unchanged
    if (syscall(SYS_sched_setattr, 0, &attr, 0) != 0) {
        return false;
    }
    // Older kernels take the call and ignore the slice: what they report says whether it holds.
    SchedAttr now{};
    return syscall(SYS_sched_getattr, 0, &now, sizeof now, 0) == 0 && now.runtimeNs == ShortSliceNs;
}

#else

bool askForShortTimeSlices() {
    return false;
}

#endif

} // namespace tavrok
