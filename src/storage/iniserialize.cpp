// Writing a parsed file back: each line as it was read unless it was changed, a piece at a time.
#include "storage/inidocument.h"

#include <algorithm>

namespace tavrok::detail {

namespace {

// Bytes put one after another, passed on to a sink a large piece at a time.
class Writer {
public:
    Writer(const std::function<bool(const char*, qsizetype)>& sink, qsizetype expected) : sink_(sink) {
        buffer_.reserve(static_cast<size_t>(std::min(expected, Size)));
    }
    void put(const char* p, qsizetype n) {
        if (n > Size - static_cast<qsizetype>(buffer_.size())) {
            flush();
            if (n > Size) {
                ok_ = ok_ && sink_(p, n);
                return;
            }
        }
        buffer_.append(p, static_cast<size_t>(n));
    }
    void put(Utf8View v) { put(v.data(), v.size()); }
    void put(char c) { put(&c, 1); }
    void line(const IniLine& l) {
        put(l.key);
        if (l.isEntry) {
            put('=');
            put(l.value);
        }
        put('\n');
    }
    bool done() {
        flush();
        return ok_;
    }

private:
    static constexpr qsizetype Size = 256 * 1024;
    void flush() {
        ok_ = ok_ && (buffer_.empty() || sink_(buffer_.data(), static_cast<qsizetype>(buffer_.size())));
        buffer_.clear();
    }
    const std::function<bool(const char*, qsizetype)>& sink_;
    std::string buffer_;
    bool ok_ = true;
};

// Whether the line is written back as it stands: no blanks around its name, '=' and value.
bool standsAsWritten(Utf8View raw, const IniLine& l) {
    return !l.isEntry || (l.key.data() == raw.data() && l.value.data() == l.key.data() + l.key.size() + 1 &&
                          l.value.data() + l.value.size() == raw.data() + raw.size());
}

// Whether a line surely stands as written, seen from the few bytes that trimming looks at: it starts and
// ends with a visible ASCII character, and so do its name and value around the first '='. Most lines of a
// file the program wrote are such; any other line is classified in full.
bool plainlyAsWritten(Utf8View raw) {
    if (raw.isEmpty() || !visibleAscii(raw.front()) || !visibleAscii(raw.back())) {
        return false;
    }
    const auto* eq = static_cast<const char*>(std::memchr(raw.data(), '=', static_cast<size_t>(raw.size())));
    if (eq == nullptr || eq == raw.data()) {
        return true; // no entry: written back as it is
    }
    return visibleAscii(eq[-1]) && (eq + 1 == raw.data() + raw.size() || visibleAscii(eq[1]));
}

// Lines of the file's text, written as the document writes them: most are copied as they stand, many
// lines at once.
void writeText(Writer& out, Utf8View text) {
    const char* const e = text.data() + text.size();
    const char* run = text.data(); // the lines from here up to the current one are copied as they stand
    forEachLine(text, [&](Utf8View raw) {
        const char* const lineBreak = raw.data() + raw.size();
        const bool plainBreak = lineBreak != e && *lineBreak == '\n';
        if (plainBreak && plainlyAsWritten(raw)) {
            return;
        }
        const IniLine l = classify(raw);
        if (!plainBreak || !standsAsWritten(raw, l)) {
            out.put(run, raw.data() - run);
            out.line(l);
            run = pastLineBreak(lineBreak, e);
        }
    });
    out.put(run, e - run);
}

} // namespace

bool IniDocument::serialize(const std::function<bool(const char*, qsizetype)>& sink) const {
    Writer out(sink, text.size() + 4096);
    for (const IniBlock& block : blocks) {
        if (block.hasHeader) {
            out.put('[');
            out.put(block.name);
            out.put("]\n", 2);
        }
        if (!block.parsed) {
            writeText(out, block.body);
        }
        for (const IniLine& l : block.lines) {
            out.line(l);
        }
        if (!block.parsed) {
            writeText(out, block.tail);
        }
    }
    return out.done();
}

} // namespace tavrok::detail
