#include "app/splithotkey.h"

#include "app/programactions.h"
#include "app/programstate.h"
#include "platform/globalhotkey.h"
#include "platform/hotkeycode.h"
#include "platform/questions.h"
#include "storage/nastaveni.h"

#include <QKeySequence>

namespace tavrok {

SplitHotkey::SplitHotkey(Parts parts, QObject* parent) : QObject(parent), p_(parts) {}

SplitHotkey::~SplitHotkey() {
    letGo();
}

void SplitHotkey::followSettings() {
    letGo(); // the old combination goes, the new one comes
    if (p_.state.storage.settingsIni().readBool(u"nastaveni", u"pouzitMezicas", false)) {
        take();
    }
}

void SplitHotkey::tellOnce(int message, int code) {
    if (reported_ == code) {
        return;
    }
    reported_ = code;
    const QString shown = QKeySequence(hotkeyToQt(code)).toString(QKeySequence::NativeText);
    p_.questions.tell(
        fillPlaceholders(p_.state.messages.text(message), shown.isEmpty() ? QString::number(code) : shown),
        MessageIcon::Warning);
}

void SplitHotkey::take() {
    if (held_) {
        return;
    }
    const int code = nactiNastaveni(p_.state.storage.settingsIni()).zkratkaMezicasu;
    if (code == 0) {
        return; // the field was emptied: no key
    }
    p_.hotkey.onPressed = [this] { (void)p_.actions.split(); };
    switch (p_.hotkey.registerKey(code)) {
    case GlobalHotkey::Result::Registered:
        held_ = true;
        break;
    case GlobalHotkey::Result::Taken:
        tellOnce(MessageTable::HotkeyTaken, code);
        break;
    case GlobalHotkey::Result::NoSuchKey: // a code from another system's settings file
        tellOnce(MessageTable::HotkeyNotHere, code);
        break;
    case GlobalHotkey::Result::OnlyInOwnWindows: // a Wayland desktop: the key works in the program's windows
        held_ = true;
        [[fallthrough]];
    case GlobalHotkey::Result::Unsupported:
        if (!noGlobalKeysTold_) {
            noGlobalKeysTold_ = true;
            p_.questions.tell(p_.state.messages.text(MessageTable::NoGlobalKeys), MessageIcon::Information);
        }
        break;
    }
}

void SplitHotkey::letGo() {
    if (!held_) {
        return;
    }
    p_.hotkey.unregisterKey();
    held_ = false;
}

} // namespace tavrok
