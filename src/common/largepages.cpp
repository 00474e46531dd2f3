#include "common/largepages.h"

#include <QtGlobal>
#include <cstdint>
#include <cstdlib>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace tavrok {

namespace {

constexpr std::uintptr_t LargePage = 2 * 1024 * 1024;

std::uintptr_t roundUp(std::uintptr_t v) {
    return (v + LargePage - 1) & ~(LargePage - 1);
}

} // namespace

#ifdef Q_OS_LINUX

void* allocateLargePages(std::size_t bytes) {
    // Mapped with a page to spare, then trimmed to a region that starts on a large page.
    const std::size_t length = roundUp(bytes);
    void* raw = ::mmap(nullptr, length + LargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        return nullptr;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = roundUp(start);
    if (aligned > start) {
        ::munmap(raw, aligned - start);
    }
    if (const std::uintptr_t tail = start + length + LargePage - (aligned + length); tail > 0) {
        ::munmap(reinterpret_cast<void*>(aligned + length), tail);
    }
    ::madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

void releaseLargePages(void* p, std::size_t bytes) {
    ::munmap(p, roundUp(bytes));
}

void adviseLargePages(void* p, std::size_t bytes) {
    if (bytes < LargeBufferSize) {
        return;
    }
    const std::uintptr_t start = roundUp(reinterpret_cast<std::uintptr_t>(p));
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(LargePage - 1);
    if (end > start) {
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    }
}

#else

void* allocateLargePages(std::size_t bytes) {
    return std::malloc(bytes);
}

void releaseLargePages(void* p, std::size_t) {
    std::free(p);
}

void adviseLargePages(void*, std::size_t) {}

#endif

} // namespace tavrok
