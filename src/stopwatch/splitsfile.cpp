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
    return boundedListCount(file, Info, file.readInteger(Info, Count, 0), 1);
}

} // namespace

QList<SplitEntry> seznamMezicasu(const IniSnapshot& file) {
    QList<SplitEntry> entries;
    for (int i = countOf(file); i >= 1; --i) {
        const QString key = QString::number(i);
        if (file.valueExists(Info, key)) {
            entries.push_back({file.readString(Info, key), i});
        }
    }
    return entries;
}

QStringList nazvyMezicasu(const IniSnapshot& file) {
    QStringList names;
    for (const SplitEntry& e : seznamMezicasu(file)) {
        names << e.name;
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
    const int count = boundedListCount(file, name, file.readInteger(name, Count, 0));
    for (int i = 0; i < count; ++i) {
        set.lines << file.readString(name, QString::number(i));
    }
    set.counter = std::clamp(file.readInteger(name, Last, 0), 0, 1'000'000'000); // new splits count on from it
    return set;
}

bool vymazMezicasy(IniFile& file, int position, const QString& name) {
    const IniSnapshot before = file.snapshot();
    // The entry must still name the set: the list shown may be older than the file.
    if (position < 1 || before.readString(Info, QString::number(position)).compare(name, Qt::CaseInsensitive) != 0) {
        return false;
    }
    QList<SplitEntry> kept = seznamMezicasu(before); // newest first
    kept.removeIf([&](const SplitEntry& e) { return e.position == position; });
    // The later names move up one place: the list is written again as 1 .. N - 1.
    IniBatch b(file);
    for (const SplitEntry& e : seznamMezicasu(before)) {
        b.deleteKey(Info, QString::number(e.position));
    }
    int k = 0;
    for (auto it = kept.crbegin(); it != kept.crend(); ++it) {
        b.writeString(Info, QString::number(++k), it->name);
    }
    b.writeInteger(Info, Count, k);
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
