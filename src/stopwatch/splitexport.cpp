#include "stopwatch/splitexport.h"

#include "storage/inivalues.h"

namespace tavrok {

namespace {

bool startsWithSeparator(const QStringList& lines) {
    return !lines.isEmpty() && lines.first().startsWith(u'-');
}

} // namespace

std::optional<SplitRow> parseSplitLine(const QString& line) {
    SplitRow row;
    if (line.startsWith(u'-')) {
        row.separator = true;
        return row;
    }
    // The fields end at ':' (then two blanks), ';' (then one), ':', ':', ',' and the end of the line;
    // only their digits count.
    static constexpr char16_t Ends[] = {u':', u';', u':', u':', u','};
    static constexpr int Skips[] = {2, 1, 0, 0, 0};
    QString fields[6];
    int field = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (field < 5 && c == Ends[field]) {
            i += Skips[field];
            ++field;
        } else if (c.isDigit()) {
            fields[field] += c;
        }
    }
    bool ok = field == 5;
    qint64 values[6] = {};
    for (int f = 0; f < 6 && ok; ++f) {
        values[f] = fields[f].toLongLong(&ok);
    }
    if (!ok || values[2] > 99 || values[3] > 99 || values[4] > 99 || values[5] > 999) {
        return std::nullopt;
    }
    row.number = values[0];
    row.days = values[1];
    row.hours = static_cast<int>(values[2]);
    row.minutes = static_cast<int>(values[3]);
    row.seconds = static_cast<int>(values[4]);
    row.millis = static_cast<int>(values[5]);
    return row;
}

QStringList closingLines() {
    return {QString::fromUtf16(u"Vytvořeno programem Tavrok"), QStringLiteral("Created by Tavrok")};
}

QStringList exportujMezicasy(const QStringList& lines, const QString& sep, bool merged, const ExportTexts& texts,
                             QChar decimalSeparator) {
    QStringList out;
    // A header names its columns with "%d" between them, or (the usual texts) with ";": either way the
    // columns are split as the rows are, also on the clipboard's tabs.
    QString header = merged ? texts.mergedHeader : texts.separateHeader;
    header.replace(header.contains(QStringLiteral("%d")) ? QStringLiteral("%d") : QStringLiteral(";"), sep);
    out << header;
    for (qsizetype i = startsWithSeparator(lines) ? 1 : 0; i < lines.size(); ++i) {
        const std::optional<SplitRow> row = parseSplitLine(lines[i]);
        if (!row && lines[i].trimmed().isEmpty()) {
            continue; // an empty line of a damaged file
        }
        if (!row || row->separator) {
            out << QStringList(merged ? 3 : 6, QStringLiteral("-")).join(sep);
        } else if (merged) {
            const double dayFraction = row->hours / 24.0 + row->minutes / 1440.0 + row->seconds / 86400.0 +
                                       row->millis / 86400000.0;
            out << QString::number(row->number) + sep + QString::number(row->days) + sep +
                       formatGeneralFloat(dayFraction, decimalSeparator);
        } else {
            out << QStringList{QString::number(row->number), QString::number(row->days), QString::number(row->hours),
                               QString::number(row->minutes), QString::number(row->seconds),
                               QString::number(row->millis)}
                       .join(sep);
        }
    }
    out << closingLines();
    return out;
}

QByteArray csvBytes(const QStringList& exportLines) {
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QString& line : exportLines) {
        bytes += line.toUtf8() + "\r\n";
    }
    return bytes;
}

QString clipboardText(const QStringList& exportLines) {
    return exportLines.join(QStringLiteral("\r\n")) + u'\r';
}

QStringList tiskoveRadky(const QStringList& lines, const QString& header) {
    QStringList out{header};
    for (qsizetype i = startsWithSeparator(lines) ? 1 : 0; i < lines.size(); ++i) {
        out << (lines[i].startsWith(u'-') ? QString() : lines[i]);
    }
    out << closingLines();
    return out;
}

} // namespace tavrok
