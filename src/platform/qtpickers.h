#pragma once

#include "platform/pickers.h"

namespace tavrok {

class Printing;

// The desktop's choosers through Qt's dialogs; the print dialog through the printing module.
class QtPickers final : public Pickers {
public:
    explicit QtPickers(Printing& printing) : printing_(printing) {}
    std::optional<QColor> chooseColour(const QColor& start) override;
    std::optional<QFont> chooseFont(const QFont& start) override;
    QColor pixelUnderMouse() override;
    bool choosePrinter(QPrinter& printer) override;

private:
    Printing& printing_;
};

} // namespace tavrok
