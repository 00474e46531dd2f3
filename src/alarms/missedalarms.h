#pragma once

#include "common/datetime.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tavrok {

class IniFile;
class IniRecord;
class IniSnapshot;
struct TNactenyBudik;

// The occurrence of an alarm strictly after `base` and not after `now`; 0 when there is none.
TDateTime vypoctiNejblizsiDatumZmeskanehoBudiku(const TNactenyBudik& alarm, TDateTime base, TDateTime now);

struct ZmeskanyBudik {
    TDateTime datum = 0;
    QString nazev;
};
struct ZmeskaneBudiky {
    std::vector<ZmeskanyBudik> seznam; // oldest first
    qint64 dalsi = 0;                  // older occurrences than the listed ones
    bool dalsiNejmene = false;         // counting stopped: there are more than `dalsi`
    bool poImportu = false;            // some were found in imported alarms, not while the program was off
};

// What rang while the program was closed: every occurrence of every switched-on alarm between its
// "posledni" moment and now, oldest first, the newest `limit` of them listed (the older ones only
// counted, up to a million, so a long absence with many alarms stays quick). An alarm's "posledni"
// becomes now, in one write, unless its next occurrence from there is still to come: such marks stay as
// they are. An alarm without a readable "posledni" (written by hand, imported) has missed nothing before
// this first look: it lists nothing and is marked now.
//
// `candidates`, when they were picked from the same contents of the file and `now` lies in their span,
// spare the search reading every alarm again: it reads only those.
struct MissedAlarmCandidates;
// Newer misses added to a list: the newest `limit` stay listed, the older ones are counted.
void pridejZmeskane(ZmeskaneBudiky& list, const ZmeskaneBudiky& newer, std::size_t limit = 1000);
ZmeskaneBudiky najdiZmeskaneBudiky(IniFile& alarmsIni, TDateTime now, std::size_t limit = 1000,
                                   const MissedAlarmCandidates* candidates = nullptr);

// The clock was set back while the program ran: it had checked every alarm up to this new "now", so a
// mark the clock left ahead of it becomes now, and a later search finds what falls after it. A mark in
// the future would hide every miss until the clock reached it again.
bool zpetPosunuteHodiny(IniFile& alarmsIni, TDateTime now);

// The alarms that the search at any moment from `from` to `until` may list or mark, picked while the
// list is loaded (nactiSeznamBudiku's eachAlarm), so that a start reads each alarm once. Any other alarm
// has its next occurrence from its mark after `until` and its mark not after `from`: nothing to find.
struct MissedAlarmCandidates {
    quint64 fileVersion = 0; // of the contents they were picked from
    TDateTime from = 0;
    TDateTime until = 0;
    QStringList names; // in the order of the list in the file
    // For each of the names: it has no readable mark (imported, written by hand), so it lists nothing
    // and is only marked.
    std::vector<bool> unmarked;

    void consider(const IniRecord& alarm, const QString& name, const TNactenyBudik& schedule);
};

} // namespace tavrok
