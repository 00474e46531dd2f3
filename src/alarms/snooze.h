#pragma once

#include "common/datetime.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace tavrok {

class IniFile;

// An alarm put off from its ring: it rings again at `kdy` with its own sound and message, as it is saved
// then. The moment is on UTC: ten minutes put off are ten minutes, whatever the clocks change meanwhile.
struct OdlozenyBudik {
    QString nazev;
    UtcTime kdy;
    friend bool operator==(const OdlozenyBudik&, const OdlozenyBudik&) = default;
};

// The alarms put off, kept in the settings file (section "odlozeneBudiky") so that a restart keeps
// them, soonest first. An alarm is put off once at a time: putting it off again moves its moment.
class OdlozeneBudiky {
public:
    explicit OdlozeneBudiky(IniFile& settings) : settings_(settings) {}

    // Reads the list as the file has it (start-up, an import); entries that cannot be read are left out.
    void nacti();
    const std::vector<OdlozenyBudik>& seznam() const { return seznam_; }
    std::optional<UtcTime> odlozenDo(const QString& name) const;

    // False when the file could not be written; the list in memory changes either way, so the ring
    // still comes in this run.
    bool odloz(const QString& name, UtcTime now, int minutes);
    bool zrus(const QString& name);
    // The settings file was replaced (an import): the list in memory is written to it again, without
    // the alarms that no longer exist. False when it could not be written.
    bool poNahrazeni(const std::function<bool(const QString& name)>& exists);

    // The first one due at `now`, taken off the list; none when nothing is due.
    std::optional<OdlozenyBudik> kontrola(UtcTime now);
    std::optional<UtcTime> nextDue() const;

private:
    bool uloz();
    IniFile& settings_;
    std::vector<OdlozenyBudik> seznam_;
};

// When an alarm put off rings again, on the wall clock as it will read then: "7:10".
QString casOdlozeni(UtcTime kdy);

} // namespace tavrok
