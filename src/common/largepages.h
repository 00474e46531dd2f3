#pragma once

// Memory for the few big arrays of a long list (a file of 200 000 alarms): taken in large pages where
// the system offers them, so that tens of megabytes are not faulted in 4 KiB at a time. Small requests
// take the ordinary heap.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace tavrok {

// Requests of this size and more go to large pages. Under the address sanitizer everything takes the
// heap, where it is checked (and where the leak checker looks for pointers).
#if defined(__has_feature)
#if __has_feature(address_sanitizer) // clang's way of saying it
#define TAVROK_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(TAVROK_ADDRESS_SANITIZER)
inline constexpr std::size_t LargePageThreshold = SIZE_MAX;
#else
inline constexpr std::size_t LargePageThreshold = 2 * 1024 * 1024;
#endif

// Memory of at least `bytes` (at least the threshold), or nullptr when the system has none to give.
void* allocateLargePages(std::size_t bytes);
void releaseLargePages(void* p, std::size_t bytes);
// Asks for large pages over the whole 2 MiB pages inside [p, p + bytes), when the buffer is at least
// LargeBufferSize: the C library maps such a buffer for itself alone, so the advice ends with it.
// Smaller ones may lie in the heap, whose memory is used again for other things after they are freed.
inline constexpr std::size_t LargeBufferSize = 32 * 1024 * 1024;
void adviseLargePages(void* p, std::size_t bytes);

template <typename T> struct LargePageAllocator {
    using value_type = T;
    LargePageAllocator() = default;
    template <typename U> LargePageAllocator(const LargePageAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= LargePageThreshold) {
            if (void* p = allocateLargePages(bytes)) {
                return static_cast<T*>(p);
            }
            throw std::bad_alloc();
        }
        return std::allocator<T>().allocate(n);
    }
    void deallocate(T* p, std::size_t n) noexcept {
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= LargePageThreshold) {
            releaseLargePages(p, bytes);
        } else {
            std::allocator<T>().deallocate(p, n);
        }
    }
    template <typename U> bool operator==(const LargePageAllocator<U>&) const noexcept { return true; }
};

} // namespace tavrok
