#include "stopwatch/splitprinter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace tavrok {

bool printLines(QPrinter& printer, const QString& title, const QStringList& lines) {
    printer.setDocName(title);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QRect page = painter.viewport();
    const QFontMetrics metrics(painter.font(), &printer);
    const int lineHeight = metrics.lineSpacing();
    int y = metrics.ascent();
    for (const QString& line : lines) {
        if (y + metrics.descent() > page.height()) {
            if (!printer.newPage()) {
                printer.abort();
                return false;
            }
            y = metrics.ascent();
        }
        painter.drawText(0, y, line);
        y += lineHeight;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        printer.abort();
        return false;
    }
    return true;
}

} // namespace tavrok
