#include "stopwatch/splitsfile.h"

#include "storage/inifile.h"
#include "storage/storagelocations.h"

#include <algorithm>

namespace tavrok {

namespace {

constexpr char16_t Info[] = u"info";
constexpr char16_t Count[] = u"pocetMezicasu";
constexpr char16_t Last[] = u"posledniMezicas";

int countOf(const IniSnapshot& file) {
    return std::max(file.readInteger(Info, Count, 0), 0);
}

// The highest number among the section's keys named by a number; -1 when none is. A count read from
// the file is never taken beyond it, so a hand-edited count never floods a list.
int highestNumberedKey(const IniSnapshot& file, QStringView section) {
    int highest = -1;
    for (const QString& key : file.keyNames(section)) {
        bool number = false;
        const int n = key.toInt(&number);
        if (number && n >= 0 && key == QString::number(n)) {
            highest = std::max(highest, n);
        }
    }
    return highest;
}

} // namespace

QStringList nazvyMezicasu(const IniSnapshot& file) {
    const int n = std::min(countOf(file), highestNumberedKey(file, Info));
    QStringList names;
    for (int i = n; i >= 1; --i) {
        names << file.readString(Info, QString::number(i));
    }
    return names;
}

SplitNameCheck checkSplitName(const IniSnapshot& file, const QString& name) {
    if (name.isEmpty()) {
        return SplitNameCheck::Empty;
    }
    if (isListSection(name) || !fitsSectionHeader(name) || name.trimmed() != name) {
        return SplitNameCheck::Unstorable;
    }
    const QStringList names = nazvyMezicasu(file);
    const bool exists = std::any_of(names.begin(), names.end(), [&](const QString& n) {
        return n.compare(name, Qt::CaseInsensitive) == 0;
    });
    return exists || file.sectionExists(name) ? SplitNameCheck::Exists : SplitNameCheck::Ok;
}

bool ulozMezicasy(IniFile& file, const QString& name, const SplitSet& set) {
    const int n = countOf(file.snapshot());
    IniBatch b(file);
    b.writeInteger(Info, Count, n + 1);
    b.writeString(Info, QString::number(n + 1), name);
    b.writeInteger(name, Count, static_cast<int>(set.lines.size()));
    b.writeInteger(name, Last, set.counter);
    for (qsizetype i = 0; i < set.lines.size(); ++i) {
        b.writeString(name, QString::number(i), set.lines[i]);
    }
    return b.commit();
}

SplitSet nactiMezicasy(const IniSnapshot& file, const QString& name) {
    SplitSet set;
    const int count = std::min(std::max(file.readInteger(name, Count, 0), 0), highestNumberedKey(file, name) + 1);
    for (int i = 0; i < count; ++i) {
        set.lines << file.readString(name, QString::number(i));
    }
    set.counter = file.readInteger(name, Last, 0);
    return set;
}

bool vymazMezicasy(IniFile& file, int position, const QString& name) {
    const IniSnapshot before = file.snapshot();
    const int n = countOf(before);
    if (position < 1 || position > n) {
        return false;
    }
    IniBatch b(file);
    for (int k = position; k < n; ++k) {
        b.writeString(Info, QString::number(k), before.readString(Info, QString::number(k + 1)));
    }
    b.deleteKey(Info, QString::number(n));
    b.writeInteger(Info, Count, n - 1);
    if (!isListSection(name)) {
        b.eraseSection(name);
    }
    return b.commit();
}

bool oznacSouborMezicasu(IniFile& file) {
    IniBatch b(file);
    b.writeString(Info, u"program", StorageLocations::ProgramName);
    b.writeString(Info, u"verzeProgramu", StorageLocations::ProgramVersion);
    return b.commit();
}

} // namespace tavrok
