#include "storage/importexport.h"

#include "lang/messagetable.h"
#include "platform/questions.h"
#include "storage/importtables.h"
#include "storage/inifile.h"
#include "storage/inivalues.h"
#include "storage/savefile.h"
#include "storage/storagelocations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>
#include <vector>

namespace tavrok {

namespace {

const QString OldAlarms = QStringLiteral("Tavrok.bud");
const QString OldSplits = QStringLiteral("Tavrok.cas");
const QString OldSettings = QStringLiteral("Tavrok.dat");
const QString Alarms = QStringLiteral("Budiky.ini");
const QString Splits = QStringLiteral("Mezicasy.ini");
const QString Settings = QStringLiteral("Nastaveni.ini");

constexpr char16_t Info[] = u"info";
constexpr char16_t OldList[] = u"data";
constexpr char16_t OldCount[] = u"pocet";

// The old version kept only a count of its advance notices; a count beyond this is no real list.
constexpr int MaxOldAdvanceNotices = 1000;

bool isFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// The target files, each changed in memory and written whole at the end.
class Targets {
public:
    struct Target {
        Target(QString k, const QString& p) : key(std::move(k)), path(p), file(p), batch(file, true) {}
        void restore() const {
            if (existed) {
                (void)replaceFileWhole(path, before);
            } else {
                QFile::remove(path);
            }
            IniFile again(path);
            for (const Kept& k : keptMeanwhile) {
                (void)again.writeString(k.section, k.key, k.value);
            }
        }
        // Values of `name` the program wrote to this file while the import waited for an answer (the
        // mark of an alarm that rang): they go into the batch, and stay if the batch is taken back.
        void keepWrittenMeanwhile(QStringView name) {
            const IniSnapshot disk = IniFile(path).snapshot();
            {
                const IniSnapshot batched = batch.view();
                for (const QString& section : disk.sectionNames()) {
                    const QString value = disk.readString(section, name);
                    if (disk.valueExists(section, name) && value != opened.readString(section, name) &&
                        batched.sectionExists(section)) {
                        keptMeanwhile.push_back({section, name.toString(), value});
                    }
                }
            }
            for (const Kept& k : keptMeanwhile) {
                batch.writeString(k.section, k.key, k.value);
            }
        }
        QString key;
        QString path;
        IniFile file;
        IniBatch batch;
        bool existed = false;
        bool readable = true; // a file that exists but cannot be read must not be written over
        QByteArray before;
        IniSnapshot opened; // `before` as read
        struct Kept {
            QString section;
            QString key;
            QString value;
        };
        std::vector<Kept> keptMeanwhile;
    };

    // The target at `path`, opened at its first use; the same file is one target however it is named.
    Target& at(const QString& path) {
        const QString key = QFileInfo(path).absoluteFilePath();
        for (const auto& t : targets_) {
            if (t->key == key) {
                return *t;
            }
        }
        auto t = std::make_unique<Target>(key, path);
        t->existed = QFileInfo::exists(path);
        if (t->existed) {
            QFile f(path);
            t->readable = f.open(QIODevice::ReadOnly);
            t->before = f.readAll();
        }
        t->opened = t->file.snapshot();
        targets_.push_back(std::move(t));
        return *targets_.back();
    }

    // Writes every target; at the first that fails, puts back the ones written before it and returns
    // the path of the one that failed.
    QString commit() {
        for (size_t i = 0; i < targets_.size(); ++i) {
            Target& t = *targets_[i];
            if (!t.readable || !t.batch.commit()) {
                for (size_t j = 0; j < i; ++j) {
                    targets_[j]->restore();
                }
                return t.path;
            }
        }
        return {};
    }

private:
    std::vector<std::unique_ptr<Target>> targets_;
};

// A value as it is stored after reading it with its type: what does not convert is the default.
QString converted(const QString& raw, PortType type, const QString& def) {
    switch (type) {
    case PortType::Text:
        return raw;
    case PortType::Bool: {
        const auto v = parseIniInteger(raw);
        return v ? (*v != 0 ? QStringLiteral("1") : QStringLiteral("0")) : def;
    }
    case PortType::Integer: {
        const auto v = parseIniInteger(raw);
        return v ? QString::number(*v) : def;
    }
    case PortType::Float: {
        const auto v = parseIniFloat(raw);
        return v ? formatIniFloat(*v) : def;
    }
    case PortType::DateTime: {
        const auto v = parseIniDateTime(raw);
        return v ? formatIniDateTime(*v) : def;
    }
    case PortType::Time: {
        const auto v = parseIniTime(raw);
        return v ? formatIniTime(*v) : def;
    }
    case PortType::Colour: {
        const auto v = parseIniColour(raw);
        return v ? QString::number(*v) : def;
    }
    }
    return def;
}

class Porter {
public:
    Porter(bool exportuje, Questions& questions, const MessageTable& messages, const PlacementDefaults& places)
        : exportuje_(exportuje), questions_(questions), messages_(messages), places_(places) {}

