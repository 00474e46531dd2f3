#include "storage/inivalues.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace tavrok {

std::optional<int> parseIniInteger(QStringView text) {
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    int base = 10;
    if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.sliced(2);
    } else if (text.startsWith(u'$')) {
        base = 16;
        text = text.sliced(1);
    }
    if (text.isEmpty() || text.front() == u'-' || text.front() == u'+' || text.front().isSpace()) {
        return std::nullopt;
    }
    qulonglong magnitude = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        int digit = 0;
        if (u >= '0' && u <= '9') {
            digit = u - '0';
        } else if (base == 16 && (u | 0x20) >= 'a' && (u | 0x20) <= 'f') {
            digit = (u | 0x20) - 'a' + 10;
        } else {
            return std::nullopt;
        }
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (magnitude > 0xFFFF'FFFFULL) {
            return std::nullopt;
        }
    }
    const qint64 value = negative ? -static_cast<qint64>(magnitude) : static_cast<qint64>(magnitude);
    if (magnitude > 0x8000'0000ULL || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max()) {
        // Hexadecimal may spell a negative 32-bit value as its bit pattern (0xFFFFFFFF is -1).
        if (base == 16 && !negative && magnitude <= 0xFFFF'FFFFULL) {
            return static_cast<int>(static_cast<quint32>(magnitude));
        }
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<quint32> parseIniColour(QStringView text) {
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok || v < std::numeric_limits<qint32>::min() || v > 0xFFFFFFFFLL) {
        return std::nullopt;
    }
    return static_cast<quint32>(v);
}

QString formatIniFloat(double value) {
    return formatGeneralFloat(value, u',');
}

QString formatGeneralFloat(double value, QChar decimalSeparator) {
    if (!std::isfinite(value)) {
        return QStringLiteral("0");
    }
    QString s = QString::number(value, 'g', 15);
    const qsizetype e = s.indexOf(u'e');
    if (e >= 0) {
        // "1.5e-05" becomes "1,5E-5": the exponent without "+" and leading zeros.
        QString mantissa = s.left(e);
        QStringView exponent = QStringView(s).sliced(e + 1);
        const bool negative = exponent.startsWith(u'-');
        if (exponent.startsWith(u'-') || exponent.startsWith(u'+')) {
            exponent = exponent.sliced(1);
        }
        while (exponent.size() > 1 && exponent.startsWith(u'0')) {
            exponent = exponent.sliced(1);
        }
        s = mantissa + QLatin1Char('E') + (negative ? QStringLiteral("-") : QString()) + exponent.toString();
    }
    s.replace(u'.', decimalSeparator);
    return s;
}

std::optional<double> parseIniFloat(QStringView text) {
    QString s = text.trimmed().toString();
    if (s.isEmpty() || s.count(u',') + s.count(u'.') > 1) {
        return std::nullopt;
    }
    s.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(s, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

QString formatIniDateTime(TDateTime value) {
    const DateParts d = decodeDate(value);
    return QStringLiteral("%1.%2.%3 ")
               .arg(d.day)
               .arg(d.month)
               .arg(d.year, 4, 10, QLatin1Char('0')) +
           formatIniTime(value);
}

QString formatIniTime(TDateTime value) {
    const TimeParts t = decodeTime(value);
    return QStringLiteral("%1:%2:%3")
        .arg(t.hour)
        .arg(t.minute, 2, 10, QLatin1Char('0'))
        .arg(t.second, 2, 10, QLatin1Char('0'));
}

namespace {

// Reads the stored forms left to right; every step fails without moving when the text differs.
struct Scanner {
    QStringView text;
    qsizetype at = 0;

    bool done() const { return at == text.size(); }
    // ASCII blanks only, as the files have always been read.
    bool space() const {
        return !done() && (text[at] == u' ' || (text[at] >= u'\t' && text[at] <= u'\r'));
    }
    void skipSpaces() {
        while (space()) {
            ++at;
        }
    }
    bool skip(QChar c) {
        if (done() || text[at] != c) {
            return false;
        }
        ++at;
        return true;
    }
    // One to `most` ASCII digits.
    std::optional<int> number(int most) {
        int value = 0;
        int digits = 0;
        while (digits < most && !done() && text[at] >= u'0' && text[at] <= u'9') {
            value = value * 10 + (text[at].unicode() - u'0');
            ++at;
            ++digits;
        }
        return digits > 0 ? std::optional<int>(value) : std::nullopt;
    }
    // H:mm with optional :ss, each of one or two digits.
    std::optional<TimeParts> time() {
        const auto h = number(2);
        const auto m = h && skip(u':') ? number(2) : std::nullopt;
        if (!m) {
            return std::nullopt;
        }
        std::optional<int> sec = 0;
        if (skip(u':')) {
            sec = number(2);
        }
        return sec ? std::optional<TimeParts>(TimeParts{*h, *m, *sec, 0}) : std::nullopt;
    }
};

} // namespace

std::optional<TDateTime> parseIniTime(QStringView text) {
    Scanner s{text};
    s.skipSpaces();
    const auto t = s.time();
    s.skipSpaces();
    if (!t || !s.done()) {
        return std::nullopt;
    }
    return tryEncodeTime(t->hour, t->minute, t->second);
}

std::optional<TDateTime> parseIniDateTime(QStringView text) {
    Scanner s{text};
    s.skipSpaces();
    const auto part = [&](int most, bool dotAfter) -> std::optional<int> {
        const auto n = s.number(most);
        if (!n || (dotAfter && !s.skip(u'.'))) {
            return std::nullopt;
        }
        if (dotAfter && s.space()) {
            ++s.at; // "d. M. yyyy"
        }
        return n;
    };
    const auto day = part(2, true);
    const auto month = day ? part(2, true) : std::nullopt;
    const auto year = month ? part(4, false) : std::nullopt;
    if (!year) {
        return parseIniTime(text); // a time alone
    }
    std::optional<TimeParts> time = TimeParts{};
    if (s.space()) {
        s.skipSpaces();
        if (!s.done()) {
            time = s.time();
            s.skipSpaces();
        }
    }
    if (!time || !s.done() || !tryEncodeTime(time->hour, time->minute, time->second)) {
        return std::nullopt;
    }
    return tryEncodeDateTime({*year, *month, *day}, *time);
}

} // namespace tavrok
