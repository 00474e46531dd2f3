#pragma once

// The parsed text of an INI file, shared by the read-only snapshots and the handle that writes it. The
// text is held as UTF-8: a file the program wrote is used as read, without a copy.
#include "storage/caseinsensitive.h"
#include "common/largepages.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tavrok::detail {

// Names and values are views into the file's text or into texts written since; both are kept alive by
// the document and never modified, so a copy of the document shares them.
struct IniLine {
    bool isEntry = false;
    Utf8View key; // the whole raw line when this is not an entry
    Utf8View value;
};

// Past the line break at `at` (CR LF, LF or CR), or `at` itself at the end of the text.
inline const char* pastLineBreak(const char* at, const char* end) {
    if (at == end) {
        return at;
    }
    return at + ((*at == '\r' && at + 1 != end && at[1] == '\n') ? 2 : 1);
}

// Calls fn(line) for each line of a piece of the file's text; a line ends at CR LF, LF or CR. A fn that
// answers false stops it, and then so does forEachLine.
template <typename F> bool forEachLine(Utf8View text, F&& fn) {
    const char* p = text.data();
    const char* const e = p + text.size();
    const char* newline = nullptr; // the next LF from p on, or e: looked for again only once passed
    while (p != e) {
        if (newline == nullptr || newline < p) {
            const void* found = std::memchr(p, '\n', static_cast<size_t>(e - p));
            newline = found ? static_cast<const char*>(found) : e;
        }
        const void* cr = std::memchr(p, '\r', static_cast<size_t>(newline - p));
        const char* const lineEnd = cr ? static_cast<const char*>(cr) : newline;
        const Utf8View raw(p, lineEnd - p);
        p = pastLineBreak(lineEnd, e);
        if constexpr (std::is_same_v<std::invoke_result_t<F&, Utf8View>, bool>) {
            if (!fn(raw)) {
                return false;
            }
        } else {
            fn(raw);
        }
    }
    return true;
}

