#include "update/updatechecker.h"

#include "app/programstate.h"
#include "platform/clock.h"
#include "platform/questions.h"
#include "platform/registeredmessage.h"
#include "storage/inifile.h"
#include "storage/nastaveni.h"
#include "update/updateafterstart.h"
#include "update/updatecheck.h"

#include <QDir>

namespace tavrok {

UpdateChecker::UpdateChecker(Parts parts, QObject* parent) : QObject(parent), p_(parts) {
    verzeZkontrolovana_ = new RegisteredMessage(aktualizace::zpravaPotvrzeni, this);
    connect(verzeZkontrolovana_, &RegisteredMessage::received, this, &UpdateChecker::verzeZkontrolovana);
}

void UpdateChecker::kontrolaVerzeKdyzNaRade(TDateTime now) {
    if (!aktualizace::kontrolaNaRade(now, p_.state.main.lastVersionCheck)) {
        return;
    }
    IniFile& settings = p_.state.storage.settingsIni();
    (void)aktualizace::zkontrolujNoveVerze(p_.state.clock.now().days(), p_.state.main.lastVersionCheck,
                                           nactiNastaveni(settings), p_.state.storage.programFolder(),
                                           settings.path(), p_.windows, p_.launcher);
}

void UpdateChecker::mnuZkontrolovatNovouVerziClick() {
    IniFile& settings = p_.state.storage.settingsIni();
    using aktualizace::Spusteni;
    const Spusteni result = aktualizace::spustKontroluNoveVerze(
        p_.state.clock.now().days(), p_.state.main.lastVersionCheck, nactiNastaveni(settings),
        p_.state.storage.programFolder(), settings.path(), p_.windows, p_.launcher);
    if (result != Spusteni::Spusten && result != Spusteni::UzBezi) {
        const QString updater = aktualizace::programAktualizace(p_.state.storage.programFolder());
        p_.questions.tell(fillPlaceholders(p_.state.messages.text(MessageTable::UpdaterMissing),
                                           QDir::toNativeSeparators(updater)),
                          MessageIcon::Warning);
    }
}

void UpdateChecker::verzeZkontrolovana() {
    p_.state.main.lastVersionCheck = p_.state.clock.now().days(); // the next check is thirty days away
}

bool UpdateChecker::aktualizacePoSpusteni(Questions& questions) {
    return aktualizace::aktualizujPoSpusteni(p_.state.storage.settingsIni(), p_.state.storage.programFolder(),
                                             questions, p_.state.messages,
                                             p_.launcher) == aktualizace::PoSpusteni::Pokracovat;
}

} // namespace tavrok
