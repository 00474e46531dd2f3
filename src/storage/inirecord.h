#pragma once

#include "common/datetime.h"
#include "storage/caseinsensitive.h"

#include <QString>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

namespace tavrok {

namespace detail {
struct IniDocument;
}
class IniSnapshot;

// A fixed set of keys that a record is read with. Made once (a static of its reader): it holds the
// keys' hashes for the pass over a section's lines.
class IniKeys {
public:
    static constexpr size_t MaxKeys = 32;
    IniKeys(std::initializer_list<QStringView> keys);

    size_t size() const { return keys_.size(); }
    // The place of a key of the set, given as it was listed; -1 for any other. The hint is looked at
    // first: a record is mostly read in the order of its keys.
    int indexOf(QStringView key, size_t hint = 0) const;
    // The place of a key of the section's lines in the set, letter case aside; -1 when it is none of them.
    int match(detail::Utf8View key) const;

private:
    static constexpr size_t TableSize = 2 * MaxKeys;
    bool is(size_t i, QStringView key) const;
    std::vector<QString> keys_;
    std::vector<uint32_t> hashes_;
    std::array<int8_t, TableSize> table_{}; // open addressing by hash; -1 for an empty slot
};

// The values of a set of keys in one section, found in one pass over its lines: each reads as the same
// key read from the snapshot would (the first line of a key wins; a missing or unreadable value gives
// the default). Keeps the parsed file alive while it lives.
class IniRecord {
public:
    IniRecord(const IniSnapshot& ini, QStringView section, const IniKeys& keys);

    bool sectionExists() const { return exists_; }
    bool valueExists(QStringView key) const;
    QString readString(QStringView key, const QString& def = {}) const;
    int readInteger(QStringView key, int def) const;
    bool readBool(QStringView key, bool def) const;
    TDateTime readDateTime(QStringView key, TDateTime def) const;
    TDateTime readTime(QStringView key, TDateTime def) const;

private:
    const detail::Utf8View* valueOf(QStringView key) const;

    const IniKeys* keys_;
    std::shared_ptr<const detail::IniDocument> doc_;
    bool exists_ = false;
    uint32_t found_ = 0; // a bit for each key of the set that has a value
    mutable size_t nextRead_ = 0;
    std::array<detail::Utf8View, IniKeys::MaxKeys> values_{};
};

} // namespace tavrok
