#pragma once

// The parsed text of an INI file, shared by the read-only snapshots and the handle that writes it.
#include "storage/textcodec.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <algorithm>
#include <deque>
#include <unordered_map>
#include <vector>

namespace tavrok::detail {

struct CaseInsensitiveHash {
    using is_transparent = void;
    size_t operator()(QStringView s) const noexcept {
        size_t h = 1469598103934665603ULL;
        for (const QChar c : s) {
            const char16_t u = c.unicode();
            const char16_t folded = u < 0x80 ? (u >= 'A' && u <= 'Z' ? u + 32 : u) : c.toCaseFolded().unicode();
            h = (h ^ folded) * 1099511628211ULL;
        }
        return h;
    }
};

struct CaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(QStringView a, QStringView b) const noexcept {
        if (a.size() != b.size()) {
            return false;
        }
        const char16_t* p = a.utf16();
        const char16_t* q = b.utf16();
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (p[i] == q[i]) {
                continue;
            }
            if (p[i] >= 0x80 || q[i] >= 0x80) {
                // Names are almost always ASCII; the rest takes Unicode case folding.
                return a.sliced(i).compare(b.sliced(i), Qt::CaseInsensitive) == 0;
            }
            if ((p[i] | 0x20) != (q[i] | 0x20) || !((p[i] | 0x20) >= 'a' && (p[i] | 0x20) <= 'z')) {
                return false;
            }
        }
        return true;
    }
};


// Names and values are views into the file's text or into texts written since; both are kept alive by
// the document and never modified, so a copy of the document shares them.
struct IniLine {
    bool isEntry = false;
    QStringView key; // the whole raw line when this is not an entry
    QStringView value;
};

// Calls fn(IniLine) for each line of a piece of the file's text.
template <typename F>
void forEachLine(QStringView text, F&& fn) {
    const QChar* p = text.data();
    const QChar* const e = p + text.size();
    while (p != e) {
        const QChar* lineEnd = p;
        while (lineEnd != e && *lineEnd != u'\n' && *lineEnd != u'\r') {
            ++lineEnd;
        }
        const QStringView raw(p, lineEnd);
        if (lineEnd != e) {
            lineEnd += (*lineEnd == u'\r' && lineEnd + 1 != e && lineEnd[1] == u'\n') ? 2 : 1;
        }
        p = lineEnd;
        fn(raw);
    }
}

inline bool isHeaderLine(QStringView trimmed) {
    return trimmed.size() >= 2 && trimmed.front() == u'[' && trimmed.back() == u']';
}

inline IniLine classify(QStringView raw) {
    const QStringView line = raw.trimmed();
    const qsizetype eq = line.indexOf(u'=');
    if (eq > 0 && line.front() != u';') {
        return IniLine{true, line.first(eq).trimmed(), line.sliced(eq + 1).trimmed()};
    }
    return IniLine{false, raw, {}};
}

// A section's header and its lines. A block nobody changed keeps its lines as the text they are in
// (body) and is split into lines only when read or changed: a file of 200 000 alarms costs little
// more memory than its text.
struct IniBlock {
    QStringView name;
    bool hasHeader = false;
    bool parsed = true; // lines hold the block; otherwise body does
    QStringView body;
    std::vector<IniLine> lines;

    template <typename F>
    void forEach(F&& fn) const {
        if (parsed) {
            for (const IniLine& l : lines) {
                fn(l);
            }
        } else {
            forEachLine(body, [&](QStringView raw) { fn(classify(raw)); });
        }
    }
    void parse() {
        if (!parsed) {
            forEachLine(body, [&](QStringView raw) { lines.push_back(classify(raw)); });
            parsed = true;
            body = {};
        }
    }
    bool empty() const { return parsed ? lines.empty() : body.isEmpty(); }
};

struct IniDocument {
    QString text;
    std::deque<QString> owned;
    std::vector<IniBlock> blocks{IniBlock{}};
    std::unordered_map<QStringView, std::vector<uint32_t>, CaseInsensitiveHash, CaseInsensitiveEqual> sections;
    // Sections with many keys (the list of alarm names) get a key index when first searched; any change
    // of the document drops it.
    static constexpr size_t IndexedSectionSize = 32;
    using KeyIndex = std::unordered_map<QStringView, QStringView, CaseInsensitiveHash, CaseInsensitiveEqual>;
    mutable std::unordered_map<uint32_t, KeyIndex> keyIndexes;
    // The section read last, and its lines: its keys are read one after another.
    mutable QStringView lastName;
    mutable const std::vector<uint32_t>* lastList = nullptr;
    mutable uint32_t cachedSection = UINT32_MAX;
    mutable std::vector<IniLine> cachedLines;
    mutable size_t nextLine = 0;      // after the line the last key was found in
    mutable bool cachedUnique = false; // no key of the cached section stands twice
    size_t rawHash = 0;    // of the bytes the document was read from or last written as
    qsizetype rawSize = 0; // and their number
    qint64 loadedAtNs = 0; // wall clock just before those bytes were read or written
    bool undecodable = false; // the bytes on disk are no text: they are never overwritten

