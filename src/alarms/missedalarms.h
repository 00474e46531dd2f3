#pragma once

#include "common/datetime.h"

#include <QString>
#include <vector>

namespace tavrok {

class IniFile;
struct TNactenyBudik;

// The occurrence of an alarm strictly after `base` and not after `now`; 0 when there is none.
TDateTime vypoctiNejblizsiDatumZmeskanehoBudiku(const TNactenyBudik& alarm, TDateTime base, TDateTime now);

struct ZmeskanyBudik {
    TDateTime datum = 0;
    QString nazev;
};
struct ZmeskaneBudiky {
    std::vector<ZmeskanyBudik> seznam; // oldest first
    qint64 dalsi = 0;                  // occurrences beyond the listed ones
    bool dalsiNejmene = false;         // counting stopped: there are more than `dalsi`
};

// What rang while the program was closed: every occurrence of every switched-on alarm between its
// "posledni" moment and now, oldest first, at most `limit` of them listed (the rest only counted, up to
// a million, so a long absence with many alarms stays quick). An alarm's "posledni" becomes now, in one
// write, unless its next occurrence from there is still to come: such marks stay as they are.
ZmeskaneBudiky najdiZmeskaneBudiky(IniFile& alarmsIni, TDateTime now, std::size_t limit = 1000);

} // namespace tavrok
