#include "app/functionpanel.h"

#include "app/programstate.h"
#include "platform/clock.h"
#include "platform/questions.h"
#include "storage/inivalues.h"

#include <QWidget>

namespace tavrok {

void showNotice(QWidget* window, Questions& questions, ProgramState& state, const QString& message, int soundId,
                bool clickEndsSound) {
    window->showNormal();
    window->raise();
    window->activateWindow();
    questions.notify(QStringLiteral("Tavrok: ") + formatIniDateTime(state.clock.now().days()), message);
    if (soundId >= 0 && clickEndsSound) {
        state.sounds.ukoncitZvuk(soundId);
    }
}

} // namespace tavrok
