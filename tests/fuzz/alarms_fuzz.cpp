// Any bytes as Budiky.ini: the list is loaded and scheduled, then an alarm made from the input is saved
// and one listed alarm deleted. The list is checked against what it held before: the saved alarm is
// listed once and reads back, the deleted one is gone, every other alarm is listed and reads as before.
#include "alarms/alarmfile.h"
#include "alarms/missedalarms.h"
#include "fuzz/fuzzinput.h"
#include "storage/inifile.h"

#include <cmath>
#include <tuple>

using namespace tavrok;

namespace {

bool sameAlarm(const TNactenyBudik& a, const TNactenyBudik& b) {
    const auto fields = [](const TNactenyBudik& x) {
        return std::tie(x.zprava, x.stav, x.vzdy, x.OD, x.OM, x.OR, x.doNekonecna, x.DD, x.DM, x.DR, x.KD,
                        x.KM, x.KR, x.Po, x.Ut, x.St, x.Ct, x.Pa, x.So, x.Ne);
    };
    return (a.cas == b.cas || (std::isnan(a.cas) && std::isnan(b.cas))) && fields(a) == fields(b);
}

// Every alarm of `names` other than `changed` is still listed after the change and reads as before. The
// list shows "?" where a numbered name is missing: no alarm, so nothing to keep.
void checkOthersKept(const QStringList& names, const QString& changed, const IniSnapshot& before,
                     const IniSnapshot& after) {
    const QStringList listed = nazvyBudiku(after);
    for (const QString& other : names) {
        if (other.compare(changed, Qt::CaseInsensitive) != 0 && other != u"?") {
            FUZZ_CHECK(listed.contains(other), "every other alarm stays listed");
            FUZZ_CHECK(sameAlarm(nactiBudik(after, other), nactiBudik(before, other)), "and reads as before");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path = fuzz::scratchPath(QStringLiteral("Budiky.ini"));
    fuzz::FuzzInput in(data, size);
    const TDateTime now = 40000 + in.word() + in.word() / 65536.0; // 2009 to 2188
    TNactenyBudik alarm;
    alarm.cas = (in.byte() % 24) / 24.0;
    alarm.zprava = QStringLiteral("zpráva %1").arg(in.byte());
    alarm.stav = in.byte() % 4;
    alarm.vzdy = in.flag();
    alarm.OD = in.byte();
    alarm.OM = in.byte();
    alarm.OR = in.word();
    alarm.doNekonecna = in.flag();
    alarm.DD = in.byte();
    alarm.DM = in.byte();
    alarm.DR = in.word();
    alarm.KD = in.byte() % 32;
    alarm.KM = in.byte() % 13;
    alarm.KR = in.word();
    in.weekdays(alarm);
    const int victim = in.byte();
    const bool missed = in.flag();
    fuzz::putFile(path, in.rest());

    IniFile ini(path);
    const SeznamBudiku list = nactiSeznamBudiku(ini, now);
    FUZZ_CHECK(list.seznamNazvuBudiku.size() == static_cast<qsizetype>(list.seznamDatBudiku.size()), "one date per name");
    FUZZ_CHECK(list.seznamNazvuBudiku.contains(AlarmSeparator), "the separator is always in the list");
    (void)nactiAktualniBudik(ini, list, now, {});
    if (missed) {
        const ZmeskaneBudiky m = najdiZmeskaneBudiky(ini, now, 50);
        FUZZ_CHECK(m.seznam.size() <= 50, "the missed list keeps to its limit");
    }
    const IniSnapshot before = ini.snapshot();
    const QString name = QStringLiteral("Fuzz budík");
    if (ulozBudik(ini, name, alarm, now)) {
        const IniSnapshot after = ini.snapshot();
        FUZZ_CHECK(nazvyBudiku(after).count(name) == 1, "the saved alarm is listed once");
        TNactenyBudik expected = alarm;
        expected.stav = alarm.zapnuty() ? 1 : 0; // only "switched on" is stored
        FUZZ_CHECK(sameAlarm(nactiBudik(after, name), expected), "the saved alarm reads back");
        checkOthersKept(nazvyBudiku(before), name, before, after);
    }
    const IniSnapshot beforeDelete = ini.snapshot();
    const QStringList present = nazvyBudiku(beforeDelete);
    if (!present.isEmpty()) {
        const QString gone = present[victim % present.size()];
        if (vymazBudik(ini, gone)) {
            const IniSnapshot after = ini.snapshot();
            FUZZ_CHECK(!nazvyBudiku(after).contains(gone, Qt::CaseInsensitive) || present.count(gone) > 1,
                       "the deleted alarm is no longer listed");
            checkOthersKept(present, gone, beforeDelete, after);
        }
    }
    return 0;
}
