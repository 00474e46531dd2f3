#include "platform/printmodule.h"

namespace tavrok {

PrintModule::PrintModule(QString folder)
    : printing_(std::move(folder), QStringLiteral("tavrok-print"), "tavrok_create_printing") {}

bool PrintModule::choosePrinter(QPrinter& printer) {
    Printing* p = printing_.get();
    return p && p->choosePrinter(printer);
}

Printing::Outcome PrintModule::printLines(Pickers& pickers, const QString& title, const QStringList& lines,
                                          const WhileBusy& whileBusy) {
    Printing* p = printing_.get();
    return p ? p->printLines(pickers, title, lines, whileBusy) : Outcome::Failed;
}

} // namespace tavrok
