#pragma once

#include "common/datetime.h"

#include <QString>
#include <QStringList>

#include <optional>

#include <vector>

namespace tavrok {

// What the command line asks of the program: each switch one step, done in the order given by the
// running program (started first where none runs).
struct ProgramCommand {
    enum class Kind {
        Split,
        StopwatchStart,
        StopwatchStop,
        StopwatchReset,
        CountdownStart,
        CountdownStop,
        CountdownPause,
        CountdownLength,
        Show,
    };
    Kind kind;
    TDateTime length = 0; // CountdownLength: days, as the engines count
    friend bool operator==(const ProgramCommand&, const ProgramCommand&) = default;
};

struct CommandLine {
    bool help = false;
    bool version = false;
    QString usageError; // the word that could not be read; empty when all could
    std::vector<ProgramCommand> commands;
    QStringList qtArguments; // Qt's own options, as given: a program started for the commands gets them
};

// Reads the arguments after the program's name. Qt's own options (a single dash: -platform xcb,
// -session ID, as the session manager restarts the program) are left to Qt; any other word is a usage
// error.
CommandLine parseCommandLine(const QStringList& arguments);

// The steps as words again, to hand them to the running program ("--stopwatch start" ...), and back.
QStringList commandWords(const std::vector<ProgramCommand>& commands);

// "H:MM:SS" (hours without a limit up to the digits' longest length); none when it is not that.
std::optional<TDateTime> parseLength(const QString& text);

// The text --help prints.
QString commandLineHelp();

} // namespace tavrok
