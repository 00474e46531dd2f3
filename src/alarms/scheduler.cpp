#include "alarms/scheduler.h"

#include "common/largepages.h"

#include <cmath>

#include <algorithm>
#include <numeric>
#include <utility>

namespace tavrok {

namespace {

// No schedule needs anywhere near this many steps (the longest real search, a 29 February on one
// weekday, takes a few hundred); it only guarantees that every call ends.
constexpr int MaxSteps = 100'000;

struct Schedule {
    std::uint8_t OD, OM;
    std::uint16_t OR;
    std::uint8_t DD, DM;
    std::uint16_t DR;
    std::uint8_t KD, KM;
    std::uint16_t KR;
    bool weekday[8]; // by dayOfWeek: 1 Sunday .. 7 Saturday
    bool vzdy, doNekonecna;
    TDateTime cas;
};

// The working date: unsigned 16-bit fields, stepped by the rules below and formed when complete.
struct Ymd {
    std::uint16_t Y = 0, M = 0, D = 0;

    static Ymd of(TDateTime day) {
        const DateParts p = decodeDate(day);
        return {static_cast<std::uint16_t>(p.year), static_cast<std::uint16_t>(p.month),
                static_cast<std::uint16_t>(p.day)};
    }
    std::optional<TDateTime> form() const { return tryEncodeDate(Y, M, D); }
};

std::uint16_t u16(int v) {
    return static_cast<std::uint16_t>(v);
}

// The last day of a month with February by the plain rule of four.
std::uint16_t lastDayByFour(std::uint16_t month, std::uint16_t year) {
    switch (month) {
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return year % 4 == 0 ? 29 : 28;
    default:
        return 31;
    }
}

TDateTime withinLimits(const Schedule& s, TDateTime P, TDateTime C, bool forward) {
    if (s.vzdy) {
        return C;
    }
    const auto F = tryEncodeDate(s.OR, s.OM, s.OD);
    const auto U = tryEncodeDate(s.DR, s.DM, s.DD);
    if (!F || !U) {
        return 0;
    }
    if (*U < P && !s.doNekonecna) {
        return 0;
    }
    if (forward) {
        return *F <= P ? C : 0;
    }
    return *F > P ? 0 : C;
}

// The candidate steps shared by both searches: form the working date, refuse a date that makes no
// progress or leaves the bound, and accept it on an allowed weekday at the right side of now. Empty means
// "try the next day"; a value ends the search with it (0: no occurrence).
std::optional<TDateTime> judge(const Schedule& s, const Ymd& w, std::optional<TDateTime>& P, TDateTime now,
                               TDateTime bound, bool forward) {
    const auto formed = w.form();
    if (!formed || (P && *formed == *P)) {
        return 0.0;
    }
    P = formed;
    const TDateTime C = *P + s.cas;
    const bool acceptable = s.weekday[dayOfWeek(*formed)] && (forward ? now <= C : now >= C);
    if (forward ? *P < bound : *P > bound) {
        return 0.0;
    }
    if (acceptable) {
        return withinLimits(s, *P, C, forward);
    }
    return std::nullopt;
}

TDateTime searchForward(const Schedule& s, TDateTime now, std::optional<TDateTime> F) {
    const TDateTime startDay = (!s.vzdy && now < *F) ? *F - 1 : dateOf(now) - 1;
    Ymd w = Ymd::of(startDay);
    const TDateTime L = dateOf(startDay);
    std::optional<TDateTime> P;
    for (int step = 0; step < MaxSteps; ++step) {
        if (s.KD == 0) {
            const auto day = w.form();
            if (!day) {
                return 0;
            }
            w = Ymd::of(*day + 1);
        } else {
            if (w.D >= s.KD) {
                if (w.M >= 12) {
                    w.M = 1;
                    w.Y = u16(w.Y + 1);
                } else {
                    w.M = u16(w.M + 1);
                }
            }
            w.D = s.KD;
        }
        if (s.KM != 0) {
            if (s.KD == 0 && w.M != s.KM) {
                w.D = 1;
            }
            if (w.M > s.KM) {
                w.Y = u16(w.Y + 1);
            }
            w.M = s.KM;
        }
        if (s.KR != 0) {
            if (s.KM == 0 && w.Y != s.KR) {
                w.M = 1;
            }
            if (s.KD == 0 && w.Y != s.KR) {
                w.D = 1;
            }
            w.Y = s.KR;
        } else if (w.M == 2 && w.D == 29) {
            w.Y = u16((w.Y + 3) / 4 * 4);
        }
        if (const auto result = judge(s, w, P, now, L, true)) {
            return *result;
        }
    }
    return 0;
}

TDateTime searchBackward(const Schedule& s, TDateTime now, std::optional<TDateTime> F) {
    if (!s.vzdy && now < *F) {
        return 0;
    }
    const TDateTime H = dateOf(now) + 1;
    Ymd w = Ymd::of(H);
    std::optional<TDateTime> P;
    for (int step = 0; step < MaxSteps; ++step) {
        if (s.KD == 0) {
            const auto day = w.form();
            if (!day) {
                return 0;
            }
            w = Ymd::of(*day - 1);
        } else {
            if (w.D <= s.KD) {
                if (w.M <= 1) {
                    w.M = 12;
                    w.Y = u16(w.Y - 1);
                } else {
                    w.M = u16(w.M - 1);
                }
            }
            w.D = s.KD;
        }
        if (s.KM != 0) {
            const bool otherMonth = w.M != s.KM;
            if (w.M < s.KM) {
                w.Y = u16(w.Y - 1);
            }
            w.M = s.KM;
            if (s.KD == 0 && otherMonth) {
                w.D = lastDayByFour(s.KM, w.Y);
            }
        }
        if (s.KR != 0) {
            if (s.KM == 0 && w.Y != s.KR) {
                w.M = 12;
            }
            if (s.KD == 0 && w.Y != s.KR) {
                w.D = 31;
            }
            w.Y = s.KR;
        } else if (w.M == 2 && w.D == 29) {
            w.Y = u16(w.Y / 4 * 4);
        }
        if (const auto result = judge(s, w, P, now, H, false)) {
            return *result;
        }
    }
    return 0;
}

} // namespace

std::optional<TDateTime> vypoctiNejblizsiDatumBudiku(std::uint8_t OD, std::uint8_t OM, std::uint16_t OR,
                                                     std::uint8_t DD, std::uint8_t DM, std::uint16_t DR,
                                                     std::uint8_t KD, std::uint8_t KM, std::uint16_t KR, bool Po,
                                                     bool Ut, bool St, bool Ct, bool Pa, bool So, bool Ne,
                                                     bool vzdy, bool doNekonecna, TDateTime cas, TDateTime now) {
    if (!std::isfinite(cas) || !std::isfinite(now)) {
        return std::nullopt; // no moment: no occurrence (found by fuzzing)
    }
    const Schedule s{OD, OM, OR, DD, DM, DR, KD, KM, KR, {false, Ne, Po, Ut, St, Ct, Pa, So}, vzdy, doNekonecna, cas};
    std::optional<TDateTime> F;
    if (!vzdy) {
        F = tryEncodeDate(OR, OM, OD);
        if (!F) {
            return std::nullopt;
        }
    }
    if (!(Po || Ut || St || Ct || Pa || So || Ne)) {
        return 0.0; // no day is ever acceptable
    }
    const TDateTime next = searchForward(s, now, F);
    return next != 0 ? next : searchBackward(s, now, F);
}

void seradBudiky(SeznamBudiku& list) {
    const auto n = list.seznamDatBudiku.size();
    // By date, and equal dates in the order of the list: each date with its place, sorted side by side.
    std::vector<std::pair<TDateTime, size_t>, LargePageAllocator<std::pair<TDateTime, size_t>>> order(n);
    for (size_t i = 0; i < n; ++i) {
        order[i] = {list.seznamDatBudiku[i], i};
    }
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        return a.first < b.first || (!(b.first < a.first) && a.second < b.second);
    });
    // Put in that order where they are, following each cycle of the permutation: a long list is not
    // copied. A place done points to itself.
    for (size_t i = 0; i < n; ++i) {
        list.seznamDatBudiku[i] = order[i].first;
    }
    auto& names = list.seznamNazvuBudiku;
    names.resize(static_cast<qsizetype>(n));
    for (size_t i = 0; i < n; ++i) {
        if (order[i].second == i) {
            continue;
        }
        QString held = std::move(names[static_cast<qsizetype>(i)]);
        for (size_t j = i;;) {
            const size_t from = std::exchange(order[j].second, j);
            if (from == i) {
                names[static_cast<qsizetype>(j)] = std::move(held);
                break;
            }
            names[static_cast<qsizetype>(j)] = std::move(names[static_cast<qsizetype>(from)]);
            j = from;
        }
    }
}

} // namespace tavrok
