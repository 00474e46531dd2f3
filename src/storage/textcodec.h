#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tavrok {

// Text files of the program are written as UTF-8. Reading takes UTF-8 with or without a byte-order
// mark, UTF-16 with its byte-order mark (what editors save as "Unicode"), and falls back to
// Windows-1250 (the files of the Windows version) for each line whose bytes are not UTF-8. Bytes that are no text
// at all (NUL bytes without a UTF-16 mark, broken UTF-16) are undecodable and read as nothing.
enum class TextEncoding { Utf8, Utf16LE, Utf16BE, Windows1250, Undecodable };
TextEncoding detectTextEncoding(QByteArrayView bytes);
std::optional<QString> tryDecodeTextFile(QByteArrayView bytes); // nothing when undecodable
// The same text as UTF-8: bytes that are UTF-8 already (without a byte-order mark) are returned as they
// are, sharing their data.
std::optional<QByteArray> tryDecodeTextFileAsUtf8(const QByteArray& bytes);
QString decodeTextFile(const QByteArray& bytes);
QString decodeWindows1250(QByteArrayView bytes);

} // namespace tavrok
