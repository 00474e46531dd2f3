#pragma once

#include "platform/pickers.h"

namespace tavrok {

class QtPickers final : public Pickers {
public:
    std::optional<QColor> chooseColour(const QColor& start) override;
    std::optional<QFont> chooseFont(const QFont& start) override;
    QColor pixelUnderMouse() override;
    bool choosePrinter(QPrinter& printer) override;
};

} // namespace tavrok
