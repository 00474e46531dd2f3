#pragma once

#include "common/datetime.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace tavrok {

// The next occurrence of an alarm at or after `now`; when there is none, its most recent occurrence
// before `now`; 0 when it has neither. The from date (OD, OM, OR), the until date (DD, DM, DR), the
// when fields (KD, KM, KR; 0 = any), the weekday flags Monday..Sunday, vzdy ("always": the from and
// until dates do not count), doNekonecna (no until date) and cas, the time of day.
//
// Empty when vzdy is false and the from date cannot be formed: the caller decides what that alarm is.
std::optional<TDateTime> vypoctiNejblizsiDatumBudiku(std::uint8_t OD, std::uint8_t OM, std::uint16_t OR,
                                                     std::uint8_t DD, std::uint8_t DM, std::uint16_t DR,
                                                     std::uint8_t KD, std::uint8_t KM, std::uint16_t KR, bool Po,
                                                     bool Ut, bool St, bool Ct, bool Pa, bool So, bool Ne,
                                                     bool vzdy, bool doNekonecna, TDateTime cas, TDateTime now);

// The alarm list: names with their dates, sorted by date; equal dates keep their order.
struct SeznamBudiku {
    QStringList seznamNazvuBudiku;
    std::vector<TDateTime> seznamDatBudiku;
};
void seradBudiky(SeznamBudiku& list);

} // namespace tavrok
