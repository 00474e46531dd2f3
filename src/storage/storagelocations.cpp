#include "storage/storagelocations.h"

#include "lang/messagetable.h"
#include "platform/files.h"
#include "platform/questions.h"
#include "storage/savefile.h"

#include <algorithm>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace tavrok {

namespace {

constexpr QChar NativeSeparator =
#ifdef Q_OS_WIN
    u'\\';
#else
    u'/';
#endif

QString joinPath(const QString& folder, QStringView name) {
    return folder + NativeSeparator + name.toString();
}

} // namespace

QString systemEnvironment(const QString& name) {
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

QString spravLomitka(QStringView path) {
    if (!path.isEmpty() && (path.back() == u'/' || path.back() == u'\\')) {
        path.chop(1);
    }
    QString out = path.toString();
    for (QChar& c : out) {
        if (c == u'/' || c == u'\\') {
            c = NativeSeparator;
        }
    }
    return out;
}

QString nahradPromenneProstredi(QStringView text, const QString& programFolder, const EnvironmentLookup& env,
                                int* undefined) {
    QString out;
    QString name;
    bool inName = false;
    for (const QChar c : text) {
        if (!inName) {
            if (c == u'%') {
                inName = true;
                name.clear();
            } else {
                out += c;
            }
        } else if (c == u'%') {
            if (name.compare(u"tavrokpath", Qt::CaseInsensitive) == 0) {
                out += spravLomitka(programFolder);
            } else if (!name.isEmpty()) {
                const QString value = env(name);
                if (value.isEmpty() && undefined) {
                    ++*undefined;
                }
                out += value;
            }
            inName = false;
        } else {
            name += c;
        }
    }
    return out;
}

StorageLocations::StorageLocations(EnvironmentLookup env, Files* files)
    : env_(std::move(env)), files_(files ? *files : RealFiles::instance()) {}

QString StorageLocations::umisteniPath() const {
    if (!configFolder_.isEmpty()) {
        return joinPath(configFolder_, QStringLiteral("Umisteni.ini"));
    }
    return joinPath(programFolder_, QStringLiteral("Data") + QString(NativeSeparator) + QStringLiteral("Nastaveni") + NativeSeparator +
                                        QStringLiteral("Umisteni.ini"));
}

QString StorageLocations::dataPath(QStringView relative) const {
    return joinPath(programFolder_, spravLomitka(QStringLiteral("Data\\") + relative.toString()));
}

QString StorageLocations::defaultLocation() const {
    return configFolder_.isEmpty() ? DefaultLocation : configFolder_;
}

QString StorageLocations::storedLocation() const {
    return IniFile(umisteniPath()).readString(u"cesty", u"nastaveni", defaultLocation());
}

namespace {

// A path written on Windows ("C:\Program Files\Tavrok\Data\Nastaveni\Mezicasy.ini") where there are
// no drive letters: one under the old program's Data folder is the same place under this program's; any
// other cannot be used here and is empty, never a folder "C:" made beside the program.
QString fromWindowsPath(const QString& path, const QString& programFolder) {
#ifdef Q_OS_WIN
    Q_UNUSED(programFolder);
    return path;
#else
    const bool drive = path.size() >= 2 && path[0].isLetter() && path[0].unicode() < 0x80 && path[1] == u':' &&
                       (path.size() == 2 || path[2] == u'/');
    if (!drive) {
        return path;
    }
    qsizetype data = path.indexOf(QStringLiteral("/Data/"), 0, Qt::CaseInsensitive);
    if (data < 0 && path.endsWith(QStringLiteral("/Data"), Qt::CaseInsensitive)) {
        data = path.size() - 5;
    }
    return data < 0 ? QString() : programFolder + QStringLiteral("/Data") + path.mid(data + 5);
#endif
}

} // namespace

QString StorageLocations::expand(QStringView location) const {
    return fromWindowsPath(spravLomitka(nahradPromenneProstredi(location, programFolder_, env_)), programFolder_);
}

void StorageLocations::openSet(const QString& folder) {
    settingsFolder_ = folder;
    settingsIni_ = IniFile(joinPath(folder, FileSet[0]));
    alarmsIni_ = IniFile(joinPath(folder, FileSet[1]));
}

void StorageLocations::resolveAtStartup(const QString& executableFolder) {
    programFolder_ = spravLomitka(executableFolder);
    // An installed program (its Data tree says so) never writes beside itself, not even run as root.
    const bool installed = files_.exists(dataPath(InstalledMarker));
    if (!installed) {
        files_.makePath(dataPath(u"Nastaveni"));
    }
    configFolder_.clear();
    const QString xdg = env_(QStringLiteral("XDG_CONFIG_HOME"));
    const QString base = QDir::isAbsolutePath(xdg) ? xdg : joinPath(env_(QStringLiteral("HOME")), QStringLiteral(".config"));
    const QString config = spravLomitka(joinPath(base, ProgramName));
    if (installed || !files_.canWriteIn(dataPath(u"Nastaveni"))) {
        // Installed where the user may not write: the settings go to the user's configuration folder.
        configFolder_ = config;
        files_.makePath(configFolder_);
        if (!installed) {
            takeOverReadOnlySet(dataPath(u"Nastaveni"));
        }
    } else {
        giveBackTakenOverSet(dataPath(u"Nastaveni"), config);
    }

    QString folder = expand(storedLocation());
    if (folder.isEmpty()) {
        folder = expand(DefaultLocation); // a place of another system that cannot be used here
    }
    files_.makePath(folder);
    openSet(folder);
    removeLeftoverTemporaries(umisteniPath());
    for (const QString& name : FileSet) {
        removeLeftoverTemporaries(joinPath(folder, name)); // of saves that a kill cut short
    }
    // The stamp below is the first write: a file that is no text goes aside before it.
    for (const IniFile* ini : {&settingsIni_, &alarmsIni_}) {
        if (!ini->holdsNoText()) {
            continue;
        }
        if (const QString aside = moveAsideIfUndecodable(ini->path()); !aside.isEmpty()) {
            movedAside_.push_back({ini->path(), aside});
        }
    }

    // The stamp never reports a failure; a file that has it already is not written at all.
    for (IniFile* ini : {&settingsIni_, &alarmsIni_}) {
        IniBatch stamp(*ini);
        stamp.writeString(u"info", u"program", ProgramName);
        stamp.writeString(u"info", u"verzeProgramu", ProgramVersion);
        if (!stamp.commit()) {
            break;
        }
    }

    openLanguage(settingsIni_.readString(u"nastaveni", u"jazyk", QStringLiteral("Cesky")));
}

namespace {

// What a file holds, to see later whether anyone changed it; empty when there is no such file.
QString fingerprint(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace

void StorageLocations::takeOverReadOnlySet(const QString& readOnlyFolder) {
    // A settings folder that became read-only (a write-protected medium, a full inode table) still
    // holds the user's alarms, splits and a continuation: the configuration folder starts from copies
    // of them, the originals stay untouched. Only a configuration folder without any of them is filled.
    for (const QString& name : setNames(false)) {
        if (files_.exists(joinPath(configFolder_, name))) {
            return;
        }
    }
    // The set may live elsewhere, where the read-only folder's Umisteni.ini says: that place is
    // followed from here on, and nothing else is copied. Otherwise the configuration folder, without
    // an Umisteni.ini of its own, is where the copies are used.
    const QString umisteni = joinPath(readOnlyFolder, QStringLiteral("Umisteni.ini"));
    const QString located = expand(IniFile(umisteni).readString(u"cesty", u"nastaveni", DefaultLocation));
    if (!located.isEmpty() && !files_.sameFile(located, readOnlyFolder)) {
        (void)files_.copy(umisteni, joinPath(configFolder_, QStringLiteral("Umisteni.ini")));
        return;
    }
    IniFile marker(joinPath(configFolder_, TakenOverMarker));
    IniBatch from(marker);
    from.writeString(u"takenOver", u"from", readOnlyFolder);
    for (const QString& name : setNames(false)) {
        if (const QString original = joinPath(readOnlyFolder, name); files_.exists(original)) {
            files_.copy(original, joinPath(configFolder_, name));
            from.writeString(u"takenOver", name, fingerprint(original));
        }
    }
    // Where the copies came from and what the originals held: once the folder can be written again,
    // the copies go back there, unless the originals were changed meanwhile.
    (void)from.commit();
    lent_ = {readOnlyFolder, configFolder_, MessageTable::SetTakenOver};
}

void StorageLocations::giveBackTakenOverSet(const QString& dataFolder, const QString& config) {
    const QString markerPath = joinPath(config, TakenOverMarker);
    if (!files_.exists(markerPath)) {
        return;
    }
    const IniSnapshot marker = IniFile(markerPath).snapshot();
    if (marker.readString(u"takenOver", u"from") != dataFolder) {
        return;
    }
    bool holdsSet = false;
    bool originalsChanged = false;
    for (const QString& name : setNames(false)) {
        holdsSet = holdsSet || files_.exists(joinPath(config, name));
        originalsChanged = originalsChanged ||
                           fingerprint(joinPath(dataFolder, name)) != marker.readString(u"takenOver", name);
    }
    if (!holdsSet) {
        // Moved on from the configuration folder while it was lent: its Umisteni.ini says where to.
        configFolder_ = config;
        return;
    }
    // The copies are the set the user worked with since: they replace the originals, as one step,
    // unless someone changed the originals meanwhile (the medium was used elsewhere): then both stay.
    // Umisteni.ini stays: it is read from the configuration folder only while that holds the set.
    bool refused = false;
    QString failedFile;
    if (originalsChanged || !copyAsOne(config, dataFolder, setNames(false), true, &refused, &failedFile)) {
        configFolder_ = config; // the set worked with last stays in use where it is
        lent_ = {dataFolder, config, MessageTable::SetNotGivenBack};
        return;
    }
    for (const QString& name : setNames(false)) {
        files_.remove(joinPath(config, name));
    }
    files_.remove(markerPath);
    lent_ = {dataFolder, config, MessageTable::SetGivenBack};
}

QStringList StorageLocations::setNames(bool withLocation) {
    QStringList names;
    if (withLocation) {
        names << QStringLiteral("Umisteni.ini");
    }
    for (const QString& name : FileSet) {
        names << name;
    }
    return names;
}

void StorageLocations::openLanguage(const QString& name) {
    languageIni_ = IniFile(joinPath(dataPath(u"Jazyky"), QString(name + QStringLiteral(".ini"))));
}

bool StorageLocations::zkopirujNastaveni(const QString& oldFolder, const QString& newFolder,
                                         Questions& questions, const MessageTable& messages) const {
    files_.makePath(newFolder);
    bool anyExists = false;
    for (const QString& name : FileSet) {
        anyExists |= files_.exists(joinPath(newFolder, name));
    }
    bool replace = false;
    if (anyExists) {
        const Answer a = questions.ask(messages.text(56), MessageIcon::Warning, MessageButtons::YesNoCancel);
        if (a != Answer::Yes && a != Answer::No) {
            return false;
        }
        replace = a == Answer::Yes;
    }
    bool refused = false; // a target kept after No
    QString failedFile;
    const bool failed = !copyAsOne(oldFolder, newFolder, setNames(false), replace, &refused, &failedFile);
    if (failed) {
        questions.tell(fillPlaceholders(messages.text(MessageTable::MoveFailed),
                                        {{u"%d1", QDir::toNativeSeparators(newFolder)},
                                         {u"%d2", QDir::toNativeSeparators(failedFile)}}),
                       MessageIcon::Error);
    }
    return !failed && !refused;
}

bool StorageLocations::copyAsOne(const QString& from, const QString& to, const QStringList& names, bool replace,
                                 bool* refused, QString* failedFile) const {
    // Each file first lands beside its target under a temporary name; only when all of them are there
    // do they take their targets' places, so a failure (a full disk, a protected file) leaves the
    // target folder as it was, files kept from before included.
    bool failed = false;
    std::vector<std::pair<QString, QString>> staged; // (temporary, target)
    for (const QString& name : names) {
        const QString source = joinPath(from, name);
        const QString target = joinPath(to, name);
        if (!files_.exists(source)) {
            continue;
        }
        if (files_.sameFile(source, target)) {
            continue; // copying a file onto itself would destroy it
        }
        if (files_.exists(target) && !replace) {
            *refused = true;
            continue;
        }
        const QString temporary = temporaryNameBeside(target);
        if (files_.writeProtected(target) || !files_.copy(source, temporary)) {
            failed = true;
            *failedFile = target;
            break;
        }
        staged.emplace_back(temporary, target);
    }
    // The files they replace are kept aside until every one is in place: a rename that fails half way
    // puts them back.
    std::vector<std::pair<QString, QString>> kept; // (copy of the earlier file, target)
    for (const auto& [temporary, target] : staged) {
        if (failed || !files_.exists(target)) {
            continue;
        }
        const QString aside = temporaryNameBeside(target);
        failed = !files_.copy(target, aside);
        if (failed) {
            *failedFile = target;
        } else {
            kept.emplace_back(aside, target);
        }
    }
    std::vector<QString> placed;
    for (auto it = staged.begin(); !failed && it != staged.end(); it = staged.erase(it)) {
        failed = !files_.replace(it->first, it->second);
        if (failed) {
            *failedFile = it->second;
            break;
        }
        placed.push_back(it->second);
    }
    if (failed) {
        for (const QString& target : placed) {
            const auto earlier = std::find_if(kept.begin(), kept.end(), [&](const auto& k) { return k.second == target; });
            if (earlier == kept.end()) {
                files_.remove(target); // it was not there before
                continue;
            }
            // Put back; should even that fail, the copy stays beside it rather than being removed.
            (void)files_.replace(earlier->first, target);
            kept.erase(earlier);
        }
        for (const auto& [temporary, target] : staged) {
            files_.remove(temporary);
        }
    }
    for (const auto& [aside, target] : kept) {
        files_.remove(aside);
    }
    return !failed;
}

bool StorageLocations::smazNastaveni(const QString& folder) const {
    bool ok = true;
    for (const QString& name : FileSet) {
        const QString path = joinPath(folder, name);
        if (files_.exists(path)) {
            ok = files_.remove(path) && ok;
        }
    }
    return ok;
}

bool StorageLocations::reopenIniFiles(bool switchSplitTimes) {
    openSet(expand(storedLocation()));
    return switchSplitTimes;
}

StorageLocations::RelocationResult StorageLocations::premistit(const QString& pathField, Questions& questions,
                                                               const MessageTable& messages) {
    const QString entered = spravLomitka(pathField);
    const QString stored = storedLocation();
    // Both in their slash-rule form: the stored default is written with backslashes.
    if (entered == spravLomitka(stored)) {
        return {};
    }
    const QString oldFolder = expand(stored);
    const QString newFolder = expand(entered);
    if (files_.sameFile(oldFolder, newFolder)) {
        // Another spelling of the same folder: copying and then deleting would lose the whole set.
        IniFile umisteni(umisteniPath());
        if (!umisteni.writeString(u"cesty", u"nastaveni", entered)) {
            questions.tell(fillPlaceholders(messages.text(51), umisteniPath()), MessageIcon::Error);
            return {Relocation::LocationNotSaved, false};
        }
        reopenIniFiles(false);
        return {Relocation::Moved, false};
    }
    if (!usableFolder(entered, newFolder)) {
        questions.tell(fillPlaceholders(messages.text(MessageTable::UnusableFolder),
                                        newFolder.isEmpty() ? entered : newFolder),
                       MessageIcon::Error);
        return {Relocation::CopyRefused, false};
    }
    if (!zkopirujNastaveni(oldFolder, newFolder, questions, messages)) {
        return {Relocation::CopyRefused, false};
    }
    // Read before the old files are deleted: afterwards only the default could be read.
    const QString splitPath = settingsIni_.readString(u"nastaveniMezicasu", u"cesta",
                                                      stored + QStringLiteral("\\") + FileSet[2]);
    const bool switchFlag = expand(splitPath) != joinPath(newFolder, FileSet[2]);

    // The new location is written before anything old is deleted: whatever fails, one complete set is
    // where Umisteni.ini points.
    IniFile umisteni(umisteniPath());
    if (!umisteni.writeString(u"cesty", u"nastaveni", entered)) {
        questions.tell(fillPlaceholders(messages.text(51), umisteniPath()), MessageIcon::Error);
        return {Relocation::LocationNotSaved, switchFlag};
    }
    if (!smazNastaveni(oldFolder)) {
        questions.tell(messages.text(57), MessageIcon::Error);
    }
    return {Relocation::Moved, reopenIniFiles(switchFlag)};
}

bool StorageLocations::usableFolder(const QString& entered, const QString& folder) const {
    // Every %VARIABLE% must name something: an undefined one would silently shorten the path.
    int undefined = 0;
    (void)nahradPromenneProstredi(entered, programFolder_, env_, &undefined);
    if (undefined > 0 || entered.trimmed().isEmpty() || folder.isEmpty() || QDir::isRelativePath(folder) ||
        QDir(QDir::cleanPath(folder)).isRoot()) {
        return false;
    }
    return files_.canWriteIn(folder);
}

} // namespace tavrok
