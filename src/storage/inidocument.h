#pragma once

// The parsed text of an INI file, shared by the read-only snapshots and the handle that writes it.
#include "storage/textcodec.h"

#include <QByteArray>
#include <QString>
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

struct IniBlock {
    QStringView name;
    bool hasHeader = false;
    std::vector<IniLine> lines;
};

struct IniDocument {
    QString text;
    std::deque<QString> owned;
    std::vector<IniBlock> blocks{IniBlock{}};
    std::unordered_map<QStringView, std::vector<uint32_t>, CaseInsensitiveHash, CaseInsensitiveEqual> sections;
    // Sections with many keys (the list of alarm names) get a key index when first searched; any change
    // of the document drops it.
    static constexpr size_t IndexedSectionSize = 32;
    using KeyIndex = std::unordered_map<QStringView, const IniLine*, CaseInsensitiveHash, CaseInsensitiveEqual>;
    mutable std::unordered_map<uint32_t, KeyIndex> keyIndexes;
    QByteArray raw;        // the bytes the document was read from or last written as
    qint64 loadedAtNs = 0; // wall clock just before those bytes were read or written
    bool undecodable = false; // the bytes on disk are no text: they are never overwritten

    QStringView own(QString s) {
        owned.push_back(std::move(s));
        return owned.back();
    }

    static IniDocument parse(QByteArray bytes) {
        IniDocument doc;
        std::optional<QString> text = tryDecodeTextFile(bytes);
        doc.undecodable = !text;
        doc.text = std::move(text).value_or(QString());
        doc.raw = std::move(bytes);
        doc.blocks.reserve(static_cast<size_t>(doc.text.count(u'[')) + 1); // at most one block per bracket
        QStringView rest(doc.text);
        IniBlock* current = &doc.blocks.back();
        while (!rest.isEmpty()) {
            const QChar* p = rest.data();
            const QChar* e = p + rest.size();
            const QChar* lineEnd = p;
            while (lineEnd != e && *lineEnd != u'\n' && *lineEnd != u'\r') {
                ++lineEnd;
            }
            const QStringView raw(p, lineEnd);
            if (lineEnd != e) {
                lineEnd += (*lineEnd == u'\r' && lineEnd + 1 != e && lineEnd[1] == u'\n') ? 2 : 1;
            }
            rest = QStringView(lineEnd, e);

            const QStringView line = raw.trimmed();
            if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
                doc.blocks.push_back(IniBlock{line.sliced(1, line.size() - 2).trimmed(), true, {}});
                current = &doc.blocks.back();
                continue;
            }
            const qsizetype eq = line.indexOf(u'=');
            if (eq > 0 && line.front() != u';') {
                current->lines.push_back(IniLine{true, line.first(eq).trimmed(), line.sliced(eq + 1).trimmed()});
            } else {
                current->lines.push_back(IniLine{false, raw, {}});
            }
        }
        doc.reindex();
        return doc;
    }

    void reindex() {
        keyIndexes.clear();
        sections.clear();
        sections.reserve(blocks.size());
        for (uint32_t b = 0; b < blocks.size(); ++b) {
            if (blocks[b].hasHeader) {
                sections[blocks[b].name].push_back(b);
            }
        }
    }

    const std::vector<uint32_t>* blocksOf(QStringView section) const {
        const auto s = sections.find(section);
        return s == sections.end() ? nullptr : &s->second;
    }

    const KeyIndex* keyIndexOf(const std::vector<uint32_t>& list) const {
        size_t lines = 0;
        for (const uint32_t b : list) {
            lines += blocks[b].lines.size();
        }
        if (lines <= IndexedSectionSize) {
            return nullptr;
        }
        auto [it, created] = keyIndexes.try_emplace(list.front());
        if (created) {
            for (const uint32_t b : list) {
                for (const IniLine& l : blocks[b].lines) {
                    if (l.isEntry) {
                        it->second.try_emplace(l.key, &l);
                    }
                }
            }
        }
        return &it->second;
    }

    const IniLine* find(QStringView section, QStringView key) const {
        const auto* list = blocksOf(section);
        if (!list) {
            return nullptr;
        }
        if (const KeyIndex* index = keyIndexOf(*list)) {
            const auto found = index->find(key);
            return found == index->end() ? nullptr : found->second;
        }
        const CaseInsensitiveEqual equal;
        for (const uint32_t b : *list) {
            for (const IniLine& l : blocks[b].lines) {
                if (l.isEntry && equal(l.key, key)) {
                    return &l;
                }
            }
        }
        return nullptr;
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
            for (const IniLine& l : block.lines) {
                out += l.key;
                if (l.isEntry) {
                    out += QLatin1Char('=');
                    out += l.value;
                }
                out += QLatin1Char('\n');
            }
        }
        return out.toUtf8();
    }

    void set(QStringView section, QStringView key, const QString& value) {
        keyIndexes.clear();
        const auto* list = blocksOf(section);
        if (!list) {
            if (!blocks.back().lines.empty() || blocks.back().hasHeader) {
                blocks.back().lines.push_back(IniLine{}); // a blank line between sections
            }
            blocks.push_back(IniBlock{own(section.toString()), true, {IniLine{true, own(key.toString()), own(value)}}});
            sections[blocks.back().name].push_back(static_cast<uint32_t>(blocks.size() - 1));
            return;
        }
        const CaseInsensitiveEqual equal;
        for (const uint32_t b : *list) {
            for (IniLine& l : blocks[b].lines) {
                if (l.isEntry && equal(l.key, key)) {
                    l.value = own(value);
                    return;
                }
            }
        }
        // Append after the last non-blank line of the section's first block.
        auto& lines = blocks[list->front()].lines;
        auto pos = lines.end();
        while (pos != lines.begin() && !std::prev(pos)->isEntry && std::prev(pos)->key.trimmed().isEmpty()) {
            --pos;
        }
        lines.insert(pos, IniLine{true, own(key.toString()), own(value)});
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
        keyIndexes.clear();
        const auto* list = blocksOf(section);
        if (!list) {
            return false;
        }
        bool removed = false;
        for (const uint32_t b : *list) {
            removed |= std::erase_if(blocks[b].lines, [&](const IniLine& l) {
                           return l.isEntry && CaseInsensitiveEqual{}(l.key, key);
                       }) > 0;
        }
        return removed;
    }
};

} // namespace tavrok::detail
