#pragma once

#include "common/datetime.h"
#include "display/displaysettings.h"

#include <QString>
#include <optional>

namespace tavrok {

class ProgramState;

// What the separate display shows: the day string with its separator ("0;", or a date "7.12.2026 ") and
// the four time parts.
struct DisplayText {
    QString dayString;
    QString hours;
    QString minutes;
    QString seconds;
    QString millis;
    bool operator==(const DisplayText&) const = default;
};

// The text after the settings dialog's reset.
DisplayText resetDisplayText();

// A duration as the display shows it; rounded up, it shows the next unit of its smallest visible
// position as soon as any of it has passed (10.2 s shows 11 when seconds are the smallest, 10.000 s 10).
DisplayText zobrazNaSamostatnemDispleji(bool roundUp, TDateTime value, const VisibleRange& range);

// What the display shows now from its source; nothing while a split holds it on the split time.
std::optional<DisplayText> displayFeed(const ProgramState& state, LocalTime now);
// Whether what the display shows runs, so that it is redrawn at the frame rate rather than each second.
bool displayRuns(const ProgramState& state);
// Whether a split now holds the display on the split time: the stopwatch options say so and the display
// shows the stopwatch, or it shows the main window's stopwatch.
bool freezesOnSplit(const ProgramState& state);

} // namespace tavrok