// Calls fn with the value as UTF-16: a short ASCII value (a number, a date) without an allocation.
template <typename F> auto asUtf16(Utf8View v, F&& fn) {
    constexpr qsizetype Short = 64;
    if (v.size() <= Short &&
        std::all_of(v.begin(), v.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        char16_t buffer[Short];
        std::copy(v.begin(), v.end(), buffer);
        return fn(QStringView(buffer, v.size()));
    }
    const QString wide = QString::fromUtf8(v);
    return fn(QStringView(wide));
}

// A stored value converted by parse, or the default when it is missing (null) or does not convert.
template <typename T, typename Parse> T parsedOr(const Utf8View* v, T def, Parse&& parse) {
    return v ? asUtf16(*v, [&](QStringView text) { return parse(text).value_or(def); }) : def;
}

inline IniLine classify(Utf8View raw) {
    const Utf8View line = trimmed(raw);
    const qsizetype eq = line.indexOf('=');
    if (eq > 0 && line.front() != ';') {
        return IniLine{true, trimmed(line.first(eq)), trimmed(line.sliced(eq + 1))};
    }
    return IniLine{false, raw, {}};
}

inline constexpr uint32_t NoBlock = UINT32_MAX;

// A section's header and its lines. A block nobody changed keeps its lines as the text they are in
// (body) and is split into lines only when read or changed: a file of 200 000 alarms costs little
// more memory than its text. A key added to such a block stays a line of its own between the body and
// the blank lines that ended it (tail), so marking every alarm of a long file does not split them all.
struct IniBlock {
    Utf8View name;
    bool hasHeader = false;
    bool parsed = true; // lines hold the block; otherwise body, lines and tail do, in this order
    bool separated = false; // added with a blank line put at the end of the block above: erased with it
    uint32_t nextSame = NoBlock; // the next block of the same section, when the section repeats
    Utf8View body;
    std::vector<IniLine> lines;
    Utf8View tail;

    // Calls fn(line) for each line; a fn that answers false stops it, and then forEach answers false.
    template <typename F> bool forEach(F&& fn) const {
        const auto each = [&](const IniLine& l) {
            if constexpr (std::is_same_v<std::invoke_result_t<F&, const IniLine&>, bool>) {
                return fn(l);
            } else {
                fn(l);
                return true;
            }
        };
        if (!parsed && !forEachLine(body, [&](Utf8View raw) { return each(classify(raw)); })) {
            return false;
        }
        for (const IniLine& l : lines) {
            if (!each(l)) {
                return false;
            }
        }
        return parsed || forEachLine(tail, [&](Utf8View raw) { return each(classify(raw)); });
    }
    void parse() {
        if (!parsed) {
            std::vector<IniLine> all;
            all.reserve(lineCount());
            forEach([&](const IniLine& l) { all.push_back(l); });
            lines = std::move(all);
            parsed = true;
            body = tail = {};
        }
    }
    // Adds an entry after the last line that is not blank.
    void append(const IniLine& entry);
    bool empty() const { return lines.empty() && (parsed || (body.isEmpty() && tail.isEmpty())); }
    // At least the number of lines, without reading the text: a line takes a byte at the least.
    size_t lineCountAtMost() const {
        const auto most = [](Utf8View v) {
            return v.isEmpty() ? size_t{0} : static_cast<size_t>(v.size()) + 1;
        };
        return lines.size() + (parsed ? 0 : most(body) + most(tail));
    }
    // The number of lines, or a little more where the text ends without a line break.
    size_t lineCount() const {
        const auto breaks = [](Utf8View v) {
            return v.isEmpty() ? size_t{0} : static_cast<size_t>(std::count(v.begin(), v.end(), '\n')) + 1;
        };
        return lines.size() + (parsed ? 0 : breaks(body) + breaks(tail));
    }
};

// Texts written into a document, kept in a few large pieces rather than one allocation each. The pieces
// are shared with a copy of the document, which writes its own texts to new pieces.
class TextArena {
public:
    TextArena() = default;
    TextArena(const TextArena& other) : pieces_(other.pieces_), written_(other.written_) {}
    TextArena& operator=(const TextArena& other) {
        pieces_ = other.pieces_;
        next_ = nullptr;
        room_ = 0;
        written_ = other.written_;
        return *this;
    }
    TextArena(TextArena&& other) noexcept { *this = std::move(other); }
    TextArena& operator=(TextArena&& other) noexcept {
        pieces_ = std::move(other.pieces_);
        next_ = std::exchange(other.next_, nullptr);
        room_ = std::exchange(other.room_, 0);
        written_ = std::exchange(other.written_, 0);
        return *this;
    }

    Utf8View add(QStringView s);

private:
    std::vector<std::shared_ptr<char[]>> pieces_;
    char* next_ = nullptr;
    size_t room_ = 0;
    size_t written_ = 0; // all the texts of all pieces; new pieces grow with it, up to a limit
};

// Where each section starts: an open-addressed table of the first and last block of every section
// name, without an allocation per section (a file of 200 000 alarms has as many).
class SectionIndex {
public:
    struct Slot {
        uint32_t hash = 0;
        uint32_t first = NoBlock; // NoBlock: an empty slot
        uint32_t last = NoBlock;
    };

    void clear(size_t expected) {
        size_t size = 16;
        while (size < expected * 2) {
            size *= 2;
        }
        slots_.assign(size, Slot{});
        used_ = 0;
    }
    // The slot of that name: its blocks, or the empty slot where it would go.
    template <typename Name, typename NameOf> Slot& find(Name name, uint32_t hash, NameOf&& nameOf) {
        if (slots_.empty()) {
            clear(0);
        }
        const size_t mask = slots_.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.first == NoBlock ||
                (slot.hash == hash && CaseInsensitiveEqual{}(nameOf(slot.first), name))) {
                return slot;
            }
        }
    }
    template <typename Name, typename NameOf>
    const Slot* find(Name name, uint32_t hash, NameOf&& nameOf) const {
        if (slots_.empty()) {
            return nullptr;
        }
        const Slot& slot = const_cast<SectionIndex*>(this)->find(name, hash, nameOf);
        return slot.first == NoBlock ? nullptr : &slot;
    }
    // Call after filling an empty slot: keeps the table at most half full.
    template <typename NameOf> void added(NameOf&& nameOf) {
        if (++used_ * 2 <= slots_.size()) {
            return;
        }
        Slots old = std::move(slots_);
        slots_.assign(old.size() * 2, Slot{});
        for (const Slot& s : old) {
            if (s.first != NoBlock) {
                find(nameOf(s.first), s.hash, nameOf) = s;
            }
        }
    }
    template <typename Name> static uint32_t hashOf(Name name) {
        return static_cast<uint32_t>(CaseInsensitiveHash{}(name));
    }