    // The copy rule: an export writes every value, an import only what the source has. Returns the
    // value written, or nothing.
    std::optional<QString> copy(const IniSnapshot& from, QStringView fromSection, QStringView fromKey, IniBatch& to,
                                QStringView section, QStringView key, PortType type, const QString& def,
                                bool writeAll) const {
        const bool present = from.valueExists(fromSection, fromKey);
        if (!present && !writeAll) {
            return std::nullopt;
        }
        const QString value = present ? converted(from.readString(fromSection, fromKey), type, def) : def;
        to.writeString(section, key, value);
        return value;
    }

    QString defaultOf(const PortKey& k) const {
        switch (k.place) {
        case PortPlace::MainLeft:
            return QString::number(places_.mainLeft);
        case PortPlace::MainTop:
            return QString::number(places_.mainTop);
        case PortPlace::MainHeight:
            return QString::number(places_.mainHeight);
        case PortPlace::DisplayLeft:
            return QString::number(places_.displayLeft);
        case PortPlace::DisplayTop:
            return QString::number(places_.displayTop);
        case PortPlace::None:
            break;
        }
        return QString::fromUtf16(k.def);
    }

    static void stamp(IniBatch& to) {
        to.writeString(Info, u"program", StorageLocations::ProgramName);
        to.writeString(Info, u"verzeProgramu", StorageLocations::ProgramVersion);
    }

    enum class Match { Append, Overwrite, Skip, Cancel };

    // Finds `name` in the target's list; asks before overwriting. Appends it when it is new.
    Match place(IniBatch& to, QStringView countKey, const QString& name, int question) {
        int count = 0;
        bool found = false;
        {
            // The list as the batch has it: the program may write the file while a question is open.
            const IniSnapshot t = to.view(); // let go before the batch changes the file
            count = boundedListCount(t, Info, t.readInteger(Info, countKey, 0), 1);
            for (int i = 1; i <= count && !found; ++i) {
                found = t.readString(Info, QString::number(i)).compare(name, Qt::CaseInsensitive) == 0;
            }
        }
        // A section of that name that is not listed is left over from a broken save: a new entry starts
        // clean, an overwritten one too.
        if (!found) {
            to.eraseSection(name);
            to.writeInteger(Info, countKey, count + 1);
            to.writeString(Info, QString::number(count + 1), name);
            return Match::Append;
        }
        switch (questions_.ask(fillPlaceholders(messages_.text(question), name), MessageIcon::Warning,
                               MessageButtons::YesNoCancel)) {
        case Answer::Yes:
            to.eraseSection(name);
            return Match::Overwrite;
        case Answer::No:
            return Match::Skip;
        default:
            return Match::Cancel;
        }
    }

    // The names a list holds, in index order; names that cannot head a section of their own are left
    // out, as no section of theirs could be read or written whole.
    static QStringList namesOf(const IniSnapshot& from, QStringView listSection, QStringView countKey) {
        QStringList names;
        const int count = boundedListCount(from, listSection, from.readInteger(listSection, countKey, 0), 1);
        for (int i = 1; i <= count; ++i) {
            const QString key = QString::number(i);
            const QString name = from.readString(listSection, key);
            if (from.valueExists(listSection, key) && !name.isEmpty() && fitsSectionHeader(name) &&
                !isListSection(name)) {
                names << name;
            }
        }
        return names;
    }

