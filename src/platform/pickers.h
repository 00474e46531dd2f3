#pragma once

#include <QColor>
#include <QFont>
#include <optional>

class QPrinter;

namespace tavrok {

// The desktop's colour and font choosers, and the colour of a pixel on the screen; nothing when the
// user cancels.
class Pickers {
public:
    virtual ~Pickers() = default;
    virtual std::optional<QColor> chooseColour(const QColor& start) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& start) = 0;
    // The colour of the screen's pixel under the mouse pointer.
    virtual QColor pixelUnderMouse() = 0;
    // The print dialog: the printer (or file) and its options go into `printer`; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer) = 0;
};

} // namespace tavrok