private:
    using Slots = std::vector<Slot, LargePageAllocator<Slot>>;
    Slots slots_;
    size_t used_ = 0;
};

// A hash of a file's bytes given in pieces: the same bytes give the same hash however they are cut.
class BytesHash {
public:
    void add(const char* p, size_t n) {
        for (; n > 0 && filled_ != 0; --n) {
            take(static_cast<unsigned char>(*p++));
        }
        for (; n >= 8; n -= 8, p += 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            mix(word);
        }
        for (; n > 0; --n) {
            take(static_cast<unsigned char>(*p++));
        }
    }
    uint64_t result() const {
        BytesHash last = *this;
        last.mix(last.word_ ^ (uint64_t{last.filled_} << 59));
        return last.hash_;
    }

private:
    void take(unsigned char c) {
        word_ |= uint64_t{c} << (8 * filled_);
        if (++filled_ == 8) {
            mix(word_);
            word_ = 0;
            filled_ = 0;
        }
    }
    void mix(uint64_t word) {
        hash_ = (hash_ ^ word) * 0x9E3779B97F4A7C15ULL;
        hash_ ^= hash_ >> 29;
    }
    uint64_t hash_ = 0x7461767261ULL;
    uint64_t word_ = 0;
    unsigned filled_ = 0;
};

struct IniDocument {
    QByteArray text; // UTF-8
    TextArena owned;
    std::vector<IniBlock, LargePageAllocator<IniBlock>> blocks{IniBlock{}};
    SectionIndex sections;
    // Sections with many keys (the list of alarm names) get a key index once they are searched more
    // than a few times (a list's count alone is found at its top); any change of the document drops it,
    // but for the index of the section written to, which the write keeps up to date.
    static constexpr size_t IndexedSectionSize = 32;
    static constexpr uint32_t SearchesBeforeIndex = 8;
    using KeyIndex = std::unordered_map<Utf8View, Utf8View, CaseInsensitiveHash, CaseInsensitiveEqual>;
    mutable std::unordered_map<uint32_t, KeyIndex> keyIndexes;
    // The section read last, and its lines: its keys are read one after another.
    mutable Utf8View lastName;
    mutable std::u16string lastQuery; // the name it was asked for, when given as UTF-16
    mutable bool lastQueryKept = false;
    mutable uint32_t lastFirst = NoBlock;
    mutable uint32_t cachedSection = UINT32_MAX;
    mutable uint32_t cachedSearches = 0; // of the cached section, while it has no key index
    using Lines = std::vector<IniLine, LargePageAllocator<IniLine>>;
    mutable Lines cachedLines;
    mutable size_t nextLine = 0;              // after the line the last key was found in
    mutable std::optional<bool> cachedUnique; // no key of the cached section stands twice; asked once
    // A long section searched without its lines kept (a list's count at its top), and how often.
    static constexpr size_t LongSection = 4096;
    mutable uint32_t scannedSection = NoBlock;
    mutable uint32_t scans = 0;
    uint32_t lastWritten = NoBlock;    // the section written last (its first block)
    uint32_t writesToLast = 0;         // and how many writes in a row went to it
    uint64_t rawHash = 0;              // of the bytes the document was read from or last written as
    qsizetype rawSize = 0;             // and their number
    qint64 loadedAtNs = 0;             // wall clock just before those bytes were read or written
    bool undecodable = false;          // the bytes on disk are no text: they are never overwritten
    uint64_t version = newVersion();   // differs for every parse and after every change

    static uint64_t newVersion() {
        static std::atomic<uint64_t> last{0};
        return ++last;
    }

