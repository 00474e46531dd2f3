#pragma once

// Names of sections and keys compare without regard to letter case, by Unicode case folding, whether
// they are held as UTF-16 (what callers pass) or as UTF-8 (the parsed file). A name hashes the same in
// both forms, so one table answers lookups in either.
#include <QByteArrayView>
#include <QChar>
#include <QStringView>
#include <cstddef>
#include <type_traits>

namespace tavrok::detail {

using Utf8View = QByteArrayView; // text that is valid UTF-8

// The code point at p, moving p past it; a broken sequence reads as U+FFFD, one byte at a time.
inline char32_t nextCodePoint(const char*& p, const char* end) {
    const auto lead = static_cast<unsigned char>(*p++);
    if (lead < 0x80) {
        return lead;
    }
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || end - p < extra) {
        return 0xFFFD;
    }
    char32_t cp = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        const auto c = static_cast<unsigned char>(p[i]);
        if ((c & 0xC0) != 0x80) {
            p += i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    p += extra;
    return cp;
}

inline char32_t nextCodePoint(const char16_t*& p, const char16_t* end) {
    const char16_t u = *p++;
    if (QChar::isHighSurrogate(u) && p != end && QChar::isLowSurrogate(*p)) {
        return QChar::surrogateToUcs4(u, *p++);
    }
    return u;
}

inline char32_t foldedCase(char32_t c) {
    if (c < 0x80) {
        return c >= 'A' && c <= 'Z' ? c + 32 : c;
    }
    return QChar::toCaseFolded(c);
}

// Without the blanks at either end, as QStringView::trimmed() takes them (any Unicode space).
inline Utf8View trimmedAnySpace(Utf8View text) {
    const char* b = text.data();
    const char* e = b + text.size();
    while (b != e) {
        const char* next = b;
        if (!QChar::isSpace(nextCodePoint(next, e))) {
            break;
        }
        b = next;
    }
    while (e != b) {
        const char* start = e - 1;
        while (start != b && (static_cast<unsigned char>(*start) & 0xC0) == 0x80 && e - start < 4) {
            --start;
        }
        const char* p = start;
        if (!QChar::isSpace(nextCodePoint(p, e)) || p != e) {
            break;
        }
        e = start;
    }
    return Utf8View(b, e - b);
}

// A visible ASCII character: no blank of any kind, and nothing trimming would look into further.
inline bool visibleAscii(char c) {
    return static_cast<unsigned char>(c) > ' ' && static_cast<unsigned char>(c) < 0x7F;
}

inline Utf8View trimmed(Utf8View text) {
    // Most names and values start and end with a visible ASCII character.
    if (!text.isEmpty() && visibleAscii(text.front()) && visibleAscii(text.back())) {
        return text;
    }
    return trimmedAnySpace(text);
}

struct CaseInsensitiveHash {
    using is_transparent = void;
    template <typename Char> static size_t hashOf(const Char* p, const Char* end) {
        size_t h = 1469598103934665603ULL;
        while (p != end) {
            h = (h ^ foldedCase(nextCodePoint(p, end))) * 1099511628211ULL;
        }
        return h;
    }
    size_t operator()(QStringView s) const noexcept { return hashOf(s.utf16(), s.utf16() + s.size()); }
    size_t operator()(Utf8View s) const noexcept { return hashOf(s.data(), s.data() + s.size()); }
};

struct CaseInsensitiveEqual {
    using is_transparent = void;

    // Unit by unit while both are ASCII, code point by code point elsewhere.
    template <typename A, typename B> static bool equal(const A* p, qsizetype np, const B* q, qsizetype nq) {
        const A* const pe = p + np;
        const B* const qe = q + nq;
        while (p != pe && q != qe) {
            const auto x = static_cast<unsigned>(static_cast<std::make_unsigned_t<A>>(*p));
            const auto y = static_cast<unsigned>(static_cast<std::make_unsigned_t<B>>(*q));
            if (x < 0x80 && y < 0x80) {
                const unsigned lx = x | 0x20;
                if (x != y && !(lx == (y | 0x20) && lx >= 'a' && lx <= 'z')) {
                    return false;
                }
                ++p;
                ++q;
                continue;
            }
            const char32_t cx = nextCodePoint(p, pe);
            const char32_t cy = nextCodePoint(q, qe);
            if (cx != cy && foldedCase(cx) != foldedCase(cy)) {
                return false;
            }
        }
        return p == pe && q == qe;
    }

    bool operator()(QStringView a, QStringView b) const noexcept {
        return a.size() == b.size() && equal(a.utf16(), a.size(), b.utf16(), b.size());
    }
    bool operator()(Utf8View a, QStringView b) const noexcept {
        return equal(a.data(), a.size(), b.utf16(), b.size());
    }
    bool operator()(QStringView a, Utf8View b) const noexcept { return (*this)(b, a); }
    bool operator()(Utf8View a, Utf8View b) const noexcept {
        return equal(a.data(), a.size(), b.data(), b.size());
    }
};

} // namespace tavrok::detail
