// The entry of the print module: the program loads it at its first print.
#include "platform/pickers.h"
#include "platform/printing.h"
#include "stopwatch/splitprinter.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace {

class QtPrinting final : public tavrok::Printing {
public:
    bool choosePrinter(QPrinter& printer) override {
        QPrintDialog dialog(&printer, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    }
    Outcome printLines(tavrok::Pickers& pickers, const QString& title, const QStringList& lines,
                       const WhileBusy& whileBusy) override {
        QPrinter printer;
        if (!pickers.choosePrinter(printer)) {
            return Outcome::Cancelled;
        }
        bool printed = false;
        whileBusy([&] { printed = tavrok::printLines(printer, title, lines); });
        return printed ? Outcome::Printed : Outcome::Failed;
    }
};

} // namespace

extern "C" Q_DECL_EXPORT tavrok::Printing* tavrok_create_printing() {
    return new QtPrinting;
}
