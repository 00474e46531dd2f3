#include "storage/inirecord.h"

#include "storage/inidocument.h"
#include "storage/inifile.h"
#include "storage/inivalues.h"

#include <algorithm>

namespace tavrok {

using detail::CaseInsensitiveEqual;
using detail::CaseInsensitiveHash;
using detail::Utf8View;

IniKeys::IniKeys(std::initializer_list<QStringView> keys) {
    Q_ASSERT(keys.size() <= MaxKeys);
    table_.fill(-1);
    for (const QStringView key : keys) {
        if (keys_.size() == MaxKeys) {
            break;
        }
        const auto hash = static_cast<uint32_t>(CaseInsensitiveHash{}(key));
        size_t slot = hash % TableSize;
        while (table_[slot] >= 0) {
            slot = (slot + 1) % TableSize;
        }
        table_[slot] = static_cast<int8_t>(keys_.size());
        keys_.push_back(key.toString());
        hashes_.push_back(hash);
    }
}

bool IniKeys::is(size_t i, QStringView key) const {
    const QString& k = keys_[i];
    return k.size() == key.size() && std::equal(key.begin(), key.end(), k.begin());
}

int IniKeys::indexOf(QStringView key, size_t hint) const {
    if (hint < keys_.size() && is(hint, key)) {
        return static_cast<int>(hint);
    }
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (is(i, key)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int IniKeys::match(Utf8View key) const {
    const auto hash = static_cast<uint32_t>(CaseInsensitiveHash{}(key));
    for (size_t slot = hash % TableSize; table_[slot] >= 0; slot = (slot + 1) % TableSize) {
        const auto i = static_cast<size_t>(table_[slot]);
        if (hashes_[i] == hash && CaseInsensitiveEqual{}(key, QStringView(keys_[i]))) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

IniRecord::IniRecord(const IniSnapshot& ini, QStringView section, const IniKeys& keys)
    : keys_(&keys), doc_(ini.doc_) {
    const uint32_t first = doc_->blocksOf(section);
    exists_ = first != detail::NoBlock;
    for (uint32_t b = first; b != detail::NoBlock; b = doc_->blocks[b].nextSame) {
        doc_->blocks[b].forEach([&](const detail::IniLine& line) {
            if (!line.isEntry) {
                return;
            }
            const int i = keys.match(line.key);
            if (i >= 0 && !(found_ & (1U << i))) { // the first line of a key wins
                found_ |= 1U << i;
                values_[static_cast<size_t>(i)] = line.value;
            }
        });
    }
}

const Utf8View* IniRecord::valueOf(QStringView key) const {
    const int i = keys_->indexOf(key, nextRead_);
    Q_ASSERT_X(i >= 0, "IniRecord", "a key outside the record's set");
    nextRead_ = static_cast<size_t>(i) + 1;
    return i >= 0 && (found_ & (1U << i)) ? &values_[static_cast<size_t>(i)] : nullptr;
}

bool IniRecord::valueExists(QStringView key) const {
    return valueOf(key) != nullptr;
}

QString IniRecord::readString(QStringView key, const QString& def) const {
    const Utf8View* v = valueOf(key);
    return v ? QString::fromUtf8(*v) : def;
}

int IniRecord::readInteger(QStringView key, int def) const {
    return detail::parsedOr(valueOf(key), def, parseIniInteger);
}

bool IniRecord::readBool(QStringView key, bool def) const {
    return readInteger(key, def ? 1 : 0) != 0;
}

TDateTime IniRecord::readDateTime(QStringView key, TDateTime def) const {
    return detail::parsedOr(valueOf(key), def, parseIniDateTime);
}

TDateTime IniRecord::readTime(QStringView key, TDateTime def) const {
    return detail::parsedOr(valueOf(key), def, parseIniTime);
}

} // namespace tavrok
