#include "storage/inivalues.h"

#include <QLocale>
#include <QRegularExpression>
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

// The time of day captured from `first` on; no time at all is midnight.
std::optional<TimeParts> timeFromMatch(const QRegularExpressionMatch& m, int first) {
    if (!m.hasCaptured(first)) {
        return TimeParts{};
    }
    const TimeParts t{m.captured(first).toInt(), m.captured(first + 1).toInt(),
                      m.hasCaptured(first + 2) ? m.captured(first + 2).toInt() : 0, 0};
    if (!tryEncodeTime(t.hour, t.minute, t.second)) {
        return std::nullopt;
    }
    return t;
}

} // namespace

std::optional<TDateTime> parseIniTime(QStringView text) {
    static const QRegularExpression re(QStringLiteral(R"(^\s*(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?\s*$)"));
    const auto m = re.match(text.toString());
    const auto t = m.hasMatch() ? timeFromMatch(m, 1) : std::nullopt;
    if (!t) {
        return std::nullopt;
    }
    return tryEncodeTime(t->hour, t->minute, t->second);
}

std::optional<TDateTime> parseIniDateTime(QStringView text) {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{1,2})\.\s?(\d{1,2})\.\s?(\d{1,4})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    const auto m = re.match(text.toString());
    if (!m.hasMatch()) {
        return parseIniTime(text);
    }
    const auto time = timeFromMatch(m, 4);
    if (!time) {
        return std::nullopt;
    }
    return tryEncodeDateTime({m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()}, *time);
}

} // namespace tavrok
