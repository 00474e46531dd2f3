#pragma once

#include "app/datetime.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace tavrok {

// An INI handle names one file. Every read sees the file as it is on disk now (the parsed file is kept
// only while the file is unchanged), and every write reaches the disk before it returns, replacing the
// file atomically: a crash leaves the old file or the new one, never part of one.
//
// Reads: a missing file, section or key, or a value that does not convert, gives the caller's default.
// Section and key names compare without regard to case; when a key repeats, the first one counts, also
// across a repeated section. Names and values are trimmed of surrounding blanks. Lines starting with ";"
// are comments. Writes keep the order of sections, keys and comments; a new key is appended to the
// first block of its section, a new section to the end of the file. Writes return false on failure and
// leave reporting to the caller.
class IniFile {
public:
    IniFile();
    explicit IniFile(QString path);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;
    IniFile(IniFile&&) noexcept;
    IniFile& operator=(IniFile&&) noexcept;

    const QString& path() const { return path_; }

    QString readString(QStringView section, QStringView key, const QString& def = {}) const;
    int readInteger(QStringView section, QStringView key, int def) const;
    bool readBool(QStringView section, QStringView key, bool def) const;
    double readFloat(QStringView section, QStringView key, double def) const;
    TDateTime readDateTime(QStringView section, QStringView key, TDateTime def) const;
    TDateTime readTime(QStringView section, QStringView key, TDateTime def) const;

    bool sectionExists(QStringView section) const;
    bool valueExists(QStringView section, QStringView key) const;
    QStringList sectionNames() const;
    QStringList keyNames(QStringView section) const;

    [[nodiscard]] bool writeString(QStringView section, QStringView key, const QString& value);
    [[nodiscard]] bool writeInteger(QStringView section, QStringView key, int value);
    [[nodiscard]] bool writeBool(QStringView section, QStringView key, bool value);
    [[nodiscard]] bool writeFloat(QStringView section, QStringView key, double value);
    [[nodiscard]] bool writeDateTime(QStringView section, QStringView key, TDateTime value);
    [[nodiscard]] bool writeTime(QStringView section, QStringView key, TDateTime value);
    [[nodiscard]] bool eraseSection(QStringView section);
    [[nodiscard]] bool deleteKey(QStringView section, QStringView key);

private:
    struct Document;
    struct Stamp;
    const Document& document() const;
    [[nodiscard]] bool save(Document& doc);

    QString path_;
    QByteArray encodedPath_;
    mutable std::unique_ptr<Document> doc_;
    mutable std::unique_ptr<Stamp> stamp_;
};

} // namespace tavrok
