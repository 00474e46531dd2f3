#include "platform/qtpickers.h"

#include "platform/printing.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QFontDialog>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace tavrok {

std::optional<QColor> QtPickers::chooseColour(const QColor& start) {
    const QColor c = QColorDialog::getColor(start, QApplication::activeWindow());
    return c.isValid() ? std::optional<QColor>(c) : std::nullopt;
}

std::optional<QFont> QtPickers::chooseFont(const QFont& start) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, start, QApplication::activeWindow());
    return ok ? std::optional<QFont>(f) : std::nullopt;
}

QColor QtPickers::pixelUnderMouse() {
    const QPoint at = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (!screen) {
        return {};
    }
    const QPoint local = at - screen->geometry().topLeft();
    const QImage pixel = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
    return pixel.isNull() ? QColor() : pixel.pixelColor(0, 0);
}

bool QtPickers::choosePrinter(QPrinter& printer) {
    return printing_.choosePrinter(printer);
}

} // namespace tavrok
