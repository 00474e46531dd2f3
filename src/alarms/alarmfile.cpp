#include "alarms/alarmfile.h"

#include "storage/inifile.h"
#include "storage/inirecord.h"
#include "storage/savefile.h"

#include <QFile>
#include <QFileInfo>

namespace tavrok {

namespace {

constexpr char16_t Info[] = u"info";
constexpr char16_t Count[] = u"pocetBudiku";
const QString Unknown = QStringLiteral("?");

std::uint8_t u8(int v) {
    return static_cast<std::uint8_t>(v);
}
std::uint16_t u16(int v) {
    return static_cast<std::uint16_t>(v);
}

// The schedule fields of a section with the given defaults for the dates and the when fields.
TNactenyBudik readSchedule(const IniRecord& r, int dateDefault, int whenDefault) {
    TNactenyBudik b;
    b.OD = u8(r.readInteger(u"OD", dateDefault));
    b.OM = u8(r.readInteger(u"OM", dateDefault));
    b.OR = u16(r.readInteger(u"OR", dateDefault));
    b.DD = u8(r.readInteger(u"DD", dateDefault));
    b.DM = u8(r.readInteger(u"DM", dateDefault));
    b.DR = u16(r.readInteger(u"DR", dateDefault));
    b.KD = u8(r.readInteger(u"KD", whenDefault));
    b.KM = u8(r.readInteger(u"KM", whenDefault));
    b.KR = u16(r.readInteger(u"KR", whenDefault));
    b.Po = r.readBool(u"Po", true);
    b.Ut = r.readBool(u"Ut", true);
    b.St = r.readBool(u"St", true);
    b.Ct = r.readBool(u"Ct", true);
    b.Pa = r.readBool(u"Pa", true);
    b.So = r.readBool(u"So", true);
    b.Ne = r.readBool(u"Ne", true);
    b.vzdy = r.readBool(u"vzdy", true);
    b.doNekonecna = r.readBool(u"doNekonecna", false);
    b.cas = r.readTime(u"cas", 0);
    return b;
}

} // namespace

std::optional<TDateTime> nejblizsiDatum(const TNactenyBudik& b, TDateTime now) {
    return vypoctiNejblizsiDatumBudiku(b.OD, b.OM, b.OR, b.DD, b.DM, b.DR, b.KD, b.KM, b.KR, b.Po, b.Ut, b.St, b.Ct,
                                       b.Pa, b.So, b.Ne, b.vzdy, b.doNekonecna, b.cas, now);
}

IniRecord zaznamBudiku(const IniSnapshot& ini, QStringView name) {
    static const IniKeys keys{u"OD", u"OM", u"OR", u"DD",  u"DM", u"DR", u"KD",   u"KM",          u"KR",
                              u"Po", u"Ut", u"St", u"Ct",  u"Pa", u"So", u"Ne",   u"vzdy",        u"doNekonecna",
                              u"cas", u"stav", u"posledni", u"zprava"};
    return IniRecord(ini, name, keys);
}

TNactenyBudik nactiRozvrhBudiku(const IniRecord& alarm) {
    TNactenyBudik b = readSchedule(alarm, 1, 0);
    b.stav = alarm.readBool(u"stav", false) ? 1 : 0;
    return b;
}

TNactenyBudik nactiBudik(const IniSnapshot& ini, const QString& name) {
    const IniRecord alarm = zaznamBudiku(ini, name);
    TNactenyBudik b = nactiRozvrhBudiku(alarm);
    b.zprava = alarm.readString(u"zprava");
    b.upozorneni = nactiUpozorneni(ini, name, AlarmNotificationKeys);
    return b;
}

QStringList nazvyBudiku(const IniSnapshot& ini) {
    // The names are keys of "info", so a count beyond its keys is a hand-edited number: taken as it
    // stands, a huge one would make millions of "?" alarms and freeze the program.
    const int n = boundedListCount(ini, Info, ini.readInteger(Info, Count, 0), 1);
    return ini.numberedValues(Info, 1, n, Unknown);
}

bool ulozBudik(IniFile& ini, const QString& name, const TNactenyBudik& b, TDateTime now) {
    if (name.trimmed().compare(Info, Qt::CaseInsensitive) == 0) {
        return false; // the list's own section: an alarm there would overwrite the list
    }
    IniBatch batch(ini);
    const IniSnapshot before = ini.snapshot();
    const QStringList names = nazvyBudiku(before);
    bool listed = false;
    for (const QString& n : names) {
        listed |= n.compare(name, Qt::CaseInsensitive) == 0;
    }
    if (!listed) {
        // After the names the list really holds: a hand-edited count beyond them would hide the alarm.
        const int count = static_cast<int>(names.size()) + 1;
        batch.writeInteger(Info, Count, count);
        batch.writeString(Info, QString::number(count), name);
    }
    batch.writeDateTime(name, u"posledni", now);
    batch.writeTime(name, u"cas", b.cas);
    batch.writeString(name, u"zprava", b.zprava);
    batch.writeBool(name, u"vzdy", b.vzdy);
    batch.writeBool(name, u"doNekonecna", b.doNekonecna);
    batch.writeBool(name, u"stav", b.zapnuty());
    batch.writeInteger(name, u"OD", b.OD);
    batch.writeInteger(name, u"OM", b.OM);
    batch.writeInteger(name, u"OR", b.OR);
    batch.writeInteger(name, u"DD", b.DD);
    batch.writeInteger(name, u"DM", b.DM);
    batch.writeInteger(name, u"DR", b.DR);
    batch.writeInteger(name, u"KD", b.KD);
    batch.writeInteger(name, u"KM", b.KM);
    batch.writeInteger(name, u"KR", b.KR);
    batch.writeBool(name, u"Po", b.Po);
    batch.writeBool(name, u"Ut", b.Ut);
    batch.writeBool(name, u"St", b.St);
    batch.writeBool(name, u"Ct", b.Ct);
    batch.writeBool(name, u"Pa", b.Pa);
    batch.writeBool(name, u"So", b.So);
    batch.writeBool(name, u"Ne", b.Ne);
    ulozUpozorneni(batch, name, AlarmNotificationKeys, b.upozorneni);
    return batch.commit();
}

bool vymazBudik(IniFile& ini, const QString& name) {
    const IniSnapshot before = ini.snapshot();
    const QStringList names = nazvyBudiku(before);
    IniBatch batch(ini);
    int k = 0;
    for (int i = static_cast<int>(names.size()); i >= 1; --i) {
        if (names[i - 1].compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            k = i;
            break;
        }
    }
    // A section that is not listed is only erased: the list stays as it is.
    if (k > 0) {
        const int n = static_cast<int>(names.size());
        for (int j = k; j <= n; ++j) {
            batch.writeString(Info, QString::number(j), j < n ? names[j] : Unknown);
        }
        batch.deleteKey(Info, QString::number(n));
        batch.writeInteger(Info, Count, n - 1);
    }
    // A hand-edited list may name "info": it is taken off the list, but the list's section stays.
    if (name.trimmed().compare(Info, Qt::CaseInsensitive) != 0) {
        batch.eraseSection(name);
    }
    return batch.commit();
}

bool vymazVsechnyBudiky(const IniFile& ini) {
    return deleteFileKeepingLink(ini.path());
}

bool zapisPosledni(IniFile& ini, const QString& name, TDateTime moment) {
    return ini.writeDateTime(name, u"posledni", moment);
}

SeznamBudiku nactiSeznamBudiku(const IniFile& alarmsIni, TDateTime now, const KazdyBudik& eachAlarm) {
    const IniSnapshot ini = alarmsIni.snapshot();
    SeznamBudiku list;
    list.seznamNazvuBudiku = nazvyBudiku(ini);
    list.seznamDatBudiku.reserve(static_cast<size_t>(list.seznamNazvuBudiku.size()) + 1);
    for (const QString& name : list.seznamNazvuBudiku) {
        const IniRecord alarm = zaznamBudiku(ini, name);
        const TNactenyBudik schedule = readSchedule(alarm, 1, 0);
        list.seznamDatBudiku.push_back(nejblizsiDatum(schedule, now).value_or(0.0));
        if (eachAlarm) {
            eachAlarm(ini, alarm, name, schedule);
        }
    }
    list.seznamNazvuBudiku.reserve(list.seznamNazvuBudiku.size() + 1); // just one more, not twice as many
    list.seznamNazvuBudiku << AlarmSeparator;
    list.seznamDatBudiku.push_back(now);
    seradBudiky(list);
    return list;
}

TAktualniBudik nactiAktualniBudik(const IniFile& alarmsIni, const SeznamBudiku& list, TDateTime now,
                                  const TAktualniBudik& previous) {
    const qsizetype separator = list.seznamNazvuBudiku.indexOf(AlarmSeparator);
    if (separator < 0 || separator + 1 >= list.seznamNazvuBudiku.size()) {
        return previous;
    }
    const QString& name = list.seznamNazvuBudiku[separator + 1];
    const IniSnapshot ini = alarmsIni.snapshot();
    TAktualniBudik b = previous;
    const IniRecord alarm = zaznamBudiku(ini, name);
    b.stav = alarm.readBool(u"stav", false);
    b.zprava = alarm.readString(u"zprava");
    const auto date = nejblizsiDatum(readSchedule(alarm, 0, 0), now);
    if (!date) {
        // A section without its date fields (edited by hand) has no moment of its own to ring at: it is
        // watched, silent, until its place in the list passes, never rung on every tick.
        b.stav = false;
        b.datum = list.seznamDatBudiku[static_cast<size_t>(separator + 1)];
        return b;
    }
    b.datum = *date;
    b.upozorneni = nactiUpozorneni(ini, name, AlarmNotificationKeys);
    return b;
}

} // namespace tavrok
