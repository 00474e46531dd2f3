#include "alarms/missedalarms.h"

#include "alarms/alarmfile.h"
#include "storage/inidocument.h"
#include "storage/inifile.h"
#include "storage/inirecord.h"

#include <algorithm>
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

// A date-time that cannot be read counts as 31 December 1899.
constexpr TDateTime UnknownMark = 1.0;

// An alarm as the search sees it: its mark, and its next occurrence from there.
struct Marked {
    TDateTime base;
    std::optional<TDateTime> next;
};
Marked markedOf(const IniRecord& record, TNactenyBudik& schedule) {
    const TDateTime base = record.readDateTime(u"posledni", UnknownMark);
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

// Beyond the listed occurrences the rest are only counted, at most this many: an alarm whose
// "posledni" cannot be read goes back to 1899, and thousands of them would keep the start busy
// for minutes. Past the limit the count says "more than".
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
    const auto [base, next] = markedOf(record, alarm);
    if (!next || *next <= until || base > from) {
        names << name;
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
        for (const QString& name : names) {
            if (isListSection(name)) {
                continue;
            }
            const IniRecord record = zaznamBudiku(ini, name);
            if (!record.sectionExists() || !seen.insert(name).second) {
                continue;
            }
            TNactenyBudik alarm = nactiRozvrhBudiku(record);
            const auto [base, next] = markedOf(record, alarm);
            const TDateTime first = missedOf(next, base, now);
            // Checked up to now. An alarm whose next occurrence from its mark is still to come keeps the
            // mark: a later search from there finds what one from now would, and a long list is not
            // rewritten at every start. Any other alarm is marked now: one that rang, one whose search
            // from the mark ends without a date (a 31st in a short month), one whose mark lies ahead of
            // now (the clock was set back).
            if (!next || *next <= now || base > now) {
                toMark << name;
            }
            if (first != 0 && alarm.zapnuty()) {
                cursors.push_back({first, alarms.size()});
                alarms.emplace_back(name, std::move(alarm));
            }
        }
    }
    IniBatch posledni(alarmsIni);
    for (const QString& name : toMark) {
        posledni.writeDateTime(name, u"posledni", now);
    }
    (void)posledni.commit(); // a write error is not the user's concern here

    // The earliest `limit` of all, merged from the alarms' own sequences.
    ZmeskaneBudiky result;
    std::make_heap(cursors.begin(), cursors.end(), later);
    while (!cursors.empty() && result.seznam.size() < limit) {
        std::pop_heap(cursors.begin(), cursors.end(), later);
        Cursor& c = cursors.back();
        const auto& [name, alarm] = alarms[c.alarm];
        result.seznam.push_back({c.next, name});
        c.next = vypoctiNejblizsiDatumZmeskanehoBudiku(alarm, c.next, now);
        if (c.next == 0) {
            cursors.pop_back();
        } else {
            std::push_heap(cursors.begin(), cursors.end(), later);
        }
    }
    // The rest, counted.
    for (const Cursor& c : cursors) {
        const TNactenyBudik& alarm = alarms[c.alarm].second;
        for (TDateTime t = c.next; t != 0; t = vypoctiNejblizsiDatumZmeskanehoBudiku(alarm, t, now)) {
            if (result.dalsi == CountLimit) {
                result.dalsiNejmene = true;
                return result;
            }
            ++result.dalsi;
        }
    }
    return result;
}

} // namespace tavrok
