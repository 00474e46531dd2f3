#include "platform/timeslices.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/wait.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <thread>

namespace {

// This thread's scheduling as the kernel reports it: "policy", "prio", "se.slice" (nanoseconds, on kernels
// that have it).
std::map<std::string, long long> threadScheduling() {
    std::map<std::string, long long> values;
    std::ifstream in("/proc/thread-self/sched");
    std::string line;
    while (std::getline(in, line)) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        std::string key = line.substr(0, colon);
        key.erase(key.find_last_not_of(' ') + 1);
        try {
            values[key] = std::stoll(line.substr(colon + 1));
        } catch (const std::exception&) {
        }
    }
    return values;
}

// Runs `body` on a thread of its own: the attributes it changes are that thread's alone.
template <class Body>
void onOwnThread(Body body) {
    std::thread(body).join();
}

TEST(TimeSlices, ShortSlicesAreAskedForWithoutTouchingTheUsersNiceValue) {
    onOwnThread([] {
        ASSERT_EQ(setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 5), 0);
        const auto before = threadScheduling();
        const bool taken = tavrok::askForShortTimeSlices();
        const auto after = threadScheduling();
        EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())), 5) << "a user's nice stays";
        EXPECT_EQ(after.at("prio"), before.at("prio"));
        EXPECT_EQ(after.at("policy"), before.at("policy"));
        if (taken) {
            EXPECT_EQ(after.at("se.slice"), 100'000);
            // A program started from here gets the usual slice back.
            const pid_t child = fork();
            if (child == 0) {
                char text[4096] = {};
                const int fd = open("/proc/thread-self/sched", O_RDONLY);
                const ssize_t n = fd >= 0 ? read(fd, text, sizeof text - 1) : -1;
                const char* slice = n > 0 ? strstr(text, "se.slice") : nullptr;
                _exit(slice && strstr(slice, ": ") && atoll(strchr(slice, ':') + 1) == 100'000 ? 1 : 0);
            }
            int status = -1;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a child kept the short slice";
        } else if (before.contains("se.slice")) {
            EXPECT_EQ(after.at("se.slice"), before.at("se.slice")) << "nothing changes where it is not taken";
        }
    });
}

TEST(TimeSlices, AThreadSomeoneMadeABatchJobIsLeftAlone) {
    onOwnThread([] {
        const sched_param none{};
        ASSERT_EQ(sched_setscheduler(0, SCHED_BATCH, &none), 0);
        const auto before = threadScheduling();
        EXPECT_FALSE(tavrok::askForShortTimeSlices());
        EXPECT_EQ(sched_getscheduler(0), SCHED_BATCH);
        if (before.contains("se.slice")) {
            EXPECT_EQ(threadScheduling().at("se.slice"), before.at("se.slice"));
        }
    });
}

} // namespace
