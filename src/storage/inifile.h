#pragma once

#include "common/datetime.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace tavrok {

namespace detail {
struct IniDocument;
}

// The contents of an INI file as they were at one moment: reads from a snapshot never touch the disk,
// so a loader that reads many keys sees one consistent file and pays for one check.
//
// Reads: a missing file, section or key, or a value that does not convert, gives the caller's default.
// Section and key names compare without regard to case; when a key repeats, the first one counts, also
// across a repeated section. Names and values are trimmed of surrounding blanks. Lines starting with ";"
// are comments; keys before the first section belong to no section.
class IniSnapshot {
public:
    IniSnapshot();
    ~IniSnapshot();
    IniSnapshot(const IniSnapshot&);
    IniSnapshot& operator=(const IniSnapshot&);

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
    // The values of the keys `first`, `first` + 1, ... (count of them), `missing` for a key that is not
    // there: what reading them one by one gives, in one pass over the section.
    QStringList numberedValues(QStringView section, int first, int count, const QString& missing) const;
    // Equal for two snapshots of the same contents as parsed once; a change or a new read gives another.
    quint64 version() const;

private:
    friend class IniFile;
    friend class IniBatch;
    friend class IniRecord;
    friend int boundedListCount(const IniSnapshot&, QStringView, int, int);
    explicit IniSnapshot(std::shared_ptr<const detail::IniDocument> doc);
    std::shared_ptr<const detail::IniDocument> doc_;
};

// An INI handle names one file. Every read sees the file as it is on disk now (the parsed file is kept
// only while the file is unchanged), and every write reaches the disk before it returns, replacing the
// file atomically: a crash leaves the old file or the new one, never part of one.
//
// Writes keep the order of sections, keys and comments; a new key is appended to the first block of its
// section, a new section to the end of the file. A line break inside a value becomes a space. Writes
// return false on failure and leave reporting to the caller.
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
    // The file's bytes are no text (see detectTextEncoding): it is never written over.
    bool holdsNoText() const;

    // The file as it is now.
    IniSnapshot snapshot() const;

    QString readString(QStringView section, QStringView key, const QString& def = {}) const {
        return snapshot().readString(section, key, def);
    }
    int readInteger(QStringView section, QStringView key, int def) const {
        return snapshot().readInteger(section, key, def);
    }
    bool readBool(QStringView section, QStringView key, bool def) const {
        return snapshot().readBool(section, key, def);
    }
    double readFloat(QStringView section, QStringView key, double def) const {
        return snapshot().readFloat(section, key, def);
    }
    TDateTime readDateTime(QStringView section, QStringView key, TDateTime def) const {
        return snapshot().readDateTime(section, key, def);
    }
    TDateTime readTime(QStringView section, QStringView key, TDateTime def) const {
        return snapshot().readTime(section, key, def);
    }
    bool sectionExists(QStringView section) const { return snapshot().sectionExists(section); }
    bool valueExists(QStringView section, QStringView key) const { return snapshot().valueExists(section, key); }
    QStringList sectionNames() const { return snapshot().sectionNames(); }
    QStringList keyNames(QStringView section) const { return snapshot().keyNames(section); }

    [[nodiscard]] bool writeString(QStringView section, QStringView key, const QString& value);
    [[nodiscard]] bool writeInteger(QStringView section, QStringView key, int value);
    [[nodiscard]] bool writeBool(QStringView section, QStringView key, bool value);
    [[nodiscard]] bool writeFloat(QStringView section, QStringView key, double value);
    [[nodiscard]] bool writeDateTime(QStringView section, QStringView key, TDateTime value);
    [[nodiscard]] bool writeTime(QStringView section, QStringView key, TDateTime value);
    [[nodiscard]] bool eraseSection(QStringView section);
    [[nodiscard]] bool deleteKey(QStringView section, QStringView key);

private:
    friend class IniBatch;
    struct Stamp;
    // A value the file already holds is no change: nothing is written for it.
    enum class Edit { Refused, Unchanged, Changed };
    // `checkDisk` false: work on the parsed file as it is (a batch's later steps).
    [[nodiscard]] Edit edit(QStringView section, QStringView key, const QString& value, bool checkDisk = true);
    const std::shared_ptr<const detail::IniDocument>& current() const;
    detail::IniDocument& editable(bool checkDisk = true);
    // The parsed file to read, without the copy `editable` makes while a snapshot is held.
    const detail::IniDocument& viewed(bool checkDisk);
    // Whether the disk holds other bytes than the parsed file was read from.
    bool changedOnDisk() const;
    [[nodiscard]] bool save();

    QString path_;
    QByteArray encodedPath_;
    mutable std::shared_ptr<const detail::IniDocument> doc_;
    mutable std::unique_ptr<Stamp> stamp_;
};

// Several changes to one file saved as one atomic replacement: either all of them reach the disk or
// none does. For operations that must not leave half their keys written (an alarm, a shifted list).
class IniBatch {
public:
    // `keepsOthers`: for a batch that stays open while the user answers questions, in which time the
    // program may write the same file. Its steps are remembered, and when the file changed on disk
    // meanwhile they are made again on the file as it is then, so the other writes are not lost.
    explicit IniBatch(IniFile& file, bool keepsOthers = false) : file_(file), keepsOthers_(keepsOthers) {}
    void writeString(QStringView section, QStringView key, const QString& value);
    void writeInteger(QStringView section, QStringView key, int value);
    void writeBool(QStringView section, QStringView key, bool value);
    void writeFloat(QStringView section, QStringView key, double value);
    void writeDateTime(QStringView section, QStringView key, TDateTime value);
    void writeTime(QStringView section, QStringView key, TDateTime value);
    void eraseSection(QStringView section);
    void deleteKey(QStringView section, QStringView key);
    // The file as this batch has it: as read at its first step, with its changes so far. The disk is not
    // looked at again, so a change another writer made meanwhile does not replace the batch's own.
    IniSnapshot view();
    // Saves every change made since the batch began; false leaves the file as it was.
    [[nodiscard]] bool commit();

private:
    bool firstStep();
    struct Step {
        enum class Kind { Write, Erase, Delete } kind;
        QString section;
        QString key;
        QString value;
    };
    void remember(Step::Kind kind, QStringView section, QStringView key = {}, const QString& value = {});

    IniFile& file_;
    bool keepsOthers_ = false;
    bool ok_ = true;
    bool changed_ = false;
    bool started_ = false;
    std::vector<Step> steps_;
};

// How many numbered entries (keys `first` up to the count) a count read from a list section may cover:
// never beyond the highest numbered key the section has, nor far beyond how many it has, so a
// hand-edited count or a key numbered in the billions never floods a list or a loop.
int boundedListCount(const IniSnapshot& file, QStringView section, int stored, int first = 0);

// Whether a name given by the user can head a section of its own, a line "[name]": a line break or a
// bracket would split or end that header and lose what the section holds at the next load.
bool fitsSectionHeader(QStringView name);
// A key that reads back as itself: not empty, no '=', not starting as a section header or a comment
// does, no line break or control character.
bool fitsKey(QStringView key);

// A file that lists named sections keeps the list in "info": a section of that name would overwrite
// the list (or, deleted, take it with it).
bool isListSection(QStringView name);

} // namespace tavrok
