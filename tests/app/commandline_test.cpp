#include "app/commandline.h"

#include <gtest/gtest.h>

using namespace tavrok;
using Kind = ProgramCommand::Kind;

namespace {

CommandLine parse(std::initializer_list<const char*> words) {
    QStringList list;
    for (const char* w : words) {
        list << QString::fromUtf8(w);
    }
    return parseCommandLine(list);
}

TDateTime hms(int h, int m, int s) {
    return (h * 3600 + m * 60 + s) / 86400.0;
}

} // namespace

// Every switch in its order, both spellings of a value; Qt's own options (as the session manager
// restarts the program with them) are left alone; and the words handed to the running program read back
// as the same steps.
TEST(CommandLine, ReadsEverySwitchInOrderAndLeavesQtsOptions) {
    const CommandLine c =
        parse({"-session", "1234abcd", "--countdown-length", "1:30:00", "--countdown", "start",
               "--stopwatch=start", "--split", "-platform", "xcb", "--stopwatch", "stop", "--stopwatch",
               "reset", "--countdown=pause", "--countdown", "stop", "--show"});
    ASSERT_TRUE(c.usageError.isEmpty()) << c.usageError.toStdString();
    const std::vector<ProgramCommand> expected{{Kind::CountdownLength, hms(1, 30, 0)},
                                               {Kind::CountdownStart},
                                               {Kind::StopwatchStart},
                                               {Kind::Split},
                                               {Kind::StopwatchStop},
                                               {Kind::StopwatchReset},
                                               {Kind::CountdownPause},
                                               {Kind::CountdownStop},
                                               {Kind::Show}};
    ASSERT_EQ(c.commands.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(c.commands[i].kind, expected[i].kind) << i;
        EXPECT_EQ(toMilliseconds(c.commands[i].length), toMilliseconds(expected[i].length)) << i;
    }
    const CommandLine again = parseCommandLine(commandWords(c.commands));
    ASSERT_EQ(again.commands.size(), expected.size());
    EXPECT_EQ(toMilliseconds(again.commands[0].length), toMilliseconds(hms(1, 30, 0)));
    EXPECT_FALSE(c.help || c.version);
    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"-h"}).help);
    EXPECT_TRUE(parse({"--version"}).version);
    EXPECT_TRUE(parse({}).commands.empty());
}

// A switch that cannot be read names itself, and nothing of the line is done.
TEST(CommandLine, AWrongSwitchIsAUsageError) {
    for (const auto& [words, wrong] : std::vector<std::pair<std::vector<const char*>, const char*>>{
             {{"--stopwatch"}, "--stopwatch"},
             {{"--stopwatch", "go"}, "--stopwatch go"},
             {{"--countdown", "reset"}, "--countdown reset"},
             {{"--split", "--countdown-length", "1:60:00"}, "--countdown-length 1:60:00"},
             {{"--countdown-length", "90"}, "--countdown-length 90"},
             {{"--countdown-length", "-1:00:00"}, "--countdown-length"},
             {{"--countdown-length", "1:00"}, "--countdown-length 1:00"},
             {{"--stop"}, "--stop"},
             {{"split"}, "split"},
             {{"--split=now"}, "--split=now"}}) {
        QStringList list;
        for (const char* w : words) {
            list << QString::fromUtf8(w);
        }
        const CommandLine c = parseCommandLine(list);
        EXPECT_EQ(c.usageError, QString::fromUtf8(wrong)) << list.join(u' ').toStdString();
    }
}

// Lengths as H:MM:SS: hours beyond a day, up to the longest the digits show.
TEST(CommandLine, LengthsAreHoursMinutesAndSeconds) {
    EXPECT_EQ(toMilliseconds(*parseLength(QStringLiteral("0:00:05"))), 5000);
    EXPECT_EQ(toMilliseconds(*parseLength(QStringLiteral("26:00:00"))), 26 * 3600'000LL);
    EXPECT_TRUE(parseLength(QStringLiteral("23999999:59:59")).has_value());
    EXPECT_FALSE(parseLength(QStringLiteral("24000000:00:00")).has_value()) << "beyond 999 999 days";
    EXPECT_FALSE(parseLength(QStringLiteral("1:5:00")).has_value());
    EXPECT_FALSE(parseLength(QStringLiteral(" 1:00:00")).has_value());
}
