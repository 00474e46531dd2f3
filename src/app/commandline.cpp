#include "app/commandline.h"

#include "common/timeformat.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <optional>

namespace tavrok {

namespace {

using Kind = ProgramCommand::Kind;

struct Choice {
    const char* option;
    const char* word;
    Kind kind;
};
constexpr std::array Choices{
    Choice{"--stopwatch", "start", Kind::StopwatchStart},
    Choice{"--stopwatch", "stop", Kind::StopwatchStop},
    Choice{"--stopwatch", "reset", Kind::StopwatchReset},
    Choice{"--countdown", "start", Kind::CountdownStart},
    Choice{"--countdown", "stop", Kind::CountdownStop},
    Choice{"--countdown", "pause", Kind::CountdownPause},
};

// Qt's options that take a value (QGuiApplication and QApplication read them from the command line).
bool qtOptionWithValue(const QString& a) {
    static const QStringList withValue{QStringLiteral("-platform"),
                                       QStringLiteral("-platformpluginpath"),
                                       QStringLiteral("-platformtheme"),
                                       QStringLiteral("-plugin"),
                                       QStringLiteral("-qwindowgeometry"),
                                       QStringLiteral("-qwindowicon"),
                                       QStringLiteral("-qwindowtitle"),
                                       QStringLiteral("-display"),
                                       QStringLiteral("-geometry"),
                                       QStringLiteral("-style"),
                                       QStringLiteral("-stylesheet"),
                                       QStringLiteral("-session"),
                                       QStringLiteral("-title"),
                                       QStringLiteral("-icon"),
                                       QStringLiteral("-name"),
                                       QStringLiteral("-qmljsdebugger")};
    return withValue.contains(a);
}

// Qt's options without a value.
bool qtFlag(const QString& a) {
    static const QStringList flags{QStringLiteral("-reverse"), QStringLiteral("-nograb"),
                                   QStringLiteral("-dograb"), QStringLiteral("-sync"),
                                   QStringLiteral("-widgetcount"), QStringLiteral("-testability")};
    return flags.contains(a);
}

} // namespace

std::optional<TDateTime> parseLength(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^(\\d{1,8}):([0-5]\\d):([0-5]\\d)$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const qint64 hours = m.captured(1).toLongLong();
    if (hours / 24 > MaxDays) {
        return std::nullopt;
    }
    return zakodujDisplej(hours / 24, static_cast<int>(hours % 24), m.captured(2).toInt(),
                          m.captured(3).toInt(), 0);
}

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine result;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString a = arguments[i];
        QString value;
        bool hasValue = false;
        if (a.startsWith(u"--") && a.contains(u'=')) { // --stopwatch=start
            value = a.mid(a.indexOf(u'=') + 1);
            a = a.left(a.indexOf(u'='));
            hasValue = true;
        }
        const auto takeValue = [&]() -> bool {
            if (hasValue) {
                return true;
            }
            if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(u'-')) {
                value = arguments[++i];
                return true;
            }
            return false;
        };
        if (a == u"--help" || a == u"-h") {
            result.help = true;
        } else if (a == u"--version") {
            result.version = true;
        } else if (a == u"--split" && !hasValue) {
            result.commands.push_back({Kind::Split});
        } else if (a == u"--show" && !hasValue) {
            result.commands.push_back({Kind::Show});
        } else if (a == u"--stopwatch" || a == u"--countdown") {
            if (!takeValue()) {
                result.usageError = a;
                return result;
            }
            const auto chosen = std::find_if(Choices.begin(), Choices.end(), [&](const Choice& c) {
                return a == QLatin1String(c.option) && value == QLatin1String(c.word);
            });
            if (chosen == Choices.end()) {
                result.usageError = a + u' ' + value;
                return result;
            }
            result.commands.push_back({chosen->kind});
        } else if (a == u"--countdown-length") {
            const std::optional<TDateTime> length = takeValue() ? parseLength(value) : std::nullopt;
            if (!length) {
                result.usageError = (a + u' ' + value).trimmed();
                return result;
            }
            result.commands.push_back({Kind::CountdownLength, *length});
        } else if (qtFlag(a) || (a.contains(u'=') && qtOptionWithValue(a.section(u'=', 0, 0)))) {
            result.qtArguments << a;
        } else if (qtOptionWithValue(a) && i + 1 < arguments.size()) {
            result.qtArguments << a << arguments[i + 1]; // Qt's option and its value
            ++i;
        } else {
            result.usageError = arguments[i];
            return result;
        }
    }
    return result;
}

QStringList commandWords(const std::vector<ProgramCommand>& commands) {
    QStringList words;
    for (const ProgramCommand& c : commands) {
        switch (c.kind) {
        case Kind::Split:
            words << QStringLiteral("--split");
            break;
        case Kind::Show:
            words << QStringLiteral("--show");
            break;
        case Kind::CountdownLength: {
            const qint64 seconds = toMilliseconds(c.length) / 1000;
            words << QStringLiteral("--countdown-length")
                  << QStringLiteral("%1:%2:%3")
                         .arg(seconds / 3600)
                         .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                         .arg(seconds % 60, 2, 10, QLatin1Char('0'));
            break;
        }
        default:
            for (const Choice& choice : Choices) {
                if (choice.kind == c.kind) {
                    words << QLatin1String(choice.option) << QLatin1String(choice.word);
                }
            }
        }
    }
    return words;
}

QString commandLineHelp() {
    return QString::fromUtf16(
        u"Použití: tavrok [přepínače]\n"
        u"Bez přepínačů spustí program Tavrok, nebo běžící program zobrazí.\n"
        u"Přepínače předá běžícímu programu (nejprve jej spustí, pokud neběží) a provede je v zadaném "
        u"pořadí:\n"
        u"  --split                      vezme mezičas (jako klávesová zkratka pro mezičas)\n"
        u"  --stopwatch start|stop|reset spustí, zastaví nebo vynuluje Tavrok\n"
        u"  --countdown start|stop|pause spustí, zastaví nebo pozastaví odpočítávání\n"
        u"  --countdown-length H:MM:SS   nastaví délku odpočítávání\n"
        u"  --show                       zobrazí okno programu\n"
        u"  --help                       vypíše tento text\n"
        u"  --version                    vypíše verzi programu\n"
        u"Návratový kód: 0 provedeno, 1 program příkaz odmítl (důvod na standardním chybovém výstupu),\n"
        u"2 chybný přepínač.\n");
}

} // namespace tavrok