    static uint64_t hashOf(const QByteArray& bytes) {
        BytesHash hash;
        hash.add(bytes.constData(), static_cast<size_t>(bytes.size()));
        return hash.result();
    }
    bool sameBytes(const QByteArray& bytes) const {
        return bytes.size() == rawSize && hashOf(bytes) == rawHash;
    }
    void setRaw(const QByteArray& bytes) {
        rawHash = hashOf(bytes);
        rawSize = bytes.size();
    }

    Utf8View own(QStringView s) { return owned.add(s); }

    static IniDocument parse(const QByteArray& bytes);

    // The number of lines of a section's blocks: a section that cannot have more than `small` lines is not
    // read, and that bound is the answer; in another, lines are counted up to `limit` and a block past it.
    size_t lineCountOf(uint32_t first, size_t small, size_t limit) const;
    // Whether no key stands twice in the cached section's lines (those `linesOf` gave last).
    bool uniqueKeys() const;

    // After a copy: the caches point into the original.
    void changed() {
        version = newVersion();
        nextLine = 0;
        lastName = {};
        lastQueryKept = false;
        lastFirst = NoBlock;
        keyIndexes.clear();
        cachedSection = UINT32_MAX;
        cachedLines.clear();
        scannedSection = NoBlock;
    }

    auto nameOf() const {
        return [this](uint32_t b) { return blocks[b].name; };
    }
    // Indexes a block that has a header as the last one of its section.
    void indexBlock(uint32_t b);
    void reindex();

    // The first block of the section, NoBlock when it has none; the rest follow by nextSame.
    uint32_t blocksOf(QStringView section) const {
        // Most reads ask for the section read last, by the same name.
        if (lastFirst != NoBlock && lastQueryKept &&
            QStringView(lastQuery.data(), lastQuery.size()) == section) {
            return lastFirst;
        }
        const uint32_t first = blocksOf(section, section);
        // Kept only with the section it found: a name not found leaves lastFirst as it was.
        lastQueryKept = first != NoBlock;
        if (lastQueryKept) {
            lastQuery.assign(section.utf16(), static_cast<size_t>(section.size())); // keeps its buffer
        }
        return first;
    }
    uint32_t blocksOf(Utf8View section) const {
        lastQueryKept = false;
        return blocksOf(section, section);
    }
    template <typename Name> uint32_t blocksOf(Name section, Name) const {
        if (lastFirst != NoBlock && CaseInsensitiveEqual{}(lastName, section)) {
            return lastFirst;
        }
        const SectionIndex::Slot* slot = sections.find(section, SectionIndex::hashOf(section), nameOf());
        if (!slot) {
            return NoBlock;
        }
        lastName = blocks[slot->first].name; // the document's own text, valid as long as the block
        lastFirst = slot->first;
        return lastFirst;
    }

    // Calls fn(line) for each line of a section (all its blocks, in order; none for NoBlock), without
    // keeping them: for a list read once from top to bottom.
    template <typename F> void forEachLineOf(uint32_t first, F&& fn) const {
        for (uint32_t b = first; b != NoBlock && blocks[b].forEach(fn); b = blocks[b].nextSame) {
        }
    }
    // The lines of a section (all its blocks, in order); valid until another section is read or the
    // document changes.
    const Lines& linesOf(uint32_t first) const;
    // The key index of a long section, once it was searched often enough or `build` asks for it now.
    const KeyIndex* keyIndexOf(uint32_t first, bool build = false) const;
    // The value of the first line of that key, if any.
    std::optional<Utf8View> find(QStringView section, QStringView key) const;
    // The keys of a section, each once, in the order of their first lines.
    QStringList keyNames(QStringView section) const;
    // The file's bytes as they are written, passed to the sink piece by piece; false when it refused one.
    bool serialize(const std::function<bool(const char*, qsizetype)>& sink) const;

    // `absent`: the caller has just found that the section has no such key.
    void set(QStringView section, QStringView key, const QString& value, bool absent = false);
    bool erase(QStringView section);
    bool remove(QStringView section, QStringView key);
};

} // namespace tavrok::detail
