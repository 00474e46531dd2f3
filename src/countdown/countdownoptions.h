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

} // namespace tavrok
