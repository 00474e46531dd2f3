#include "storage/inidocument.h"
#include "storage/inifile.h"

#include <algorithm>
#include <limits>

// Numbered lists in a section (keys 1, 2, 3, ...) and the names a section or key may have.
namespace tavrok {

namespace {

// The number a key is the decimal form of (as QString::number writes it), if any.
std::optional<qint64> canonicalNumber(detail::Utf8View key) {
    if (key.isEmpty() || key.size() > 18 || (key.size() > 1 && key.front() == u'0')) {
        return std::nullopt;
    }
    qint64 n = 0;
    for (const char c : key) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        n = n * 10 + (c - '0');
    }
    return n;
}

} // namespace

QStringList IniSnapshot::numberedValues(QStringView section, int first, int count, const QString& missing) const {
    const auto n = static_cast<size_t>(std::max(count, 0));
    QStringList values(static_cast<qsizetype>(n), missing);
    const uint32_t block = doc_->blocksOf(section);
    if (block == detail::NoBlock) {
        return values;
    }
    std::vector<bool> found(n);
    doc_->forEachLineOf(block, [&](const detail::IniLine& l) {
        const auto k = l.isEntry ? canonicalNumber(l.key) : std::nullopt;
        if (k && *k >= first && *k - first < count) {
            const auto at = static_cast<size_t>(*k - first);
            if (!found[at]) { // the first line of a key counts
                found[at] = true;
                values[static_cast<qsizetype>(at)] = QString::fromUtf8(l.value);
            }
        }
    });
    return values;
}

int boundedListCount(const IniSnapshot& file, QStringView section, int stored, int first) {
    // Every key that reads as a number, each once however often it stands (numbers have no letter case).
    const uint32_t block = file.doc_->blocksOf(section);
    const auto lines = [&](auto&& fn) { file.doc_->forEachLineOf(block, fn); };
    const auto numberOf = [](const detail::IniLine& l) -> qint64 {
        if (!l.isEntry) {
            return -1;
        }
        bool number = true;
        const std::optional<qint64> canonical = canonicalNumber(l.key); // "1"; the rest as "+01"
        const qint64 n = canonical ? *canonical : l.key.toLongLong(&number);
        return number ? n : -1;
    };
    // As the program writes them, the numbers rise line by line, each key once: no list of them needed.
    qint64 numbered = 0;
    qint64 highest = -1;
    bool rising = true;
    lines([&](const detail::IniLine& l) {
        if (const qint64 n = numberOf(l); n >= 0) {
            rising = rising && n > highest;
            highest = std::max(highest, n);
            ++numbered;
        }
    });
    if (!rising) {
        std::vector<std::pair<qint64, detail::Utf8View>> keys;
        keys.reserve(static_cast<size_t>(numbered));
        lines([&](const detail::IniLine& l) {
            if (const qint64 n = numberOf(l); n >= 0) {
                keys.emplace_back(n, l.key);
            }
        });
        std::sort(keys.begin(), keys.end());
        numbered = std::unique(keys.begin(), keys.end()) - keys.begin();
    }
    // The highest number may be the largest a key can say: the count is an int, so it is held below that.
    const qint64 top = std::min<qint64>(highest, std::numeric_limits<int>::max());
    const qint64 limit = std::max<qint64>(0, std::min(top + 1 - first, numbered * 2 + 64));
    return static_cast<int>(std::clamp<qint64>(stored, 0, limit));
}

namespace {

// A control character (the whole of Unicode's category Cc: C0, DEL and C1) or a line or paragraph
// separator: each would end or garble the line it is written on.
bool breaksLine(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

} // namespace

bool fitsSectionHeader(QStringView name) {
    // A lone surrogate has no UTF-8 form: the name would be stored as another one.
    return name.isValidUtf16() && std::none_of(name.begin(), name.end(), [](QChar c) {
               return breaksLine(c) || c == u'[' || c == u']';
           });
}

bool fitsKey(QStringView key) {
    const QStringView k = key.trimmed();
    return !k.isEmpty() && k.isValidUtf16() && k.front() != u'[' && k.front() != u';' && !k.contains(u'=') &&
           std::none_of(k.begin(), k.end(), breaksLine);
}

bool isListSection(QStringView name) {
    return name.compare(u"info", Qt::CaseInsensitive) == 0;
}

} // namespace tavrok
