#pragma once

#include "app/desktopnotifier.h"

#include <functional>
#include <initializer_list>
#include <memory>

class QWidget;

namespace tavrok {

class FunctionPanel;
class ProgramState;
struct PlatformServices;

// The desktop's notifications for the rings of these panels while `window` is out of sight (minimised,
// in the notification area, on another workspace); none when the platform offers none.
struct NoticeActions {
    std::function<void()> showWindow; // a click on a notice itself
    std::function<void()> changed;    // an alarm was put off from its notice
};
std::unique_ptr<DesktopNotifier> desktopNotices(QWidget* window, ProgramState& state, const PlatformServices& services,
                                                std::initializer_list<FunctionPanel*> panels, NoticeActions actions);

} // namespace tavrok
