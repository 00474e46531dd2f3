#include "alarms/missedalarms.h"

#include "alarms/alarmfile.h"
#include "storage/inidocument.h"
#include "storage/inifile.h"
#include "storage/inirecord.h"
#include "storage/inivalues.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <unordered_set>

namespace tavrok {

namespace {

// The scheduler's next occurrence from just after the base: the first one strictly after it.
std::optional<TDateTime> nextAfter(const TNactenyBudik& alarm, TDateTime base) {
    return nejblizsiDatum(alarm, base + OneMillisecond);
}

// That occurrence when it fell in (base, now]; 0 otherwise.
TDateTime missedOf(std::optional<TDateTime> next, TDateTime base, TDateTime now) {
    return next && *next > base && *next <= now ? *next : 0;
}

// An alarm as the search sees it: its mark, and its next occurrence from there. Without a mark that can
// be read there is nothing to search from.
struct Marked {
    TDateTime base;
    std::optional<TDateTime> next;
    bool unmarked = false;
};
Marked markedOf(const IniRecord& record, TNactenyBudik& schedule) {
    const TDateTime base = record.readDateTime(u"posledni", std::numeric_limits<double>::quiet_NaN());
    if (std::isnan(base)) {
        return {0, std::nullopt, true};
    }
    // Written by hand without it (or with a value that is no number), an alarm here runs without an
    // until date.
    schedule.doNekonecna = record.readBool(u"doNekonecna", true);
    return {base, nextAfter(schedule, base)};
}

} // namespace

TDateTime vypoctiNejblizsiDatumZmeskanehoBudiku(const TNactenyBudik& alarm, TDateTime base, TDateTime now) {
    return missedOf(nextAfter(alarm, base), base, now);
}

namespace {

// The occurrences are walked at most this many: alarms last checked years ago would keep the start busy
// for minutes. Past the limit the count of older ones says "more than".
constexpr qint64 CountLimit = 1'000'000;

// The next occurrence of one alarm still to be listed or counted.
struct Cursor {
    TDateTime next;
    std::size_t alarm; // into the alarm list: equal moments keep the list's order
};
// For a heap with the earliest on top.
bool later(const Cursor& a, const Cursor& b) {
    return a.next != b.next ? a.next > b.next : a.alarm > b.alarm;
}

} // namespace

void MissedAlarmCandidates::consider(const IniRecord& record, const QString& name, const TNactenyBudik& schedule) {
    TNactenyBudik alarm = schedule;
    const auto [base, next, withoutMark] = markedOf(record, alarm);
    if (withoutMark || !next || *next <= until || base > from) {
        names << name;
        unmarked.push_back(withoutMark && record.sectionExists()); // a name without a section is passed over
    }
}

ZmeskaneBudiky najdiZmeskaneBudiky(IniFile& alarmsIni, TDateTime now, std::size_t limit,
                                   const MissedAlarmCandidates* candidates) {
    std::vector<std::pair<QString, TNactenyBudik>> alarms;
    std::vector<Cursor> cursors;
    QStringList toMark;
    {
        const IniSnapshot ini = alarmsIni.snapshot(); // let go before the marks change the file
        const bool picked = candidates && candidates->fileVersion == ini.version() && candidates->from <= now &&
                            now <= candidates->until;
        const QStringList names = picked ? candidates->names : nazvyBudiku(ini);
        // A name the list holds twice (in any letter case): its first entry already marked it checked.
        std::unordered_set<QStringView, detail::CaseInsensitiveHash, detail::CaseInsensitiveEqual> seen;
        seen.reserve(static_cast<std::size_t>(names.size()));
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QString& name = names[i];
            if (isListSection(name)) {
                continue;
            }
            if (picked && candidates->unmarked[static_cast<size_t>(i)]) {
                if (seen.insert(name).second) {
                    toMark << name; // read when they were picked: nothing more to learn from it
                }
                continue;
            }
            const IniRecord record = zaznamBudiku(ini, name);
            if (!record.sectionExists() || !seen.insert(name).second) {
                continue;
            }
            TNactenyBudik alarm = nactiRozvrhBudiku(record);
            const auto [base, next, unmarked] = markedOf(record, alarm);
            const TDateTime first = unmarked ? 0 : missedOf(next, base, now);
            // Checked up to now. An alarm whose next occurrence from its mark is still to come keeps the
            // mark: a later search from there finds what one from now would, and a long list is not
            // rewritten at every start. Any other alarm is marked now: one that rang, one whose search
            // from the mark ends without a date (a 31st in a short month), one whose mark lies ahead of
            // now (the clock was set back).
            if (unmarked || !next || *next <= now || base > now) {
                toMark << name;
            }
            if (first != 0 && alarm.zapnuty()) {
                cursors.push_back({first, alarms.size()});
                alarms.emplace_back(name, std::move(alarm));
            }
        }
    }
    IniBatch posledni(alarmsIni);
    const QString mark = formatIniDateTime(now);
    for (const QString& name : toMark) {
        posledni.writeString(name, u"posledni", mark);
    }
    (void)posledni.commit(); // a write error is not the user's concern here

    // All of them in time order, merged from the alarms' own sequences; the newest `limit` are kept.
    ZmeskaneBudiky result;
    std::deque<ZmeskanyBudik> newest;
    qint64 walked = 0;
    std::make_heap(cursors.begin(), cursors.end(), later);
    while (!cursors.empty()) {
        if (++walked > CountLimit) {
            result.dalsiNejmene = true;
            break;
        }
        std::pop_heap(cursors.begin(), cursors.end(), later);
        Cursor& c = cursors.back();
        const auto& [name, alarm] = alarms[c.alarm];
        newest.push_back({c.next, name});
        if (newest.size() > limit) {
            newest.pop_front();
            ++result.dalsi;
        }
        c.next = vypoctiNejblizsiDatumZmeskanehoBudiku(alarm, c.next, now);
        if (c.next == 0) {
            cursors.pop_back();
        } else {
            std::push_heap(cursors.begin(), cursors.end(), later);
        }
    }
    result.seznam.assign(newest.begin(), newest.end());
    return result;
}

void pridejZmeskane(ZmeskaneBudiky& list, const ZmeskaneBudiky& newer, std::size_t limit) {
    list.seznam.insert(list.seznam.end(), newer.seznam.begin(), newer.seznam.end());
    list.dalsi += newer.dalsi;
    list.dalsiNejmene = list.dalsiNejmene || newer.dalsiNejmene;
    if (list.seznam.size() > limit) {
        const auto older = static_cast<std::ptrdiff_t>(list.seznam.size() - limit);
        list.seznam.erase(list.seznam.begin(), list.seznam.begin() + older);
        list.dalsi += older;
    }
}

bool zpetPosunuteHodiny(IniFile& alarmsIni, TDateTime now) {
    QStringList ahead;
    {
        const IniSnapshot ini = alarmsIni.snapshot();
        for (const QString& name : nazvyBudiku(ini)) {
            const TDateTime mark = zaznamBudiku(ini, name).readDateTime(u"posledni", 0);
            if (!isListSection(name) && mark > now) {
                ahead << name;
            }
        }
    }
    IniBatch posledni(alarmsIni);
    const QString mark = formatIniDateTime(now);
    for (const QString& name : ahead) {
        posledni.writeString(name, u"posledni", mark);
    }
    return posledni.commit();
}

} // namespace tavrok
