#pragma once

#include <QString>
#include <QStringList>

class QPrinter;

namespace tavrok {

// Prints plain lines in the printer's default font, as many pages as they need, as a job of that
// title. False when the job could not be started or ended with an error (it is then aborted).
bool printLines(QPrinter& printer, const QString& title, const QStringList& lines);

} // namespace tavrok
