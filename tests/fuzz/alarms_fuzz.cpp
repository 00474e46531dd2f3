// Any bytes as Budiky.ini: the list is loaded and scheduled, then an alarm made from the input is saved
// and one listed alarm deleted. The list is checked against what it held before: the saved alarm is
// listed once and reads back, the deleted one is gone, every other alarm is listed and reads as before.
#include "alarms/alarmfile.h"
#include "alarms/missedalarms.h"
#include "fuzz/fuzzinput.h"
#include "storage/inifile.h"

#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <utility>

using namespace tavrok;

namespace {

// The first field in which two alarms differ, or nothing.
const char* differingField(const TNactenyBudik& a, const TNactenyBudik& b) {
    const auto sameTime = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    const std::pair<bool, const char*> fields[] = {
        {sameTime(a.cas, b.cas), "cas"}, {a.zprava == b.zprava, "zprava"}, {a.stav == b.stav, "stav"},
        {a.vzdy == b.vzdy, "vzdy"},      {a.OD == b.OD, "OD"},             {a.OM == b.OM, "OM"},
        {a.OR == b.OR, "OR"},            {a.doNekonecna == b.doNekonecna, "doNekonecna"},
        {a.DD == b.DD, "DD"},            {a.DM == b.DM, "DM"},             {a.DR == b.DR, "DR"},
        {a.KD == b.KD, "KD"},            {a.KM == b.KM, "KM"},             {a.KR == b.KR, "KR"},
        {a.Po == b.Po && a.Ut == b.Ut && a.St == b.St && a.Ct == b.Ct && a.Pa == b.Pa && a.So == b.So && a.Ne == b.Ne,
         "weekdays"}};
    for (const auto& [same, name] : fields) {
        if (!same) {
            return name;
        }
    }
    return nullptr;
}

bool sameAlarm(const TNactenyBudik& a, const TNactenyBudik& b) {
    if (const char* field = differingField(a, b)) {
        std::fprintf(stderr, "alarms differ in %s\n", field);
        return false;
    }
    return true;
}

void show(const char* what, const QStringList& names) {
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(names.join(QStringLiteral(" | "))));
}

// The list shows "?" where a numbered name is missing: no alarm, so nothing to keep.
const QString Unnamed = QStringLiteral("?");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("Budiky.ini"));
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
    const std::uint8_t days = in.byte();
    alarm.Po = days & 1, alarm.Ut = days & 2, alarm.St = days & 4, alarm.Ct = days & 8;
    alarm.Pa = days & 16, alarm.So = days & 32, alarm.Ne = days & 64;
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
    const QStringList names = nazvyBudiku(before);

    const QString name = QStringLiteral("Fuzz budík");
    if (ulozBudik(ini, name, alarm, now)) {
        const IniSnapshot after = ini.snapshot();
        const QStringList listed = nazvyBudiku(after);
        FUZZ_CHECK(listed.count(name) == 1, "the saved alarm is listed once");
        TNactenyBudik expected = alarm;
        expected.upozorneni = nactiBudik(after, name).upozorneni;
        expected.stav = alarm.zapnuty() ? 1 : 0; // only "switched on" is stored
        FUZZ_CHECK(sameAlarm(nactiBudik(after, name), expected), "the saved alarm reads back");
        for (const QString& other : names) {
            if (other.compare(name, Qt::CaseInsensitive) != 0 && other != Unnamed) {
                if (!listed.contains(other)) {
                    show("before the save", names), show("after", listed);
                }
                FUZZ_CHECK(listed.contains(other), "every other alarm stays listed");
                FUZZ_CHECK(sameAlarm(nactiBudik(after, other), nactiBudik(before, other)), "and reads as before");
            }
        }
    }
    const IniSnapshot beforeDelete = ini.snapshot();
    const QStringList present = nazvyBudiku(beforeDelete);
    if (!present.isEmpty()) {
        const QString gone = present[victim % present.size()];
        if (vymazBudik(ini, gone)) {
            const IniSnapshot after = ini.snapshot();
            const QStringList listed = nazvyBudiku(after);
            FUZZ_CHECK(!listed.contains(gone, Qt::CaseInsensitive) || present.count(gone) > 1,
                       "the deleted alarm is no longer listed");
            for (const QString& other : present) {
                if (other.compare(gone, Qt::CaseInsensitive) != 0 && other != Unnamed) {
                    if (!listed.contains(other)) {
                        show("before deleting " + gone.toUtf8(), present), show("after", listed);
                    }
                    FUZZ_CHECK(listed.contains(other), "the others stay listed");
                    FUZZ_CHECK(sameAlarm(nactiBudik(after, other), nactiBudik(beforeDelete, other)),
                               "and read as before");
                }
            }
        }
    }
    return 0;
}
