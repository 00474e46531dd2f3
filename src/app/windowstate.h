#pragma once

#include "app/mainstate.h"
#include "display/displaysettings.h"

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
// Moves a window whose client area would start at `position` so that its title bar (the strip of
// `titleHeight` above the client area) lies wholly on one of the screens: a position saved on a monitor
// that is gone, or hand-edited, never loses the window. A position already on a screen stays.
QPoint keepTitleOnScreen(QPoint position, QSize window, const QList<QRect>& screens, int titleHeight);

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
