#pragma once

#include "platform/pickers.h"

#include <deque>

namespace tavrok::test {

// Colours and fonts answered from a script; an empty script is a cancelled chooser.
class FakePickers final : public Pickers {
public:
    std::deque<QColor> colours;
    std::deque<QFont> fonts;
    QColor screenPixel = Qt::magenta;

    std::optional<QColor> chooseColour(const QColor&) override { return take(colours); }
    std::optional<QFont> chooseFont(const QFont&) override { return take(fonts); }
    QColor pixelUnderMouse() override { return screenPixel; }

private:
    template <typename T>
    static std::optional<T> take(std::deque<T>& script) {
        if (script.empty()) {
            return std::nullopt;
        }
        T v = script.front();
        script.pop_front();
        return v;
    }
};

} // namespace tavrok::test
