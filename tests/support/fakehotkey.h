#pragma once

#include "platform/globalhotkey.h"

#include <set>
#include <vector>

namespace tavrok::test {

// Records the registrations; `answer` is what the next registration gets.
class FakeHotkey final : public GlobalHotkey {
public:
    Result answer = Result::Registered;
    std::vector<int> registered; // every code asked for, in order
    int held = 0; // the code held now, 0 for none
    std::set<int> missingKeys; // virtual keys this desktop has no key for

    Result registerKey(int code) override {
        registered.push_back(code);
        if (!hasKey(code)) {
            return Result::NoSuchKey;
        }
        if (answer == Result::Registered || answer == Result::OnlyInOwnWindows) {
            held = code;
        }
        return answer;
    }
    bool hasKey(int code) const override { return (code & 0xFF) != 0 && !missingKeys.count(code & 0xFF); }
    void unregisterKey() override { held = 0; }
    void press() {
        if (onPressed && held != 0) {
            onPressed();
        }
    }
};

} // namespace tavrok::test