    bool alarms(const IniSnapshot& from, bool old, IniBatch& to) {
        stamp(to);
        for (const QString& name : namesOf(from, old ? OldList : Info, old ? OldCount : u"pocetBudiku")) {
            const Match m = place(to, u"pocetBudiku", name, 60);
            if (m == Match::Cancel) {
                return false;
            }
            if (m == Match::Skip) {
                continue;
            }
            const bool writeAll = exportuje_ || m == Match::Overwrite;
            const auto keys = alarmKeys();
            for (size_t i = 0; i < keys.size(); ++i) {
                const PortKey& k = keys[i];
                const QString def = defaultOf(k);
                if (old && i >= NewAlarmKeysFrom) {
                    to.writeString(name, k.key, def); // unknown to the old version: its defaults
                    continue;
                }
                const QStringView fromKey = old && QStringView(k.key) == u"doNekonecna" ? OldDoNekonecna : k.key;
                // An alarm that never says when it last rang stays so: a default moment of 1899 would list
                // every occurrence since as missed.
                if (QStringView(k.key) == u"posledni" && !parseIniDateTime(from.readString(name, fromKey))) {
                    continue;
                }
                copy(from, name, fromKey, to, name, k.key, k.type, def, writeAll);
            }
        }
        return true;
    }

    bool splits(const IniSnapshot& from, bool old, IniBatch& to) {
        stamp(to);
        const QStringView countKey = old ? QStringView(OldCount) : u"pocetMezicasu";
        const QStringView lastKey = old ? u"pmezicas" : u"posledniMezicas";
        for (const QString& name : namesOf(from, old ? OldList : Info, countKey)) {
            const Match m = place(to, u"pocetMezicasu", name, 61);
            if (m == Match::Cancel) {
                return false;
            }
            if (m == Match::Skip) {
                continue;
            }
            int count = from.readInteger(name, countKey, -1);
            if (count > 0) {
                count = boundedListCount(from, name, count); // never lines the set does not have
            }
            to.writeInteger(name, u"pocetMezicasu", count);
            to.writeInteger(name, u"posledniMezicas", from.readInteger(name, lastKey, 0));
            for (int i = 0; i < count; ++i) {
                to.writeString(name, QString::number(i), from.readString(name, QString::number(i)));
            }
        }
        return true;
    }

    void settings(const IniSnapshot& from, bool old, IniBatch& to) const {
        stamp(to);
        for (const PortKey& k : old ? oldSettingsKeys() : settingsKeys()) {
            const QStringView fromSection = k.fromSection ? k.fromSection : k.section;
            const QStringView fromKey = k.fromKey ? k.fromKey : k.key;
            const auto written = copy(from, fromSection, fromKey, to, k.section, k.key, k.type, defaultOf(k), exportuje_);
            if (written && QStringView(k.section) == AdvanceSection && QStringView(k.key) == AdvanceCount) {
                to.eraseSection(AdvanceList);
                if (old) {
                    // The old version numbered its notices; the current one keeps their seconds.
                    const int count = std::clamp(written->toInt(), 0, MaxOldAdvanceNotices);
                    to.writeInteger(AdvanceSection, AdvanceCount, count);
                    for (int i = 0; i < count; ++i) {
                        to.writeInteger(AdvanceList, QString::number(i), i + 1);
                    }
                } else {
                    // The entries the list has; one it lacks reads as its default, also in the target.
                    const int count = boundedListCount(from, AdvanceList, written->toInt());
                    for (int i = 0; i < count; ++i) {
                        if (from.valueExists(AdvanceList, QString::number(i))) {
                            to.writeInteger(AdvanceList, QString::number(i),
                                            from.readInteger(AdvanceList, QString::number(i), i + 1));
                        }
                    }
                }
            }
        }
        if (old) {
            shownUnits(from, to);
        }
    }

