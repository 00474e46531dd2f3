#include "storage/inidocument.h"
#include "storage/inifile.h"

#include <algorithm>

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

std::vector<std::optional<QString>> IniSnapshot::numberedValues(QStringView section, int first,
                                                                int count) const {
    std::vector<std::optional<QString>> values(static_cast<size_t>(std::max(count, 0)));
    const uint32_t block = doc_->blocksOf(section);
    if (block == detail::NoBlock) {
        return values;
    }
    for (const detail::IniLine& l : doc_->linesOf(block)) {
        const auto n = l.isEntry ? canonicalNumber(l.key) : std::nullopt;
        if (n && *n >= first && *n - first < count) {
            auto& value = values[static_cast<size_t>(*n - first)];
            if (!value) { // the first line of a key counts
                value = QString::fromUtf8(l.value);
            }
        }
    }
    return values;
}

int boundedListCount(const IniSnapshot& file, QStringView section, int stored, int first) {
    // Every key that reads as a number, each once however often it stands (numbers have no letter case).
    std::vector<std::pair<qint64, detail::Utf8View>> keys;
    const uint32_t block = file.doc_->blocksOf(section);
    if (block != detail::NoBlock) {
        for (const detail::IniLine& l : file.doc_->linesOf(block)) {
            if (!l.isEntry) {
                continue;
            }
            bool number = true;
            const std::optional<qint64> canonical = canonicalNumber(l.key); // "1"; the rest as "+01"
            const qint64 n = canonical ? *canonical : l.key.toLongLong(&number);
            if (number && n >= 0) {
                keys.emplace_back(n, l.key);
            }
        }
    }
    if (!std::is_sorted(keys.begin(), keys.end())) { // as the program writes them, they are
        std::sort(keys.begin(), keys.end());
    }
    const qint64 numbered = std::unique(keys.begin(), keys.end()) - keys.begin();
    const qint64 highest = keys.empty() ? -1 : keys.back().first;
    const qint64 limit = std::max<qint64>(0, std::min(highest + 1 - first, numbered * 2 + 64));
    return static_cast<int>(std::clamp<qint64>(stored, 0, limit));
}

bool fitsSectionHeader(QStringView name) {
    // A lone surrogate has no UTF-8 form: the name would be stored as another one.
    return name.isValidUtf16() && std::none_of(name.begin(), name.end(), [](QChar c) {
               return c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
                      c == QChar::ParagraphSeparator || c == u'[' || c == u']';
           });
}

bool fitsKey(QStringView key) {
    const QStringView k = key.trimmed();
    return !k.isEmpty() && k.isValidUtf16() && k.front() != u'[' && k.front() != u';' && !k.contains(u'=') &&
           std::none_of(k.begin(), k.end(), [](QChar c) {
               return c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
                      c == QChar::ParagraphSeparator;
           });
}

bool isListSection(QStringView name) {
    return name.compare(u"info", Qt::CaseInsensitive) == 0;
}

} // namespace tavrok
