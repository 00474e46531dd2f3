#pragma once

#include "storage/inifile.h"

#include <QList>
#include <QString>
#include <functional>

namespace tavrok {

class Files;
class MessageTable;
class Questions;

// Expands an environment variable by its name as written; an undefined one gives an empty text.
using EnvironmentLookup = std::function<QString(const QString& name)>;
QString systemEnvironment(const QString& name);

// The slash rule every stored path passes through: both "\" and "/" become the native separator and
// one trailing separator is dropped, so paths written on Windows work here too.
QString spravLomitka(QStringView path);

// Expands "%TavrokPath%" (any letter case) to the program folder and "%NAME%" to the environment
// variable NAME, in one pass from left to right. "%%" and undefined variables give nothing; a name
// still open at the end is dropped with its "%". `undefined`, when given, counts the names that gave
// nothing.
QString nahradPromenneProstredi(QStringView text, const QString& programFolder,
                                const EnvironmentLookup& env = systemEnvironment, int* undefined = nullptr);

// The file set: the folders and the open INI files of the program, and the operations that move them.
class StorageLocations {
public:
    static inline const QString DefaultLocation = QStringLiteral("%TavrokPath%\\Data\\Nastaveni");
    static inline const QString ProgramName = QStringLiteral("Tavrok");
    static inline const QString ProgramVersion = QStringLiteral("2.51");
    // A file in the Data tree of an installed program: its settings go to the configuration folder.
    static inline const QString InstalledMarker = QStringLiteral("Nainstalovano.txt");
    // In the order they are always handled.
    static inline const QString FileSet[] = {QStringLiteral("Nastaveni.ini"), QStringLiteral("Budiky.ini"),
                                             QStringLiteral("Mezicasy.ini")};

    explicit StorageLocations(EnvironmentLookup env = systemEnvironment, Files* files = nullptr);

    // The start-up resolution: finds and creates the folders, opens the settings and alarm files,
    // stamps both and opens the language file named by the settings.
    void resolveAtStartup(const QString& executableFolder);

    const QString& programFolder() const { return programFolder_; }
    const QString& settingsFolder() const { return settingsFolder_; }
    // The program's own split-times file, in the settings folder, whatever file the manager has open.
    QString splitsPath() const { return settingsFolder_ + u'/' + FileSet[2]; }
    // The files start-up found to be no text and moved aside: (original path, new path).
    const QList<std::pair<QString, QString>>& movedAside() const { return movedAside_; }
    // A settings folder start-up found read-only lends its set to the configuration folder, and gets it
    // back once it can be written again; the user is told each time (message 76, 77 or 78).
    struct Lent {
        QString settingsFolder;
        QString configFolder;
        int message = 0; // none: nothing to tell
    };
    const Lent& lent() const { return lent_; }
    static inline const QString TakenOverMarker = QStringLiteral("TakenOver.ini");
    QString umisteniPath() const;
    // Where the settings live when nobody chose a place: the program's Data/Nastaveni, or, when the
    // program folder may not be written (installed for the whole system), the user's configuration
    // folder ($XDG_CONFIG_HOME/Tavrok, ~/.config/Tavrok), which also holds Umisteni.ini then.
    QString defaultLocation() const;
    const QString& configFolder() const { return configFolder_; }
    QString dataPath(QStringView relative) const; // programFolder + "/Data/" + relative

    IniFile& settingsIni() { return settingsIni_; }
    IniFile& alarmsIni() { return alarmsIni_; }
    IniFile& languageIni() { return languageIni_; }
    const IniFile& settingsIni() const { return settingsIni_; }
    const IniFile& alarmsIni() const { return alarmsIni_; }
    const IniFile& languageIni() const { return languageIni_; }

    void openLanguage(const QString& name);

    // The stored location, unexpanded, and the folder it names.
    QString storedLocation() const;
    QString expand(QStringView location) const;

    // Copies the set from one folder to another, asking message 56 when a target exists. A copy that
    // fails (not one refused after No) is reported, and the copies already made are removed again.
    bool zkopirujNastaveni(const QString& oldFolder, const QString& newFolder, Questions& questions,
                           const MessageTable& messages) const;
    // Deletes the set in a folder; all three are attempted.
    bool smazNastaveni(const QString& folder) const;

    // Re-reads the location and reopens the settings and alarm files there. Returns the switch flag,
    // unchanged: whether the split-times manager must open its default file in the new folder.
    bool reopenIniFiles(bool switchSplitTimes);

    enum class Relocation {
        Unchanged,        // the path field names the stored location
        CopyRefused,      // nothing moved; the rest of the settings save goes on
        Moved,            // the set lives in the new folder now
        LocationNotSaved, // Umisteni.ini could not be written: the settings save ends here
    };
    struct RelocationResult {
        Relocation outcome = Relocation::Unchanged;
        bool switchSplitTimes = false;
    };
    // Run by the settings dialog's save with the text of its path field.
    RelocationResult premistit(const QString& pathField, Questions& questions, const MessageTable& messages);

private:
    void takeOverReadOnlySet(const QString& readOnlyFolder);
    void giveBackTakenOverSet(const QString& dataFolder, const QString& config);
    static QStringList setNames(bool withLocation);
    // Copies the named files that `from` holds into `to` as one step: all of them take their places or,
    // on a failure (`failedFile` names the target that could not be written), `to` is as it was. A
    // target that exists is kept when `replace` is false (`refused`).
    bool copyAsOne(const QString& from, const QString& to, const QStringList& names, bool replace,
                   bool* refused, QString* failedFile) const;
    void openSet(const QString& folder);
    // A folder the set may move to: an absolute path, not a root, every variable defined, writable.
    bool usableFolder(const QString& entered, const QString& folder) const;

    EnvironmentLookup env_;
    Files& files_;
    QString programFolder_;
    QString configFolder_; // empty while the program folder takes the settings
    QString settingsFolder_;
    QList<std::pair<QString, QString>> movedAside_;
    Lent lent_;
    IniFile settingsIni_;
    IniFile alarmsIni_;
    IniFile languageIni_;
};

} // namespace tavrok
