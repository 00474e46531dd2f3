#pragma once

#include "alarms/notificationoptions.h"
#include "alarms/scheduler.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace tavrok {

class IniFile;
class IniRecord;
class IniSnapshot;

// The alarm being edited in the main window.
struct TNactenyBudik {
    TDateTime cas = 0; // time of day only
    QString zprava;
    std::uint8_t stav = 0; // 1 switched on, 2 next occurrence in the future, 3 both
    bool vzdy = true;
    std::uint8_t OD = 1, OM = 1;
    std::uint16_t OR = 1; // years are held in 16 bits: a larger one keeps its low 16 bits
    bool doNekonecna = false;
    std::uint8_t DD = 1, DM = 1;
    std::uint16_t DR = 1;
    std::uint8_t KD = 0, KM = 0;
    std::uint16_t KR = 0;
    bool Po = true, Ut = true, St = true, Ct = true, Pa = true, So = true, Ne = true;
    NotificationOptions upozorneni;

    bool zapnuty() const { return stav == 1 || stav == 3; }
    friend bool operator==(const TNactenyBudik&, const TNactenyBudik&) = default;
};

// The alarm that rings next.
struct TAktualniBudik {
    TDateTime datum = 0;
    QString zprava;
    bool stav = false;
    NotificationOptions upozorneni;
};

// Marks where the present moment lies in the list; never an alarm's name.
inline const QString AlarmSeparator = QString(21, u'-');

// The alarm's date by its schedule; empty when its from date cannot be formed.
std::optional<TDateTime> nejblizsiDatum(const TNactenyBudik& alarm, TDateTime now);

// Reads one alarm section with the defaults of the file layout.
TNactenyBudik nactiBudik(const IniSnapshot& ini, const QString& name);
// An alarm's section read in one pass: its schedule, `stav`, `posledni` and `zprava`.
IniRecord zaznamBudiku(const IniSnapshot& ini, QStringView name);
// Only when it rings and whether it is on: its schedule and `stav`, the rest left at the defaults.
TNactenyBudik nactiRozvrhBudiku(const IniRecord& alarm);

// Adds the alarm (listing it in "info" when the name is new) or overwrites it, with "posledni" = now,
// as one atomic change of the file.
bool ulozBudik(IniFile& alarmsIni, const QString& name, const TNactenyBudik& alarm, TDateTime now);
// Deletes one alarm: the names listed after it move up one place, the section goes.
bool vymazBudik(IniFile& alarmsIni, const QString& name);
// Deletes the whole file; a missing file is already deleted.
bool vymazVsechnyBudiky(const IniFile& alarmsIni);
bool zapisPosledni(IniFile& alarmsIni, const QString& name, TDateTime moment);

// The names listed in "info", in the order they were first saved ("?" for a missing key).
QStringList nazvyBudiku(const IniSnapshot& ini);

// Every alarm with its date and the separator at `now`, sorted by date. An alarm whose from date
// cannot be formed has no occurrence (date 0) and the rest of the list still loads. `eachAlarm`, when
// given, sees every listed name with its section as read and its schedule (the state left out), in the
// order of the list in the file.
using KazdyBudik = std::function<void(const IniSnapshot& ini, const IniRecord& alarm, const QString& name,
                                      const TNactenyBudik& schedule)>;
SeznamBudiku nactiSeznamBudiku(const IniFile& alarmsIni, TDateTime now, const KazdyBudik& eachAlarm = {});

// The alarm right after the separator; fields read before a failure keep their new values, the rest
// keep those of `previous`. With no alarm after the separator nothing changes.
TAktualniBudik nactiAktualniBudik(const IniFile& alarmsIni, const SeznamBudiku& list, TDateTime now,
                                  const TAktualniBudik& previous);

} // namespace tavrok
