#pragma once

#include "app/mainstate.h"
#include "display/displaysettings.h"
#include "display/snapping.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace tavrok {

class IniFile;

// The check marks of the File menu, kept in section "stavHlavnihoOkna".
struct MenuChecks {
    bool doIkony = false;
    bool zvuk = true;
    bool vzdyNahore = false;
};
MenuChecks nactiStavHlavnihoOkna(const IniFile& settings);

// The countdown fields remembered between runs when "pamatovatOdpocit" is set.
struct RememberedCountdown {
    TDateTime odpocitCas = 0;
    bool odpocitOpakovat = false;
    QString odpocitZprava;
};
// Empty when the setting is off.
std::optional<RememberedCountdown> nactiPamatovanyOdpocet(const IniFile& settings);

// Start-up step 7: the window height.
int startHeight(const IniFile& settings, int maxHeight);
// Start-up step 8: the window position; centred wins over remembered.
QPoint startPosition(const IniFile& settings, QSize screen, QSize window);
int startFunction(const IniFile& settings);

// What shutdown step 1 writes.
struct ExitState {
    QPoint position;
    int height = 0;
    MenuChecks menu;
    RememberedCountdown countdown;
    Funkce function = Funkce::Budik;
    TDateTime lastVersionCheck = 0;
    std::optional<DisplayWindowState> display; // the separate display's place, section "stavDispleje"
    bool mezicasySloucit = true; // the split-times export's form, section "nastaveniMezicasu"
};
// One replacement of the file: false when it could not be written, and then nothing of it is.
bool ulozStavPriUkonceni(IniFile& settings, const ExitState& state);

} // namespace tavrok
