#include "alarms/snooze.h"

#include "storage/caseinsensitive.h"
#include "storage/inifile.h"

#include <algorithm>
#include <cmath>

namespace tavrok {

namespace {
constexpr char16_t Section[] = u"odlozeneBudiky";
// More than anyone puts off at once; a hand-edited count beyond it is not believed.
constexpr int MostEntries = 1000;

bool sameName(const QString& a, const QString& b) {
    return detail::CaseInsensitiveEqual()(QStringView(a), QStringView(b));
}
} // namespace

void OdlozeneBudiky::nacti() {
    seznam_.clear();
    const IniSnapshot ini = settings_.snapshot();
    const int count = std::clamp(ini.readInteger(Section, u"pocet", 0), 0, MostEntries);
    for (int i = 1; i <= count; ++i) {
        const QString n = QString::number(i);
        const QString name = ini.readString(Section, n).trimmed();
        const double moment = ini.readFloat(Section, n + QStringLiteral("kdy"), -1);
        if (name.isEmpty() || moment < 0 || moment > LastDay + 1 ||
            std::any_of(seznam_.begin(), seznam_.end(), [&](const auto& o) { return sameName(o.nazev, name); })) {
            continue;
        }
        seznam_.push_back({name, UtcTime(moment)});
    }
    std::stable_sort(seznam_.begin(), seznam_.end(), [](const auto& a, const auto& b) { return a.kdy < b.kdy; });
}

std::optional<UtcTime> OdlozeneBudiky::odlozenDo(const QString& name) const {
    for (const OdlozenyBudik& o : seznam_) {
        if (sameName(o.nazev, name)) {
            return o.kdy;
        }
    }
    return std::nullopt;
}

bool OdlozeneBudiky::odloz(const QString& name, UtcTime now, int minutes) {
    std::erase_if(seznam_, [&](const auto& o) { return sameName(o.nazev, name); });
    const OdlozenyBudik entry{name, now + minutes / 1440.0};
    seznam_.insert(std::upper_bound(seznam_.begin(), seznam_.end(), entry,
                                    [](const auto& a, const auto& b) { return a.kdy < b.kdy; }),
                   entry);
    return uloz();
}

bool OdlozeneBudiky::zrus(const QString& name) {
    return std::erase_if(seznam_, [&](const auto& o) { return sameName(o.nazev, name); }) == 0 || uloz();
}

bool OdlozeneBudiky::poNahrazeni(const std::function<bool(const QString& name)>& exists) {
    std::erase_if(seznam_, [&](const auto& o) { return !exists(o.nazev); });
    return uloz();
}

std::optional<OdlozenyBudik> OdlozeneBudiky::kontrola(UtcTime now) {
    if (seznam_.empty() || seznam_.front().kdy > now) {
        return std::nullopt;
    }
    OdlozenyBudik due = seznam_.front();
    seznam_.erase(seznam_.begin());
    (void)uloz(); // a failed write rings it once more at the next start, which is the safe side
    return due;
}

std::optional<UtcTime> OdlozeneBudiky::nextDue() const {
    return seznam_.empty() ? std::nullopt : std::optional(seznam_.front().kdy);
}

bool OdlozeneBudiky::uloz() {
    IniBatch b(settings_);
    b.eraseSection(Section);
    if (!seznam_.empty()) {
        b.writeInteger(Section, u"pocet", static_cast<int>(seznam_.size()));
        for (size_t i = 0; i < seznam_.size(); ++i) {
            const QString n = QString::number(i + 1);
            b.writeString(Section, n, seznam_[i].nazev);
            b.writeFloat(Section, n + QStringLiteral("kdy"), seznam_[i].kdy.days());
        }
    }
    return b.commit();
}

QString casOdlozeni(UtcTime kdy) {
    const LocalTime at = localFromUtc(kdy);
    const std::int64_t minutes = toMilliseconds(at.days() - std::floor(at.days())) / 60'000;
    return QStringLiteral("%1:%2").arg(minutes / 60 % 24).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

} // namespace tavrok
