#include "platform/utcoffsetcache.h"

namespace tavrok {

std::int64_t UtcOffsetCache::offsetAt(std::int64_t utcMs) {
    if (utcMs >= from_ && utcMs < until_) {
        return offset_;
    }
    const std::int64_t offset = lookup_(utcMs);
    if (lookup_(utcMs + KeptMs) == offset) {
        offset_ = offset;
        from_ = utcMs;
        until_ = utcMs + KeptMs;
    } else {
        until_ = from_; // the offset changes within the second: asked each time until past it
    }
    return offset;
}

} // namespace tavrok
