#include "lang/language.h"

#include "lang/languagekeys.h"
#include "storage/storagelocations.h"

namespace tavrok {

Language::Language() : name_(QStringLiteral("Cesky")) {}

Language::Language(IniSnapshot file, QString name) : file_(std::move(file)), name_(std::move(name)) {}

QString Language::text(QStringView section, QStringView key, const QString& builtIn) const {
    return file_.readString(section, key, builtIn);
}

QString Language::word(QStringView section, QStringView key) const {
    const LanguageKey* k = findLanguageKey(section, key);
    const QString builtIn = k && k->builtIn ? QString::fromUtf16(k->builtIn) : QString();
    return file_.readString(k && k->fileSection ? QStringView(k->fileSection) : section, key, builtIn);
}

QString Language::version() const {
    return file_.readString(u"info", u"verzeJazyka", QString::fromUtf16(u"Neznámá"));
}

QString Language::versionEnglish() const {
    return file_.readString(u"info", u"verzeJazyka", QStringLiteral("Unknown"));
}

QString Language::authorCzech() const {
    return file_.readString(u"info", u"autorJazykaCesky", QString::fromUtf16(u"Nebyl uveden žádný autor."));
}

QString Language::authorEnglish() const {
    return file_.readString(u"info", u"autorJazykaEnglish", QStringLiteral("No author found."));
}

QString Language::qtLocale() const {
    const QString locale = file_.readString(u"info", u"locale").trimmed();
    if (!locale.isEmpty()) {
        return locale;
    }
    // Without the key: the built-in texts (no file at all) and the Czech file are Czech; any other
    // translation is closer to English than to Czech.
    const bool czech = file_.sectionNames().isEmpty() || name_.startsWith(QStringLiteral("Cesk"), Qt::CaseInsensitive) ||
                       name_.startsWith(QString::fromUtf16(u"Česk"), Qt::CaseInsensitive);
    return czech ? QStringLiteral("cs") : QStringLiteral("en");
}

bool languageIsForThisProgram(const IniSnapshot& file) {
    return file.readString(u"info", u"program") == StorageLocations::ProgramName;
}

bool languageFitsThisVersion(const IniSnapshot& file) {
    // Entries "verze1" up to "verze" + "pocet"; only the keys the file has are looked at, so a huge
    // count costs nothing.
    const int count = file.readInteger(u"verzeProgramu", u"pocet", 0);
    bool fits = false;
    for (const QString& key : file.keyNames(u"verzeProgramu")) {
        if (!key.startsWith(QStringLiteral("verze"), Qt::CaseInsensitive)) {
            continue;
        }
        bool number = false;
        const int i = QStringView(key).mid(5).toInt(&number);
        if (number && i >= 1 && i <= count && key.mid(5) == QString::number(i) &&
            file.readString(u"verzeProgramu", key) == StorageLocations::ProgramVersion) {
            fits = true;
        }
    }
    return fits;
}

} // namespace tavrok
