#pragma once

#include "alarms/notificationoptions.h"

#include <QList>
#include <QString>

namespace tavrok {

class IniFile;

// The countdown's options as Nastaveni.ini keeps them (section "dalsiNastaveniOdpocit", the notice list
// in "dalsiNastaveniOdpocit-Upozorneni", three keys of "nastaveni"). The engine reads this record; the
// options dialog edits the file.
struct TDalsiOdpocit {
    bool upozornovatPredem = false;
    QList<int> predem; // seconds before the end, ascending
    bool pridatCislo = false;
    QString zvuky = QStringLiteral("Standard");
    NotificationOptions naKonci; // the end notification
    bool spustitTavrok = false;
    bool prepnoutDisplej = false;
    bool procenta = true;
    bool graf = true;
    // From "nastaveni".
    bool nechatOdpocit = false;
    bool spustitTavrokZnovu = false;
    bool nespoustetTavrok = false;
};

TDalsiOdpocit nactiDalsiOdp(const IniFile& settings);

// Writes the dialog's keys in the order the file keeps them (the three "nastaveni" keys are the settings
// dialog's); false at the first write that fails, the keys before it stay written.
bool ulozDalsiOdp(IniFile& settings, const TDalsiOdpocit& options);

// The advance-notice list, ascending. Adding a value that is there already is refused.
namespace predem {
bool pridat(QList<int>& list, int seconds);
} // namespace predem

} // namespace tavrok
