#pragma once

#include "storage/inifile.h"

#include <QString>

namespace tavrok {

// The language file in use, as read when it was applied: every text falls back to the built-in Czech
// one where the file lacks its key (a missing or unreadable file lacks them all). An empty value is a
// value: it gives an empty text.
class Language {
public:
    Language(); // the built-in Czech texts
    Language(IniSnapshot file, QString name);

    const QString& name() const { return name_; }
    const IniSnapshot& file() const { return file_; }

    // A key of a window section, or `builtIn` where the file lacks it.
    QString text(QStringView section, QStringView key, const QString& builtIn) const;
    // A word or hint of the key table, with the table's built-in text.
    QString word(QStringView section, QStringView key) const;

    // The translation version and the translator lines the About box shows.
    QString version() const;        // built in: "Neznámá"
    QString versionEnglish() const; // the same value, built in: "Unknown"
    QString authorCzech() const;
    QString authorEnglish() const;

    // The language of Qt's own buttons and dialogs: the file's "info"/"locale" ("cs", "en", ...); a
    // file without it is English unless it is the Czech one.
    QString qtLocale() const;

private:
    IniSnapshot file_;
    QString name_;
};

// Whether a file chosen in the settings was made for this program ("info"/"program"), and for this
// version of it (one of the "verzeProgramu" entries).
bool languageIsForThisProgram(const IniSnapshot& file);
bool languageFitsThisVersion(const IniSnapshot& file);

} // namespace tavrok
