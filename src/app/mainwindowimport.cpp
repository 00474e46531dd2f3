// Import and export of the settings, alarms and split times, and what the windows read again after.
#include "alarms/alarmpanel.h"
#include "app/tfrmhlavniokno.h"
#include "platform/filedialogs.h"
#include "stopwatch/stopwatchpanel.h"
#include "stopwatch/tfrmmezicasy.h"
#include "storage/importexport.h"
#include "storage/inifile.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

namespace tavrok {

namespace {
constexpr QSize DisplaySize(666, 180); // the separate display's size when nothing says otherwise
}

void TfrmHlavniOkno::mnuImportClick() {
    const QString folder = services_.files.chooseFolder(QDir::homePath());
    if (folder.isEmpty()) {
        return;
    }
    if (!najdiNastaveniKPortovani(folder)) {
        services_.questions.tell(state_.messages.text(59), MessageIcon::Error);
        return;
    }
    portuj(PortSide::folder(folder), programFiles(), false);
}

void TfrmHlavniOkno::mnuExportClick() {
    const QString folder = services_.files.chooseFolder(QDir::homePath());
    if (!folder.isEmpty()) {
        portuj(programFiles(), PortSide::folder(folder), true);
    }
}

// The program's own files: its settings, alarms and split times where the settings live (not another
// split-times file the manager may have open).
PortSide TfrmHlavniOkno::programFiles() const {
    return {state_.storage.settingsFolder(), state_.storage.alarmsIni().path(), state_.storage.splitsPath(),
            state_.storage.settingsIni().path()};
}

void TfrmHlavniOkno::portuj(const PortSide& source, const PortSide& target, bool exportuje) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QSize screen = primary ? primary->geometry().size() : QSize(1024, 768);
    PlacementDefaults places;
    places.mainLeft = (screen.width() - limits_.width) / 2;
    places.mainTop = (screen.height() - limits_.maxHeight) / 2;
    places.mainHeight = limits_.maxHeight;
    places.displayLeft = (screen.width() - DisplaySize.width()) / 2;
    places.displayTop = (screen.height() - DisplaySize.height()) / 2;
    // The missed alarms of an import are shown as the settings stood before it.
    const bool zobrazovatBudiky = state_.storage.settingsIni().readBool(u"nastaveni", u"zobrazovatBudiky", true);
    portujNastaveni(source, target, exportuje, services_.questions, state_.messages, places,
                    [this, exportuje, zobrazovatBudiky](const PortOutcome& outcome) {
                        // Only the program's own files change its lists: an export leaves them as they are.
                        if (exportuje) {
                            return;
                        }
                        if (outcome.alarmsWritten) {
                            // Once the session ends nobody would see the list: the alarms stay unmarked,
                            // to be listed at the next start.
                            alarmPanel_->alarmsReplaced(zobrazovatBudiky, !endingSession_);
                        }
                        if (outcome.settingsWritten && outcome.failedPath.isEmpty()) {
                            state_.main.settingsImported = true; // they stand as imported
                        }
                        // A manager built later reads the file when it first opens.
                        TfrmMezicasy* manager = stopwatchPanel_->mezicasy().built();
                        if (outcome.splitsWritten && manager &&
                            manager->souborMezicasu() == state_.storage.splitsPath()) {
                            manager->nactiMezicasy(); // the manager shows the imported sets
                        }
                        onStateChanged();
                    });
}

} // namespace tavrok
