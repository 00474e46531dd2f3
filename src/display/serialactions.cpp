#include "display/serialactions.h"

namespace tavrok {

bool SerialActions::busy(int action) const {
    return action >= 0 && action < static_cast<int>(busy_.size()) && busy_[static_cast<size_t>(action)];
}

void SerialActions::run(const std::vector<int>& actions, const Perform& perform) {
    waiting_.insert(waiting_.end(), actions.begin(), actions.end());
    while (!waiting_.empty()) {
        const int action = waiting_.front();
        waiting_.pop_front();
        if (action < 0 || action >= static_cast<int>(busy_.size()) || busy(action)) {
            continue;
        }
        bool& running = busy_[static_cast<size_t>(action)];
        running = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{running};
        perform(action);
    }
}

} // namespace tavrok
