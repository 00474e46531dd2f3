#pragma once

#include <QByteArray>
#include <QString>

namespace tavrok {

// Text files of the program are written as UTF-8. Reading takes UTF-8 with or without a byte-order
// mark and falls back to Windows-1250 (the files of the Windows version) when the bytes are not UTF-8.
QString decodeTextFile(const QByteArray& bytes);
QString decodeWindows1250(QByteArrayView bytes);

} // namespace tavrok
