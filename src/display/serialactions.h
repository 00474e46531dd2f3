#pragma once

#include <array>
#include <deque>
#include <functional>
#include <vector>

namespace tavrok {

// Performs the inputs' actions in the order the lines changed. An action may open a box whose event loop
// polls the lines again: what the lines ask meanwhile runs at once, inside that box, together with the
// actions still waiting behind the open one. An action whose code is still being performed (its box is
// open) is dropped, so a button pressed again never stacks the same box.
class SerialActions {
public:
    using Perform = std::function<void(int action)>;
    void run(const std::vector<int>& actions, const Perform& perform);
    bool busy(int action) const;

private:
    std::deque<int> waiting_;
    std::array<bool, 8> busy_{};
};

} // namespace tavrok
