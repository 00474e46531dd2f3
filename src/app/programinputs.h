#pragma once

#include "app/windowbuttons.h"

#include <functional>

class QWidget;

namespace tavrok {

class AlarmPanel;
class CountdownPanel;
class ProgramActions;
class ProgramState;
class SplitHotkey;
class StopwatchPanel;
struct PlatformServices;

// The one set of actions and the inputs the main window owns that call it: its engine buttons and the
// split hotkey. (The serial lines, the tray menu, later starts and the session bus call the same actions.)
struct ProgramInputs {
    ProgramActions* actions = nullptr;
    SplitHotkey* splitHotkey = nullptr;
};

struct InputPanels {
    StopwatchPanel& stopwatch;
    CountdownPanel& countdown;
    AlarmPanel& alarms;
};

// Children of `window`, whose split button is found by its name. `showWindow` brings the window back (from
// the notification area too).
ProgramInputs buildInputs(QWidget* window, ProgramState& state, const PlatformServices& services,
                          InputPanels panels, WindowButtons::Buttons buttons,
                          std::function<void()> showWindow);

} // namespace tavrok