    static size_t hashOf(const QByteArray& bytes) { return qHash(bytes, 0x7461767261ULL); }
    bool sameBytes(const QByteArray& bytes) const { return bytes.size() == rawSize && hashOf(bytes) == rawHash; }
    void setRaw(const QByteArray& bytes) {
        rawHash = hashOf(bytes);
        rawSize = bytes.size();
    }

    QStringView own(QString s) {
        owned.push_back(std::move(s));
        return owned.back();
    }

    static IniDocument parse(const QByteArray& bytes) {
        IniDocument doc;
        std::optional<QString> text = tryDecodeTextFile(bytes);
        doc.undecodable = !text;
        doc.text = std::move(text).value_or(QString());
        doc.setRaw(bytes);
        doc.blocks.front().parsed = false;
        doc.blocks.front().body = QStringView(doc.text).first(0);
        const QChar* bodyStart = doc.text.constData();
        const QChar* const begin = doc.text.constData();
        forEachLine(doc.text, [&](QStringView raw) {
            const QChar* q = raw.data();
            const QChar* const lineEnd = q + raw.size();
            while (q != lineEnd && q->isSpace()) {
                ++q;
            }
            if (q == lineEnd || *q != u'[') {
                return; // most lines: no header, decided at their first character
            }
            const QStringView line = raw.trimmed();
            if (!isHeaderLine(line)) {
                return;
            }
            doc.blocks.back().body = QStringView(bodyStart, raw.data());
            doc.blocks.push_back(IniBlock{line.sliced(1, line.size() - 2).trimmed(), true, false, {}, {}});
            // The body starts after this header line and its line break.
            const QChar* after = raw.data() + raw.size();
            const QChar* const end = begin + doc.text.size();
            if (after != end) {
                after += (*after == u'\r' && after + 1 != end && after[1] == u'\n') ? 2 : 1;
            }
            bodyStart = after;
        });
        doc.blocks.back().body = QStringView(bodyStart, begin + doc.text.size());
        doc.reindex();
        return doc;
    }

    void changed() {
        nextLine = 0;
        lastName = {};
        lastList = nullptr;
        keyIndexes.clear();
        cachedSection = UINT32_MAX;
        cachedLines.clear();
    }

    void reindex() {
        changed();
        sections.clear();
        sections.reserve(blocks.size());
        for (uint32_t b = 0; b < blocks.size(); ++b) {
            if (blocks[b].hasHeader) {
                sections[blocks[b].name].push_back(b);
            }
        }
    }

    const std::vector<uint32_t>* blocksOf(QStringView section) const {
        if (lastList && CaseInsensitiveEqual{}(lastName, section)) {
            return lastList;
        }
        const auto s = sections.find(section);
        if (s == sections.end()) {
            return nullptr;
        }
        lastName = s->first; // the document's own text, valid as long as the entry
        lastList = &s->second;
        return lastList;
    }

    // The lines of a section (all its blocks, in order); valid until another section is read or the
    // document changes.
    const std::vector<IniLine>& linesOf(const std::vector<uint32_t>& list) const {
        if (cachedSection != list.front()) {
            cachedLines.clear();
            for (const uint32_t b : list) {
                blocks[b].forEach([&](const IniLine& l) { cachedLines.push_back(l); });
            }
            cachedSection = list.front();
            nextLine = 0;
            cachedUnique = cachedLines.size() <= IndexedSectionSize;
            if (cachedUnique) { // keys of equal hash might be one key twice: then no shortcut
                size_t hashes[IndexedSectionSize];
                size_t count = 0;
                for (const IniLine& l : cachedLines) {
                    if (l.isEntry) {
                        hashes[count++] = CaseInsensitiveHash{}(l.key);
                    }
                }
                std::sort(hashes, hashes + count);
                cachedUnique = std::adjacent_find(hashes, hashes + count) == hashes + count;
            }
        }
        return cachedLines;
    }

    const KeyIndex* keyIndexOf(const std::vector<uint32_t>& list) const {
        if (const auto it = keyIndexes.find(list.front()); it != keyIndexes.end()) {
            return &it->second;
        }
        const std::vector<IniLine>& lines = linesOf(list);
        if (lines.size() <= IndexedSectionSize) {
            return nullptr;
        }
        KeyIndex& index = keyIndexes[list.front()];
        index.reserve(lines.size());
        for (const IniLine& l : lines) {
            if (l.isEntry) {
                index.try_emplace(l.key, l.value);
            }
        }
        return &index;
    }

