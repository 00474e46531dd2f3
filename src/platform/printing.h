#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QPrinter;

namespace tavrok {

class Pickers;

// Printing plain lines on the printer the user picks. The real one lives in a module (tavrok-print) with
// Qt's print support, loaded at the first print.
class Printing {
public:
    enum class Outcome { Printed, Cancelled, Failed };

    virtual ~Printing() = default;
    // The system's print dialog: the printer (or file) and its options go into `printer`; false when
    // cancelled.
    virtual bool choosePrinter(QPrinter& printer) = 0;
    // Shows the work it is given while the user waits for it (a busy cursor, a disabled window).
    using WhileBusy = std::function<void(const std::function<void()>&)>;
    // Asks `pickers` for the printer, then prints the lines in the printer's default font, as many pages
    // as they need, as a job of that title, the printing itself through `whileBusy`.
    virtual Outcome printLines(Pickers& pickers, const QString& title, const QStringList& lines,
                               const WhileBusy& whileBusy) = 0;
};

} // namespace tavrok
