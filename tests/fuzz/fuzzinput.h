#pragma once

// Takes typed values off the end of a fuzz input, leaving the front as the file the target reads.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// A property that must hold for every input: a violation stops the run like a crash does.
#define FUZZ_CHECK(condition, what)                                                                                   \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "property violated: %s (%s)\n", what, #condition);                                    \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)

namespace tavrok::fuzz {

// The input as bytes, without a copy.
inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A path in a folder of the run's own, removed when the run ends.
inline QString scratchPath(const QString& name) {
    static QTemporaryDir dir;
    return dir.filePath(name);
}

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : bytes_(bytesOf(data, size)) {}

    std::uint8_t byte() {
        if (bytes_.isEmpty()) {
            return 0;
        }
        const auto b = static_cast<std::uint8_t>(bytes_.back());
        bytes_.chop(1);
        return b;
    }
    std::uint16_t word() { return static_cast<std::uint16_t>(byte() | byte() << 8); }
    // Any 64-bit pattern: NaN, infinities and denormals included.
    double anyDouble() {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) {
            bits = bits << 8 | byte();
        }
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    bool flag() { return byte() & 1; }
    // An alarm's weekdays from one byte, Monday in the lowest bit; the byte, whose top bit is left over.
    template <class Alarm> std::uint8_t weekdays(Alarm& a) {
        const std::uint8_t days = byte();
        a.Po = days & 1, a.Ut = days & 2, a.St = days & 4, a.Ct = days & 8;
        a.Pa = days & 16, a.So = days & 32, a.Ne = days & 64;
        return days;
    }
    // What is left: the file.
    const QByteArray& rest() const { return bytes_; }

private:
    QByteArray bytes_;
};

// Writes a file whole; an empty input leaves no file.
inline void putFile(const QString& path, const QByteArray& bytes) {
    QFile::remove(path);
    if (!bytes.isEmpty()) {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(bytes);
        }
    }
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace tavrok::fuzz