    // The value of the first line of that key, if any.
    std::optional<QStringView> find(QStringView section, QStringView key) const {
        const auto* list = blocksOf(section);
        if (!list) {
            return std::nullopt;
        }
        if (const KeyIndex* index = keyIndexOf(*list)) {
            const auto found = index->find(key);
            return found == index->end() ? std::nullopt : std::optional<QStringView>(found->second);
        }
        // Searched from where the last key was found: read in the order of the file, each key is found at
        // once. Where a key may stand twice the first line must win, and the search starts at the top.
        const CaseInsensitiveEqual equal;
        const std::vector<IniLine>& lines = linesOf(*list);
        const size_t n = lines.size();
        const size_t start = cachedUnique && nextLine < n ? nextLine : 0;
        for (size_t i = 0; i < n; ++i) {
            const size_t at = start + i < n ? start + i : start + i - n;
            if (lines[at].isEntry && equal(lines[at].key, key)) {
                nextLine = at + 1;
                return lines[at].value;
            }
        }
        return std::nullopt;
    }

    // The keys of a section, each once, in the order of their first lines.
    QStringList keyNames(QStringView section) const {
        QStringList names;
        const auto* list = blocksOf(section);
        if (!list) {
            return names;
        }
        const std::vector<IniLine> lines = linesOf(*list); // a copy: find below reuses the cache
        for (const IniLine& l : lines) {
            if (l.isEntry) {
                const auto first = find(section, l.key);
                if (first && first->data() == l.value.data() && first->size() == l.value.size()) {
                    names << l.key.toString();
                }
            }
        }
        return names;
    }

    QByteArray serialize() const {
        QString out;
        out.reserve(text.size() + 64);
        for (const IniBlock& block : blocks) {
            if (block.hasHeader) {
                out += QLatin1Char('[');
                out += block.name;
                out += QLatin1String("]\n");
            }
            block.forEach([&](const IniLine& l) {
                out += l.key;
                if (l.isEntry) {
                    out += QLatin1Char('=');
                    out += l.value;
                }
                out += QLatin1Char('\n');
            });
        }
        return out.toUtf8();
    }

    void set(QStringView section, QStringView key, const QString& value) {
        const auto* list = blocksOf(section);
        // The key index of the section written to is kept up to date rather than dropped, so a long
        // list written key by key costs time in proportion to its length, not to its square.
        std::optional<KeyIndex> index;
        if (list) {
            if (const auto it = keyIndexes.find(list->front()); it != keyIndexes.end()) {
                index = std::move(it->second);
            }
        }
        changed();
        if (!list) {
            IniBlock& last = blocks.back();
            if (!last.empty() || last.hasHeader) {
                last.parse();
                last.lines.push_back(IniLine{}); // a blank line between sections
            }
            blocks.push_back(
                IniBlock{own(section.toString()), true, true, {}, {IniLine{true, own(key.toString()), own(value)}}});
            sections[blocks.back().name].push_back(static_cast<uint32_t>(blocks.size() - 1));
            return;
        }
        const auto keepIndex = [&] {
            if (index) {
                keyIndexes.emplace(list->front(), std::move(*index));
            }
        };
        const CaseInsensitiveEqual equal;
        const auto known = index ? index->find(key) : KeyIndex::iterator{};
        if (!index || known != index->end()) {
            for (const uint32_t b : *list) {
                blocks[b].parse();
                for (IniLine& l : blocks[b].lines) {
                    if (l.isEntry && equal(l.key, key)) {
                        l.value = own(value);
                        if (index) {
                            known->second = l.value;
                        }
                        keepIndex();
                        return;
                    }
                }
            }
        }
        // Append after the last non-blank line of the section's first block.
        IniBlock& first = blocks[list->front()];
        first.parse();
        auto& lines = first.lines;
        auto pos = lines.end();
        while (pos != lines.begin() && !std::prev(pos)->isEntry && std::prev(pos)->key.trimmed().isEmpty()) {
            --pos;
        }
        const IniLine added{true, own(key.toString()), own(value)};
        lines.insert(pos, added);
        if (index) {
            index->emplace(added.key, added.value);
        }
        keepIndex();
    }

    bool erase(QStringView section) {
        const size_t before = blocks.size();
        std::erase_if(blocks,
                      [&](const IniBlock& b) { return b.hasHeader && CaseInsensitiveEqual{}(b.name, section); });
        if (blocks.size() == before) {
            return false;
        }
        reindex();
        return true;
    }

    bool remove(QStringView section, QStringView key) {
        changed();
        const auto* list = blocksOf(section);
        if (!list) {
            return false;
        }
        bool removed = false;
        for (const uint32_t b : *list) {
            blocks[b].parse();
            removed |= std::erase_if(blocks[b].lines, [&](const IniLine& l) {
                           return l.isEntry && CaseInsensitiveEqual{}(l.key, key);
                       }) > 0;
        }
        return removed;
    }
};

} // namespace tavrok::detail
