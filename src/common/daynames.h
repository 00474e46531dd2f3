#pragma once

#include "common/datetime.h"

#include <QString>
#include <array>

namespace tavrok {

// The weekday abbreviations, by weekday number 1 (Sunday) .. 7 (Saturday); a language file may replace them.
struct DayNames {
    std::array<QString, 7> names{QStringLiteral("Ne"), QStringLiteral("Po"), QStringLiteral("\u00DAt"),
                                 QStringLiteral("St"), QStringLiteral("\u010Ct"), QStringLiteral("P\u00E1"),
                                 QStringLiteral("So")};
    const QString& forWeekday(int weekday) const { return names[static_cast<size_t>((weekday + 6) % 7)]; }
};

} // namespace tavrok
