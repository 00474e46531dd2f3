#include "update/updateafterstart.h"

#include "lang/messagetable.h"
#include "platform/launcher.h"
#include "platform/questions.h"
#include "storage/inifile.h"
#include "storage/nastaveni.h"
#include "update/updatecheck.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace tavrok::aktualizace {

namespace {

bool canWriteIn(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/Test.XXXXXX.txt"));
    return probe.open(); // removed again when it goes out of scope
}

QString downloadFolder(const QString& programFolder) {
    return slozkaAktualizaci(programFolder) + QStringLiteral("/Download");
}

} // namespace

Opravneni zkusitZapis(const QString& programFolder) {
    const QString download = downloadFolder(programFolder);
    if (!QDir().mkpath(download) || !canWriteIn(download) || !canWriteIn(programFolder)) {
        return Opravneni::Runas;
    }
    return Opravneni::Open;
}

PoSpusteni aktualizujPoSpusteni(IniFile& settings, const QString& programFolder, Questions& questions,
                                const MessageTable& messages, Launcher& launcher) {
    if (!settings.readBool(u"stavProgramu", u"aktualizovatPoSpusteni", false)) {
        return PoSpusteni::Pokracovat;
    }
    const TNastaveni options = nactiNastaveni(settings);
    const Opravneni verb = zkusitZapis(programFolder);
    if (verb == Opravneni::Runas && options.bezPrava != TNastaveni::BezPrava::SpustitJako) {
        questions.tell(fillPlaceholders(messages.text(65), QDir::toNativeSeparators(downloadFolder(programFolder))),
                       MessageIcon::Error);
        return PoSpusteni::Pokracovat; // the flag stays: the update is offered again at the next start
    }
    const QString downloader = programStahovace(programFolder);
    const QFileInfo file(downloader);
    // Nothing can install the update: the user is told once, and the flag is cleared so that the same
    // words do not greet every start.
    const auto notStarted = [&] {
        questions.tell(fillPlaceholders(messages.text(MessageTable::UpdateNotInstallable),
                                        QDir::toNativeSeparators(downloader)),
                       MessageIcon::Warning);
        if (!settings.writeBool(u"stavProgramu", u"aktualizovatPoSpusteni", false)) {
            questions.tell(fillPlaceholders(messages.text(51), settings.path()), MessageIcon::Error);
        }
        return PoSpusteni::Pokracovat;
    };
    if (!file.isFile() || !file.isExecutable() || (verb == Opravneni::Runas && !launcher.canStartAsAdministrator())) {
        return notStarted(); // telling that the program ends for an update would not be true
    }
    // A box ended by the session's end, not by its button, starts nothing: the flag stays, and the update
    // is handed over at the next start.
    if (questions.ask(messages.text(63), MessageIcon::Information, MessageButtons::Ok) != Answer::Ok) {
        return PoSpusteni::Pokracovat;
    }
    const QStringList arguments{options.jazyk + QStringLiteral(".ini")};
    const bool started = verb == Opravneni::Open ? launcher.start(downloader, arguments)
                                                 : launcher.startAsAdministrator(downloader, arguments);
    if (!started) {
        return notStarted();
    }
    if (!settings.writeBool(u"stavProgramu", u"aktualizovatPoSpusteni", false)) {
        // The downloader runs, but the next start would hand the update over again: the user must know.
        questions.tell(fillPlaceholders(messages.text(51), settings.path()), MessageIcon::Error);
        return PoSpusteni::Pokracovat;
    }
    return PoSpusteni::Ukoncit;
}

} // namespace tavrok::aktualizace