    // The old version chose the display's units one by one; the current one shows a range of places.
    void shownUnits(const IniSnapshot& from, IniBatch& to) const {
        constexpr char16_t Old[] = u"nastaveni4";
        const QStringView units[] = {u"Dny", u"Hodiny", u"Minuty", u"Sekundy", u"SetinySekundy"};
        bool any = exportuje_;
        bool on[5];
        for (int i = 0; i < 5; ++i) {
            any = any || from.valueExists(Old, units[i]);
            on[i] = from.readBool(Old, units[i], true);
        }
        if (!any) {
            return;
        }
        constexpr int Starts[] = {0, 2, 5, 8, 11};
        constexpr int Ends[] = {1, 4, 7, 10, 14};
        int start = 0;
        for (int i = 0; i < 5; ++i) {
            if (on[i]) {
                start = Starts[i];
                break;
            }
        }
        int end = 0;
        for (int i = 4; i >= 0; --i) {
            if (on[i]) {
                end = Ends[i];
                break;
            }
        }
        constexpr char16_t Section[] = u"nastaveniSamostatnehoDispleje";
        to.writeBool(Section, u"zobrazitDny", start <= 0 && end >= 1);
        to.writeBool(Section, u"zobrazitOddelovacDnu", start <= 1 && end >= 2);
        to.writeInteger(Section, u"zobrazeniDisplejeOd", start < 2 ? 0 : start - 2);
        to.writeInteger(Section, u"zobrazeniDisplejeDo", end - 2);
    }

private:
    bool exportuje_;
    Questions& questions_;
    const MessageTable& messages_;
    const PlacementDefaults& places_;
};

} // namespace

PortSide PortSide::folder(const QString& folder) {
    const QDir dir(folder);
    return {folder, dir.filePath(Alarms), dir.filePath(Splits), dir.filePath(Settings)};
}

bool najdiNastaveniKPortovani(const QString& folder) {
    const QDir dir(folder);
    for (const QString& name : {Alarms, Splits, Settings, OldAlarms, OldSplits, OldSettings}) {
        if (isFile(dir.filePath(name))) {
            return true;
        }
    }
    return false;
}

PortOutcome portujNastaveni(const PortSide& source, const PortSide& target, bool exportuje, Questions& questions,
                            const MessageTable& messages, const PlacementDefaults& places,
                            const std::function<void(const PortOutcome&)>& written) {
    Porter porter(exportuje, questions, messages, places);
    Targets targets;
    PortOutcome outcome;
    const QDir old(source.oldFolder);
    const auto read = [](const QString& path) { return IniFile(path).snapshot(); };

    // Each step runs when its source exists; the old files first, so the current ones have the last word.
    bool go = true;
    if (const QString p = old.filePath(OldAlarms); go && !source.oldFolder.isEmpty() && isFile(p)) {
        go = porter.alarms(read(p), true, targets.at(target.budiky).batch);
        outcome.alarmsWritten = true;
    }
    if (const QString p = old.filePath(OldSplits); go && !source.oldFolder.isEmpty() && isFile(p)) {
        go = porter.splits(read(p), true, targets.at(target.mezicasy).batch);
        outcome.splitsWritten = true;
    }
    if (const QString p = old.filePath(OldSettings); go && !source.oldFolder.isEmpty() && isFile(p)) {
        porter.settings(read(p), true, targets.at(target.nastaveni).batch);
        outcome.settingsWritten = true;
    }
    if (go && isFile(source.budiky)) {
        go = porter.alarms(read(source.budiky), false, targets.at(target.budiky).batch);
        outcome.alarmsWritten = true;
    }
    if (go && isFile(source.mezicasy)) {
        go = porter.splits(read(source.mezicasy), false, targets.at(target.mezicasy).batch);
        outcome.splitsWritten = true;
    }
    if (go && isFile(source.nastaveni)) {
        porter.settings(read(source.nastaveni), false, targets.at(target.nastaveni).batch);
        outcome.settingsWritten = true;
    }

    if (outcome.alarmsWritten) {
        targets.at(target.budiky).keepWrittenMeanwhile(u"posledni");
    }
    // What was carried before a Cancel stays, as it would had each value been written at once.
    outcome.failedPath = targets.commit();
    if (written) {
        written(outcome);
    }
    if (!outcome.failedPath.isEmpty()) {
        outcome.result = PortOutcome::Result::Failed;
        questions.tell(fillPlaceholders(messages.text(51), QDir::toNativeSeparators(outcome.failedPath)),
                       MessageIcon::Error);
    } else if (!go) {
        outcome.result = PortOutcome::Result::Cancelled;
    } else {
        questions.tell(messages.text(62), MessageIcon::Information);
    }
    return outcome;
}

} // namespace tavrok
