#include "app/desktopnotices.h"

#include "app/functionpanel.h"
#include "app/programstate.h"
#include "platform/services.h"
#include "platform/windowlist.h"

#include <QWidget>

namespace tavrok {

std::unique_ptr<DesktopNotifier> desktopNotices(QWidget* window, ProgramState& state, const PlatformServices& services,
                                                std::initializer_list<FunctionPanel*> panels, NoticeActions actions) {
    if (!services.notifications) {
        return nullptr;
    }
    WindowList& windows = services.windows;
    auto notifier = std::make_unique<DesktopNotifier>(
        DesktopNotifier::Services{*services.notifications, state.sounds, services.clock, state.storage.settingsIni(),
                                  state.odlozeneBudiky, state.textyZvoneni},
        [window, &windows] {
            return window->isMinimized() || !window->isVisible() || !windows.onCurrentWorkspace(window->winId());
        });
    notifier->onShowWindow = std::move(actions.showWindow);
    notifier->onSnoozed = std::move(actions.changed);
    for (FunctionPanel* panel : panels) {
        panel->setNotifier(notifier.get());
    }
    return notifier;
}

} // namespace tavrok
