#include "alarms/missedalarms.h"

#include "alarms/alarmfile.h"
#include "storage/inifile.h"

#include <algorithm>

namespace tavrok {

TDateTime vypoctiNejblizsiDatumZmeskanehoBudiku(const TNactenyBudik& alarm, TDateTime base, TDateTime now) {
    // The scheduler's next occurrence from just after the base: the first one strictly after it.
    const std::optional<TDateTime> next = nejblizsiDatum(alarm, base + OneMillisecond);
    if (!next || *next <= base || *next > now) {
        return 0;
    }
    return *next;
}

namespace {

// An occurrence with the order it was found in: equal moments keep the order of the alarm list.
struct Found {
    ZmeskanyBudik budik;
    qint64 order;
};
bool earlier(const Found& a, const Found& b) {
    return a.budik.datum != b.budik.datum ? a.budik.datum < b.budik.datum : a.order < b.order;
}

} // namespace

ZmeskaneBudiky najdiZmeskaneBudiky(IniFile& alarmsIni, TDateTime now, std::size_t limit) {
    const IniSnapshot ini = alarmsIni.snapshot();
    ZmeskaneBudiky result;
    std::vector<Found> kept; // a heap of the earliest `limit`, the latest of them on top
    qint64 order = 0;
    IniBatch posledni(alarmsIni);
    // A date-time that cannot be read counts as 31 December 1899.
    constexpr TDateTime Unknown = 1.0;
    for (const QString& name : nazvyBudiku(ini)) {
        if (isListSection(name) || !ini.sectionExists(name)) {
            continue;
        }
        const TDateTime base = ini.readDateTime(name, u"posledni", Unknown);
        posledni.writeDateTime(name, u"posledni", now);
        const TNactenyBudik alarm = nactiBudik(ini, name);
        if (!alarm.zapnuty()) {
            continue;
        }
        for (TDateTime c = vypoctiNejblizsiDatumZmeskanehoBudiku(alarm, base, now); c != 0;
             c = vypoctiNejblizsiDatumZmeskanehoBudiku(alarm, c, now)) {
            const Found f{{c, name}, order++};
            if (kept.size() < limit) {
                kept.push_back(f);
                std::push_heap(kept.begin(), kept.end(), earlier);
                continue;
            }
            ++result.dalsi;
            if (limit > 0 && earlier(f, kept.front())) {
                std::pop_heap(kept.begin(), kept.end(), earlier);
                kept.back() = f;
                std::push_heap(kept.begin(), kept.end(), earlier);
            }
        }
    }
    (void)posledni.commit(); // a write error is not the user's concern here
    std::sort_heap(kept.begin(), kept.end(), earlier);
    result.seznam.reserve(kept.size());
    for (Found& f : kept) {
        result.seznam.push_back(std::move(f.budik));
    }
    return result;
}

} // namespace tavrok
