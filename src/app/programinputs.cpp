#include "app/programinputs.h"

#include "alarms/alarmpanel.h"
#include "app/programactions.h"
#include "app/splithotkey.h"
#include "countdown/countdownpanel.h"
#include "platform/services.h"
#include "stopwatch/stopwatchpanel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QWidget>

namespace tavrok {

ProgramInputs buildInputs(QWidget* window, ProgramState& state, const PlatformServices& services,
                          InputPanels panels, WindowButtons::Buttons buttons,
                          std::function<void()> showWindow) {
    ProgramInputs inputs;
    inputs.actions =
        new ProgramActions({state, panels.stopwatch, panels.countdown, panels.alarms, std::move(showWindow),
                            [] { return QApplication::activeModalWidget() != nullptr; }},
                           window);
    buttons.mezicas = window->findChild<QAbstractButton*>(QStringLiteral("btnTvrMezicas"));
    new WindowButtons({state, *inputs.actions, services.questions, panels.alarms, panels.countdown}, buttons,
                      window);
    inputs.splitHotkey =
        new SplitHotkey({state, services.hotkey, services.questions, *inputs.actions}, window);
    return inputs;
}

} // namespace tavrok
