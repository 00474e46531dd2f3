#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavrok {

// One line of the split list read back into numbers: "3:  0; 00:01:05,250".
struct SplitRow {
    bool separator = false; // a line of hyphens
    qint64 number = 0;
    qint64 days = 0;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int millis = 0;
};
// Nothing for a line that is neither a split nor a separator (an empty line of a damaged file).
std::optional<SplitRow> parseSplitLine(const QString& line);

// The two closing lines naming the program, in Czech and in English.
QStringList closingLines();

struct ExportTexts {
    QString separateHeader; // "Pozice;Dny;Hodiny;Minuty;Sekundy;Tisíciny sekund"
    QString mergedHeader;   // "Pozice;Dny;Čas"
};
// The export of a split list: a header, a row a line (from the second when the first is a separator),
// the closing lines. Merged rows give the time of day as a fraction of a day, as spreadsheets keep
// time, written with `decimalSeparator`; separate rows give its six numbers. "%d" in a header becomes
// the separator (in a header without it, ";" does). A line that is no split becomes a row of hyphens.
QStringList exportujMezicasy(const QStringList& lines, const QString& sep, bool merged, const ExportTexts& texts,
                             QChar decimalSeparator);

// A CSV file's bytes: UTF-8 with a byte-order mark (so spreadsheets read the accents), CR LF after
// every line.
QByteArray csvBytes(const QStringList& exportLines);
// The clipboard's text: every line ends with CR, every line but the last also with LF.
QString clipboardText(const QStringList& exportLines);

// The printed lines: the header, the list (from the second line when the first is a separator, a
// separator printing as an empty line), the closing lines.
QStringList tiskoveRadky(const QStringList& lines, const QString& header);

} // namespace tavrok
