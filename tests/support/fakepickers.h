#pragma once

#include "platform/pickers.h"

#include <QPrinter>
#include <deque>

namespace tavrok::test {

// Colours and fonts answered from a script; an empty script is a cancelled chooser.
class FakePickers final : public Pickers {
public:
    std::deque<QColor> colours;
    std::deque<QFont> fonts;
    QColor screenPixel = Qt::magenta;
    std::optional<QFont> fontShown; // what the font chooser last opened on
    bool fontUntouched = false;     // OK without a change: the chooser gives back what it opened on

    std::optional<QColor> chooseColour(const QColor&) override { return take(colours); }
    std::optional<QFont> chooseFont(const QFont& start) override {
        fontShown = start;
        return fontUntouched ? std::optional<QFont>(start) : take(fonts);
    }
    QColor pixelUnderMouse() override { return screenPixel; }
    // Each print goes to the next PDF file of the script; none left is a cancelled dialog.
    std::deque<QString> printTo;
    bool choosePrinter(QPrinter& printer) override {
        const std::optional<QString> file = take(printTo);
        if (file) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(*file);
        }
        return file.has_value();
    }

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
