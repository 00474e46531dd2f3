#include "storage/textcodec.h"

#include <QStringDecoder>

namespace tavrok {

namespace {

// Windows-1250 from 0x80 to 0xFF; the five unassigned bytes keep their C1 control code, as Windows maps them.
constexpr char16_t Cp1250High[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

} // namespace

QString decodeWindows1250(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *dst++ = QChar(b < 0x80 ? char16_t(b) : Cp1250High[b - 0x80]);
    }
    return out;
}

namespace {

// A file that is not UTF-8 as a whole, line by line: a line another editor wrote in Windows-1250 into a
// UTF-8 file is read as Windows-1250, and every other line keeps its UTF-8. (A file of the Windows
// version has all its lines in Windows-1250.)
QString decodeLineByLine(QByteArrayView view) {
    QString out;
    out.reserve(view.size());
    for (qsizetype start = 0; start < view.size();) {
        const qsizetype lineBreak = view.indexOf('\n', start);
        const qsizetype end = lineBreak < 0 ? view.size() : lineBreak + 1;
        const QByteArrayView line = view.sliced(start, end - start);
        out += line.isValidUtf8() ? QString::fromUtf8(line) : decodeWindows1250(line);
        start = end;
    }
    return out;
}

// The text without its byte-order mark, or nothing when the bytes are not the encoding they claim.
std::optional<QString> decodeAs(TextEncoding encoding, QByteArrayView view) {
    switch (encoding) {
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        if (view.size() % 2 != 0) {
            return std::nullopt;
        }
        QStringDecoder utf16(encoding == TextEncoding::Utf16LE ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        QString text = utf16.decode(view.sliced(2));
        if (utf16.hasError() || text.contains(QChar(0))) {
            return std::nullopt;
        }
        return text;
    }
    case TextEncoding::Utf8:
    case TextEncoding::Windows1250:
    case TextEncoding::Undecodable:
        break;
    }
    if (view.contains('\0')) {
        return std::nullopt;
    }
    if (view.startsWith("\xEF\xBB\xBF")) {
        view = view.sliced(3);
    }
    return view.isValidUtf8() ? QString::fromUtf8(view) : decodeLineByLine(view);
}

TextEncoding claimedEncoding(QByteArrayView bytes) {
    if (bytes.startsWith("\xFF\xFE")) {
        return TextEncoding::Utf16LE;
    }
    if (bytes.startsWith("\xFE\xFF")) {
        return TextEncoding::Utf16BE;
    }
    return TextEncoding::Utf8;
}

} // namespace

TextEncoding detectTextEncoding(QByteArrayView bytes) {
    const TextEncoding claimed = claimedEncoding(bytes);
    if (!decodeAs(claimed, bytes)) {
        return TextEncoding::Undecodable;
    }
    if (claimed != TextEncoding::Utf8) {
        return claimed;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes); // decoding happens when the result is taken
    return utf8.hasError() ? TextEncoding::Windows1250 : TextEncoding::Utf8;
}

std::optional<QString> tryDecodeTextFile(QByteArrayView bytes) {
    return decodeAs(claimedEncoding(bytes), bytes);
}

std::optional<QByteArray> tryDecodeTextFileAsUtf8(const QByteArray& bytes) {
    if (claimedEncoding(bytes) == TextEncoding::Utf8 && !bytes.contains('\0')) {
        // The mark, and a second one right after it, as the decoder takes them.
        qsizetype marks = 0;
        while (marks < 6 && QByteArrayView(bytes).sliced(marks).startsWith("\xEF\xBB\xBF")) {
            marks += 3;
        }
        if (QByteArrayView(bytes).sliced(marks).isValidUtf8()) {
            return marks > 0 ? bytes.sliced(marks) : bytes;
        }
    }
    std::optional<QString> text = tryDecodeTextFile(bytes);
    return text ? std::optional<QByteArray>(text->toUtf8()) : std::nullopt;
}

QString decodeTextFile(const QByteArray& bytes) {
    return tryDecodeTextFile(bytes).value_or(QString());
}

} // namespace tavrok
