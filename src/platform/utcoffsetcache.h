#pragma once

#include <cstdint>
#include <functional>

namespace tavrok {

// The local wall clock's offset from UTC, asked of the system twice about once a second (and at every call
// in the second before a change of offset). Asking costs a look at the time-zone file (its status, at
// least), which running digits would otherwise pay with every frame. An offset is kept for the second
// after the moment it was asked for only when it holds at both ends of that second: no zone changes its
// offset twice within a second, so the kept one is exact, and a change of the system's zone shows within
// a second.
class UtcOffsetCache {
public:
    // The offset in milliseconds at a moment, in milliseconds since 1 January 1970 UTC.
    using Lookup = std::function<std::int64_t(std::int64_t utcMs)>;
    static constexpr std::int64_t KeptMs = 1000;

    explicit UtcOffsetCache(Lookup lookup) : lookup_(std::move(lookup)) {}
    std::int64_t offsetAt(std::int64_t utcMs);

private:
    Lookup lookup_;
    std::int64_t offset_ = 0;
    std::int64_t from_ = 0; // the offset is kept for from_ <= moment < until_
    std::int64_t until_ = 0;
};

} // namespace tavrok
