#pragma once

// A full disk as the writer meets it: while one of these lives, no file of this process may grow past
// `bytes` (a write beyond fails with EFBIG, as one on a full file system fails with ENOSPC).
#include <csignal>
#include <sys/resource.h>

namespace tavrok::test {

class DiskFull {
public:
    explicit DiskFull(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~DiskFull() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = SIG_DFL;
};

} // namespace tavrok::test
