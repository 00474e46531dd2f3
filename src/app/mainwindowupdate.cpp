// The update check: the external updater started when a check is due or the user asks, its
// confirmation, and an update it prepared for this start handed to the downloader.
#include "app/tfrmhlavniokno.h"
#include "platform/clock.h"
#include "platform/questions.h"
#include "platform/registeredmessage.h"
#include "storage/inifile.h"
#include "storage/nastaveni.h"
#include "update/updateafterstart.h"
#include "update/updatecheck.h"

#include <QDir>
#include <QTimer>

namespace tavrok {

void TfrmHlavniOkno::buildUpdateCheck() {
    verzeZkontrolovana_ = new RegisteredMessage(aktualizace::zpravaPotvrzeni, this);
    connect(verzeZkontrolovana_, &RegisteredMessage::received, this, &TfrmHlavniOkno::verzeZkontrolovana);
}

void TfrmHlavniOkno::kontrolaVerzeKdyzNaRade(TDateTime now) {
    if (aktualizace::kontrolaNaRade(now, state_.main.lastVersionCheck)) {
        zkontrolujNoveVerze();
    }
}

void TfrmHlavniOkno::zkontrolujNoveVerze() {
    IniFile& settings = state_.storage.settingsIni();
    // Without an updater nothing is said here: the next attempt follows in ten minutes, quietly.
    (void)aktualizace::zkontrolujNoveVerze(state_.clock.now().days(), state_.main.lastVersionCheck, nactiNastaveni(settings),
                                           state_.storage.programFolder(), settings.path(), services_.windows,
                                           services_.launcher);
}

bool TfrmHlavniOkno::spustKontroluNoveVerze() {
    IniFile& settings = state_.storage.settingsIni();
    using aktualizace::Spusteni;
    const Spusteni result = aktualizace::spustKontroluNoveVerze(
        state_.clock.now().days(), state_.main.lastVersionCheck, nactiNastaveni(settings), state_.storage.programFolder(),
        settings.path(), services_.windows, services_.launcher);
    return result == Spusteni::Spusten || result == Spusteni::UzBezi;
}

void TfrmHlavniOkno::mnuZkontrolovatNovouVerziClick() {
    if (!spustKontroluNoveVerze()) {
        const QString updater = aktualizace::programAktualizace(state_.storage.programFolder());
        services_.questions.tell(
            fillPlaceholders(state_.messages.text(MessageTable::UpdaterMissing), QDir::toNativeSeparators(updater)),
            MessageIcon::Warning);
    }
}

void TfrmHlavniOkno::verzeZkontrolovana() {
    state_.main.lastVersionCheck = state_.clock.now().days(); // the next check is thirty days away
}

bool TfrmHlavniOkno::aktualizacePoSpusteni(Questions& questions) {
    if (aktualizace::aktualizujPoSpusteni(state_.storage.settingsIni(), state_.storage.programFolder(), questions,
                                          state_.messages,
                                          services_.launcher) == aktualizace::PoSpusteni::Pokracovat) {
        return true;
    }
    endedForUpdate_ = true;
    state_.main.firstShow = false;
    QTimer::singleShot(0, this, &QWidget::close);
    return false;
}

} // namespace tavrok
