#include "update/updatecheck.h"

#include "platform/launcher.h"
#include "platform/windowlist.h"
#include "storage/nastaveni.h"
#include "storage/storagelocations.h"

#include <QFileInfo>

namespace tavrok::aktualizace {

namespace {

QString program(const QString& programFolder, const QString& name) {
#ifdef Q_OS_WIN
    return slozkaAktualizaci(programFolder) + u'/' + name + QStringLiteral(".exe");
#else
    return slozkaAktualizaci(programFolder) + u'/' + name;
#endif
}

} // namespace

bool kontrolaNaRade(TDateTime now, TDateTime lastVersionCheck) {
    return now - intervalKontroly > lastVersionCheck;
}

QString slozkaAktualizaci(const QString& programFolder) {
    return programFolder + QStringLiteral("/Data/Aktualizace");
}

QString programAktualizace(const QString& programFolder) {
    return program(programFolder, QStringLiteral("TavrokAktualizace"));
}

QString programStahovace(const QString& programFolder) {
    return program(programFolder, QStringLiteral("TavrokStahovac"));
}

QStringList prikazovaRadka(const TNastaveni& n, const QString& settingsPath) {
    using D = TNastaveni::Stahovani;
    using A = TNastaveni::Aktualizace;
    const int kind = n.stahovani == D::Rozdilova ? 1 : n.stahovani == D::Automaticka ? 2 : 3;
    const int when = n.aktualizace == A::PriVypnuti ? 1 : n.aktualizace == A::PriSpusteniProgramu ? 2 : 3;
    // One argument each: the settings path needs no quotes, since no shell splits the line.
    return {QString::number(kind),
            QString::number(n.upozornitNaAktualizaci ? 1 : 0),
            QString::number(when),
            QString::number(n.bezPrava == TNastaveni::BezPrava::SpustitJako ? 1 : 0),
            n.jazyk + QStringLiteral(".ini"),
            StorageLocations::ProgramVersion,
            settingsPath};
}

Spusteni spustKontroluNoveVerze(TDateTime now, TDateTime& lastVersionCheck, const TNastaveni& settings,
                                const QString& programFolder, const QString& settingsPath, WindowList& windows,
                                Launcher& launcher) {
    lastVersionCheck = now - intervalKontroly + odkladKontroly;
    if (windows.existsWithTitle(titulekAktualizatoru)) {
        return Spusteni::UzBezi;
    }
    const QString updater = programAktualizace(programFolder);
    const QFileInfo file(updater);
    if (!file.isFile() || !file.isExecutable()) {
        return Spusteni::Chybi;
    }
    return launcher.start(updater, prikazovaRadka(settings, settingsPath)) ? Spusteni::Spusten
                                                                            : Spusteni::NelzeSpustit;
}

Spusteni zkontrolujNoveVerze(TDateTime now, TDateTime& lastVersionCheck, const TNastaveni& settings,
                             const QString& programFolder, const QString& settingsPath, WindowList& windows,
                             Launcher& launcher) {
    if (!settings.kontrolovatAktulizace) {
        lastVersionCheck = now;
        return Spusteni::Vypnuto;
    }
    return spustKontroluNoveVerze(now, lastVersionCheck, settings, programFolder, settingsPath, windows, launcher);
}

} // namespace tavrok::aktualizace
