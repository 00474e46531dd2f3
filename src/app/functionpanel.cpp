#include "app/functionpanel.h"

#include "app/programstate.h"
#include "platform/clock.h"
#include "platform/questions.h"
#include "storage/inivalues.h"

#include <QWidget>

namespace tavrok {

bool showNotice(QWidget* window, Questions& questions, ProgramState& state, const QString& message, int soundId,
                bool clickEndsSound, const QString& snooze) {
    window->showNormal();
    window->raise();
    window->activateWindow();
    const bool snoozed = questions.notifyOrSnooze(
        QStringLiteral("Tavrok: ") + formatIniDateTime(state.clock.now().days()), message, snooze);
    if (soundId >= 0 && (clickEndsSound || snoozed)) {
        state.sounds.ukoncitZvuk(soundId);
    }
    return snoozed;
}

} // namespace tavrok
