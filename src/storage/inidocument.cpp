#include "storage/inidocument.h"

#include "storage/textcodec.h"

#include <algorithm>
#include <unordered_set>

namespace tavrok::detail {

namespace {

// The name between the brackets of a header line; a comment may follow the header ("[nastaveni] ; moje").
std::optional<Utf8View> headerName(Utf8View trimmedLine) {
    if (trimmedLine.size() < 2 || trimmedLine.front() != '[') {
        return std::nullopt;
    }
    if (trimmedLine.back() == ']') {
        return trimmedLine.sliced(1, trimmedLine.size() - 2);
    }
    const qsizetype close = trimmedLine.indexOf(']');
    if (close < 0) {
        return std::nullopt;
    }
    const Utf8View rest = trimmed(trimmedLine.sliced(close + 1));
    if (rest.isEmpty() || (rest.front() != ';' && rest.front() != '#')) {
        return std::nullopt;
    }
    return trimmedLine.sliced(1, close - 1);
}

// Whether the first character that is no blank opens a header; most lines are decided at once.
bool mayBeHeader(Utf8View raw) {
    const char* p = raw.data();
    const char* const e = p + raw.size();
    while (p != e) {
        if (*p == '[') {
            return true;
        }
        const char* next = p;
        if (!QChar::isSpace(nextCodePoint(next, e))) {
            return false;
        }
        p = next;
    }
    return false;
}

} // namespace

Utf8View TextArena::add(QStringView s) {
    constexpr size_t SmallestPiece = 1024;
    constexpr size_t LargestPiece = 1024 * 1024;
    const QByteArray wide = s.toUtf8();
    const auto size = static_cast<size_t>(wide.size());
    if (size > room_) {
        const size_t piece = std::max(size, std::clamp(written_, SmallestPiece, LargestPiece));
        pieces_.push_back(std::make_shared_for_overwrite<char[]>(piece));
        next_ = pieces_.back().get();
        room_ = piece;
    }
    std::copy_n(wide.constData(), size, next_);
    const Utf8View added(next_, static_cast<qsizetype>(size));
    next_ += size;
    room_ -= size;
    written_ += size;
    return added;
}

void IniBlock::append(const IniLine& entry) {
    if (parsed) {
        auto pos = lines.end();
        while (pos != lines.begin() && !std::prev(pos)->isEntry && trimmed(std::prev(pos)->key).isEmpty()) {
            --pos;
        }
        lines.insert(pos, entry);
        return;
    }
    if (lines.empty() && tail.isEmpty()) {
        // The body ends after its last line that is not blank; the blank ones after it are the tail.
        const char* split = body.data();
        const char* const end = body.data() + body.size();
        forEachLine(body, [&](Utf8View raw) {
            if (!trimmed(raw).isEmpty()) {
                split = pastLineBreak(raw.data() + raw.size(), end);
            }
        });
        tail = Utf8View(split, end - split);
        body = Utf8View(body.data(), split - body.data());
    }
    lines.push_back(entry); // the lines between body and tail are all entries
}

IniDocument IniDocument::parse(const QByteArray& bytes) {
    IniDocument doc;
    std::optional<QByteArray> text = tryDecodeTextFileAsUtf8(bytes);
    doc.undecodable = !text;
    doc.text = std::move(text).value_or(QByteArray());
    doc.setRaw(bytes);
    const char* const begin = doc.text.constData();
    const char* const end = begin + doc.text.size();
    // A section takes a hundred bytes and more; reserved and not used, the rest is never touched.
    doc.blocks.reserve(static_cast<size_t>(doc.text.size() / 96) + 2);
    doc.blocks.front().parsed = false;
    doc.blocks.front().body = Utf8View(begin, 0);
    const char* bodyStart = begin;
    forEachLine(doc.text, [&](Utf8View raw) {
        if (!mayBeHeader(raw)) {
            return;
        }
        const std::optional<Utf8View> name = headerName(trimmed(raw));
        if (!name) {
            return;
        }
        doc.blocks.back().body = Utf8View(bodyStart, raw.data() - bodyStart);
        doc.blocks.push_back(IniBlock{trimmed(*name), true, false, false, NoBlock, {}, {}, {}});
        // The body starts after this header line and its line break.
        bodyStart = pastLineBreak(raw.data() + raw.size(), end);
    });
    doc.blocks.back().body = Utf8View(bodyStart, end - bodyStart);
    doc.reindex();
    return doc;
}

void IniDocument::indexBlock(uint32_t b) {
    blocks[b].nextSame = NoBlock;
    const uint32_t hash = SectionIndex::hashOf(blocks[b].name);
    SectionIndex::Slot& slot = sections.find(blocks[b].name, hash, nameOf());
    if (slot.first != NoBlock) {
        blocks[slot.last].nextSame = b;
        slot.last = b;
        return;
    }
    slot = {hash, b, b};
    sections.added(nameOf());
}

void IniDocument::reindex() {
    changed();
    sections.clear(blocks.size());
    for (uint32_t b = 0; b < blocks.size(); ++b) {
        if (blocks[b].hasHeader) {
            indexBlock(b);
        }
    }
}

size_t IniDocument::lineCountOf(uint32_t first, size_t small, size_t limit) const {
    size_t most = 0;
    for (uint32_t b = first; b != NoBlock && most <= small; b = blocks[b].nextSame) {
        most += blocks[b].lineCountAtMost();
    }
    if (most <= small) {
        return most;
    }
    size_t count = 0;
    for (uint32_t b = first; b != NoBlock && count <= limit; b = blocks[b].nextSame) {
        count += blocks[b].lineCount();
    }
    return count;
}

const IniDocument::Lines& IniDocument::linesOf(uint32_t first) const {
    if (cachedSection != first) {
        cachedLines.clear();
        // A long section is not copied again and again as it grows.
        const size_t lineCount = lineCountOf(first, 256, SIZE_MAX);
        if (cachedLines.capacity() > 4 * std::max<size_t>(lineCount, 256)) {
            Lines().swap(cachedLines); // the lines of a long list read before are not kept for a short section
        }
        cachedLines.reserve(lineCount);
        for (uint32_t b = first; b != NoBlock; b = blocks[b].nextSame) {
            blocks[b].forEach([&](const IniLine& l) { cachedLines.push_back(l); });
        }
        cachedSection = first;
        cachedSearches = 0;
        nextLine = 0;
        cachedUnique.reset();
    }
    return cachedLines;
}

bool IniDocument::uniqueKeys() const {
    if (!cachedUnique) {
        cachedUnique = cachedLines.size() <= IndexedSectionSize;
        if (*cachedUnique) { // keys of equal hash might be one key twice: then no shortcut
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
    return *cachedUnique;
}

const IniDocument::KeyIndex* IniDocument::keyIndexOf(uint32_t first, bool build) const {
    if (!keyIndexes.empty()) {
        if (const auto it = keyIndexes.find(first); it != keyIndexes.end()) {
            return &it->second;
        }
    }
    const Lines& lines = linesOf(first);
    if (lines.size() <= IndexedSectionSize || (!build && ++cachedSearches <= SearchesBeforeIndex)) {
        return nullptr;
    }
    KeyIndex& index = keyIndexes[first];
    index.reserve(lines.size());
    for (const IniLine& l : lines) {
        if (l.isEntry) {
            index.try_emplace(l.key, l.value);
        }
    }
    return &index;
}

std::optional<Utf8View> IniDocument::find(QStringView section, QStringView key) const {
    const uint32_t first = blocksOf(section);
    if (first == NoBlock) {
        return std::nullopt;
    }
    const auto lookUp = [&](const KeyIndex& index) {
        const auto found = index.find(key);
        return found == index.end() ? std::nullopt : std::optional<Utf8View>(found->second);
    };
    if (!keyIndexes.empty()) {
        if (const auto it = keyIndexes.find(first); it != keyIndexes.end()) {
            return lookUp(it->second); // without the section's lines
        }
    }
    if (cachedSection != first) {
        // A long section read for a key or two (a list's count) is searched where it stands; searched
        // more often, it gets its lines and its key index below.
        scans = scannedSection == first ? scans + 1 : 1;
        scannedSection = first;
        if (lineCountOf(first, LongSection, LongSection) > LongSection && scans <= SearchesBeforeIndex) {
            const CaseInsensitiveEqual equal;
            std::optional<Utf8View> found;
            forEachLineOf(first, [&](const IniLine& l) {
                if (l.isEntry && equal(l.key, key)) {
                    found = l.value;
                }
                return !found;
            });
            return found;
        }
    }
    const Lines& lines = cachedSection == first ? cachedLines : linesOf(first);
    if (lines.size() > IndexedSectionSize) {
        if (const KeyIndex* index = keyIndexOf(first)) {
            return lookUp(*index);
        }
    }
    // Searched from where the last key was found: read in the order of the file, each key is found at
    // once. Where a key may stand twice the first line must win, and the search starts at the top.
    const CaseInsensitiveEqual equal;
    const size_t n = lines.size();
    const size_t start = nextLine != 0 && nextLine < n && uniqueKeys() ? nextLine : 0;
    // Keys that differ in an ASCII first letter are passed over without a call (a long list of numbers).
    const char32_t lead = key.isEmpty() || key.front().unicode() >= 0x80 ? 0 : foldedCase(key.front().unicode());
    for (size_t i = 0; i < n; ++i) {
        const size_t at = start + i < n ? start + i : start + i - n;
        const IniLine& line = lines[at];
        if (lead != 0 && !line.key.isEmpty() && static_cast<uchar>(line.key.front()) < 0x80 &&
            foldedCase(static_cast<uchar>(line.key.front())) != lead) {
            continue;
        }
        if (line.isEntry && equal(line.key, key)) {
            nextLine = at + 1;
            return lines[at].value;
        }
    }
    return std::nullopt;
}

QStringList IniDocument::keyNames(QStringView section) const {
    QStringList names;
    const uint32_t first = blocksOf(section);
    if (first == NoBlock) {
        return names;
    }
    std::unordered_set<Utf8View, CaseInsensitiveHash, CaseInsensitiveEqual> seen;
    for (const IniLine& l : linesOf(first)) {
        if (l.isEntry && seen.insert(l.key).second) {
            names << QString::fromUtf8(l.key);
        }
    }
    return names;
}

void IniDocument::set(QStringView section, QStringView key, const QString& value, bool absent) {
    Q_ASSERT(!absent || !find(section, key)); // else the key would stand twice, and the first one is read
    const uint32_t first = blocksOf(section);
    // The key index of the section written to is kept up to date rather than dropped, so a long list
    // written key by key costs time in proportion to its length, not to its square.
    // A long section written key after key (a list rewritten) gets its index after a few writes; one
    // or two values set in it do without.
    writesToLast = first == lastWritten ? writesToLast + 1 : 1;
    lastWritten = first;
    // A key known to be new needs no lines of the section, only an index it has already.
    const bool build = writesToLast > SearchesBeforeIndex;
    const bool readLines = !absent || build;
    std::optional<KeyIndex> index;
    if (first != NoBlock && (readLines ? keyIndexOf(first, build) != nullptr : keyIndexes.contains(first))) {
        const auto it = keyIndexes.find(first);
        index = std::move(it->second);
    }
    const CaseInsensitiveEqual equal;
    // Whether the key stands in the section already: a new key is appended without splitting the
    // section's blocks into lines.
    const bool present =
        !absent && first != NoBlock && !index &&
        std::ranges::any_of(linesOf(first), [&](const IniLine& l) { return l.isEntry && equal(l.key, key); });
    changed();
    if (first == NoBlock) {
        IniBlock& last = blocks.back();
        const bool separated = !last.empty() || last.hasHeader;
        if (separated) {
            last.parse();
            last.lines.push_back(IniLine{}); // a blank line between sections
        }
        blocks.push_back(IniBlock{
            own(section), true, true, separated, NoBlock, {}, {IniLine{true, own(key), own(value)}}, {}});
        indexBlock(static_cast<uint32_t>(blocks.size() - 1));
        return;
    }
    const auto keepIndex = [&] {
        if (index) {
            keyIndexes.emplace(first, std::move(*index));
        }
    };
    const auto known = index ? index->find(key) : KeyIndex::iterator{};
    if (index ? known != index->end() : present) {
        for (uint32_t b = first; b != NoBlock; b = blocks[b].nextSame) {
            if (!blocks[b].parsed) { // split into lines only where the key stands
                bool has = false;
                blocks[b].forEach([&](const IniLine& l) { has = has || (l.isEntry && equal(l.key, key)); });
                if (!has) {
                    continue;
                }
                blocks[b].parse();
            }
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
    const IniLine added{true, own(key), own(value)};
    blocks[first].append(added);
    if (index) {
        index->emplace(added.key, added.value);
    }
    keepIndex();
}

bool IniDocument::erase(QStringView section) {
    bool erased = false;
    for (size_t b = 0; b < blocks.size();) {
        if (!blocks[b].hasHeader || !CaseInsensitiveEqual{}(blocks[b].name, section)) {
            ++b;
            continue;
        }
        // A section added and erased again leaves the file as it was, without the blank line before it;
        // so does the last one, which is added back at the end with a blank line of its own.
        if ((blocks[b].separated || b + 1 == blocks.size()) && b > 0) {
            blocks[b - 1].parse();
        }
        if ((blocks[b].separated || b + 1 == blocks.size()) && b > 0 && blocks[b - 1].parsed &&
            !blocks[b - 1].lines.empty()) {
            const IniLine& blank = blocks[b - 1].lines.back();
            if (!blank.isEntry && blank.key.isEmpty()) {
                blocks[b - 1].lines.pop_back();
            }
        }
        blocks.erase(blocks.begin() + static_cast<std::ptrdiff_t>(b));
        erased = true;
    }
    if (!erased) {
        return false;
    }
    reindex();
    return true;
}

bool IniDocument::remove(QStringView section, QStringView key) {
    changed();
    const uint32_t first = blocksOf(section);
    if (first == NoBlock) {
        return false;
    }
    bool removed = false;
    for (uint32_t b = first; b != NoBlock; b = blocks[b].nextSame) {
        blocks[b].parse();
        removed |= std::erase_if(blocks[b].lines, [&](const IniLine& l) {
                       return l.isEntry && CaseInsensitiveEqual{}(l.key, key);
                   }) > 0;
    }
    return removed;
}

} // namespace tavrok::detail
