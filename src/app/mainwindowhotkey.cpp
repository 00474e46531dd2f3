// The split hotkey: a key that takes a split while another program has the focus.
#include "app/tfrmhlavniokno.h"
#include "app/programactions.h"
#include "platform/globalhotkey.h"
#include "platform/hotkeycode.h"
#include "platform/questions.h"
#include "storage/nastaveni.h"

#include <QKeySequence>

namespace tavrok {

void TfrmHlavniOkno::registerKey() {
    if (hotkeyRegistered_) {
        return;
    }
    const int code = nactiNastaveni(state_.storage.settingsIni()).zkratkaMezicasu;
    if (code == 0) {
        return; // the field was emptied: no key
    }
    services_.hotkey.onPressed = [this] { (void)actions_->split(); };
    // A refused key is said once for a combination, not at every start of the settings dialog.
    const auto tellOnce = [&](int message) {
        if (hotkeyReported_ != code) {
            hotkeyReported_ = code;
            const QString shown = QKeySequence(hotkeyToQt(code)).toString(QKeySequence::NativeText);
            services_.questions.tell(fillPlaceholders(state_.messages.text(message),
                                                      shown.isEmpty() ? QString::number(code) : shown),
                                     MessageIcon::Warning);
        }
    };
    switch (services_.hotkey.registerKey(code)) {
    case GlobalHotkey::Result::Registered:
        hotkeyRegistered_ = true;
        break;
    case GlobalHotkey::Result::Taken:
        tellOnce(MessageTable::HotkeyTaken);
        break;
    case GlobalHotkey::Result::NoSuchKey: // a code from another system's settings file
        tellOnce(MessageTable::HotkeyNotHere);
        break;
    case GlobalHotkey::Result::Unsupported:
        if (!noGlobalKeysTold_) {
            noGlobalKeysTold_ = true;
            services_.questions.tell(state_.messages.text(MessageTable::NoGlobalKeys), MessageIcon::Information);
        }
        break;
    }
}

void TfrmHlavniOkno::unRegisterKey() {
    if (!hotkeyRegistered_) {
        return;
    }
    services_.hotkey.unregisterKey();
    hotkeyRegistered_ = false;
}

} // namespace tavrok
