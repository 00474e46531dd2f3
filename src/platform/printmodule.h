#pragma once

#include "platform/lazymodule.h"
#include "platform/printing.h"

namespace tavrok {

// Printing from its module (tavrok-print, beside the program), loaded at the first print: a start does
// not load Qt's print support. Without the module nothing prints and a print fails.
class PrintModule final : public Printing {
public:
    // `folder`: where the module is looked for.
    explicit PrintModule(QString folder);

    bool choosePrinter(QPrinter& printer) override;
    Outcome printLines(Pickers& pickers, const QString& title, const QStringList& lines,
                       const WhileBusy& whileBusy) override;

    // The module was loaded.
    bool isLoaded() const { return printing_.made() != nullptr; }

private:
    ModuleObject<Printing> printing_;
};

} // namespace tavrok
