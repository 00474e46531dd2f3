#include "storage/inifile.h"

#include "storage/inivalues.h"
#include "storage/textcodec.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <unordered_map>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#else
#include <QFileInfo>
#endif

namespace tavrok {

namespace {

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

template <typename T>
using NameMap = std::unordered_map<QString, T, CaseInsensitiveHash, CaseInsensitiveEqual>;

// A line inside a section: a key with its value, or anything else (comment, blank, garbage) kept as read.
struct Line {
    bool isEntry = false;
    QString key; // or the raw text of a non-entry line
    QString value;
};

struct Block {
    QString name; // empty with hasHeader false for the lines before the first section
    bool hasHeader = false;
    std::vector<Line> lines;
};

QString oneLine(const QString& value) {
    // A line break would end the value and turn the rest into garbage lines of the file.
    if (!value.contains(u'\n') && !value.contains(u'\r')) {
        return value;
    }
    QString v = value;
    v.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    v.replace(u'\r', u' ');
    v.replace(u'\n', u' ');
    return v;
}

} // namespace

struct IniFile::Stamp {
    bool exists = false;
    qint64 size = -1;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 mtimeNs = 0;
    qint64 ctimeNs = 0;
    friend bool operator==(const Stamp&, const Stamp&) = default;

    static Stamp of(const QString& path, const QByteArray& encodedPath) {
        Stamp s;
#ifdef Q_OS_UNIX
        Q_UNUSED(path);
        struct stat st {};
        if (::stat(encodedPath.constData(), &st) != 0) {
            return s;
        }
        s.exists = true;
        s.size = st.st_size;
        s.device = st.st_dev;
        s.inode = st.st_ino;
        s.mtimeNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
        s.ctimeNs = qint64(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
#else
        Q_UNUSED(encodedPath);
        const QFileInfo info(path);
        if (!info.exists()) {
            return s;
        }
        s.exists = true;
        s.size = info.size();
        s.mtimeNs = info.lastModified().toMSecsSinceEpoch() * 1'000'000;
        s.ctimeNs = info.metadataChangeTime().toMSecsSinceEpoch() * 1'000'000;
#endif
        return s;
    }
};

struct IniFile::Document {
    std::vector<Block> blocks{Block{}};
    QByteArray raw;        // the bytes the blocks were parsed from
    qint64 loadedAtNs = 0; // wall clock just before those bytes were read or written

    struct Section {
        std::vector<size_t> blocks; // every block of the section, in file order
        NameMap<QString> values;    // first occurrence of each key
        QStringList keyOrder;
    };
    NameMap<Section> index;
    QStringList sectionOrder;

    static Document parse(const QString& text) {
        Document doc;
        doc.blocks.reserve(64);
        Block* current = &doc.blocks.back();
        QStringView rest(text);
        while (!rest.isEmpty()) {
            qsizetype end = 0;
            while (end < rest.size() && rest[end] != u'\n' && rest[end] != u'\r') {
                ++end;
            }
            const QStringView raw = rest.first(end);
            qsizetype next = end;
            if (next < rest.size()) {
                next += (rest[next] == u'\r' && next + 1 < rest.size() && rest[next + 1] == u'\n') ? 2 : 1;
            }
            rest = rest.sliced(next);

            const QStringView line = raw.trimmed();
            if (line.startsWith(u'[') && line.endsWith(u']') && line.size() >= 2) {
                doc.blocks.push_back(Block{line.sliced(1, line.size() - 2).trimmed().toString(), true, {}});
                current = &doc.blocks.back();
                continue;
            }
            const qsizetype eq = line.indexOf(u'=');
            if (eq > 0 && !line.startsWith(u';')) {
                current->lines.push_back(
                    Line{true, line.first(eq).trimmed().toString(), line.sliced(eq + 1).trimmed().toString()});
            } else {
                current->lines.push_back(Line{false, raw.toString(), {}});
            }
        }
        doc.reindex();
        return doc;
    }

    void reindex() {
        index.clear();
        sectionOrder.clear();
        for (size_t b = 0; b < blocks.size(); ++b) {
            const Block& block = blocks[b];
            if (!block.hasHeader) {
                continue; // keys before the first section belong to no section
            }
            auto [it, inserted] = index.try_emplace(block.name);
            if (inserted) {
                sectionOrder.push_back(block.name);
            }
            Section& s = it->second;
            s.blocks.push_back(b);
            for (const Line& l : block.lines) {
                if (l.isEntry && s.values.try_emplace(l.key, l.value).second) {
                    s.keyOrder.push_back(l.key);
                }
            }
        }
    }

    const QString* find(QStringView section, QStringView key) const {
        const auto s = index.find(section);
        if (s == index.end()) {
            return nullptr;
        }
        const auto v = s->second.values.find(key);
        return v == s->second.values.end() ? nullptr : &v->second;
    }

    QByteArray serialize() const {
        QString out;
        for (const Block& block : blocks) {
            if (block.hasHeader) {
                out += QLatin1Char('[') + block.name + QLatin1String("]\n");
            }
            for (const Line& l : block.lines) {
                if (l.isEntry) {
                    out += l.key + QLatin1Char('=') + l.value + QLatin1Char('\n');
                } else {
                    out += l.key + QLatin1Char('\n');
                }
            }
        }
        return out.toUtf8();
    }

    void set(QStringView section, QStringView key, const QString& value) {
        const auto s = index.find(section);
        if (s == index.end()) {
            if (!blocks.back().lines.empty() || blocks.back().hasHeader) {
                blocks.back().lines.push_back(Line{false, {}, {}}); // a blank line between sections
            }
            blocks.push_back(Block{section.toString(), true, {Line{true, key.toString(), value}}});
            return;
        }
        for (const size_t b : s->second.blocks) {
            for (Line& l : blocks[b].lines) {
                if (l.isEntry && CaseInsensitiveEqual{}(l.key, key)) {
                    l.value = value;
                    return;
                }
            }
        }
        // Append after the last non-blank line of the section's first block.
        auto& lines = blocks[s->second.blocks.front()].lines;
        auto pos = lines.end();
        while (pos != lines.begin() && !std::prev(pos)->isEntry && std::prev(pos)->key.trimmed().isEmpty()) {
            --pos;
        }
        lines.insert(pos, Line{true, key.toString(), value});
    }

    bool erase(QStringView section) {
        const size_t before = blocks.size();
        std::erase_if(blocks, [&](const Block& b) { return b.hasHeader && CaseInsensitiveEqual{}(b.name, section); });
        return blocks.size() != before;
    }

    bool remove(QStringView section, QStringView key) {
        bool removed = false;
        for (Block& b : blocks) {
            if (b.hasHeader && CaseInsensitiveEqual{}(b.name, section)) {
                removed |= std::erase_if(b.lines, [&](const Line& l) {
                               return l.isEntry && CaseInsensitiveEqual{}(l.key, key);
                           }) > 0;
            }
        }
        return removed;
    }
};

IniFile::IniFile() = default;
IniFile::IniFile(QString path) : path_(std::move(path)), encodedPath_(QFile::encodeName(path_)) {}
IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

namespace {

qint64 wallClockNs() {
    return QDateTime::currentMSecsSinceEpoch() * 1'000'000;
}

// File times advance in coarse steps (a few milliseconds on Linux), so a file modified in the same step
// in which it was read may change again without any change of its times or size. Such a file is
// compared byte by byte until a read happens clearly after its last modification.
constexpr qint64 TimestampGranularityNs = 25'000'000;

QByteArray readWholeFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

const IniFile::Document& IniFile::document() const {
    const qint64 startedNs = wallClockNs();
    Stamp now = Stamp::of(path_, encodedPath_);
    if (doc_ && stamp_ && *stamp_ == now) {
        const bool racy = now.exists && now.mtimeNs >= doc_->loadedAtNs - TimestampGranularityNs;
        if (!racy) {
            return *doc_;
        }
        QByteArray bytes = readWholeFile(path_);
        if (bytes == doc_->raw) {
            doc_->loadedAtNs = startedNs;
            return *doc_;
        }
        now = Stamp::of(path_, encodedPath_);
        doc_ = std::make_unique<Document>(Document::parse(decodeTextFile(bytes)));
        doc_->raw = std::move(bytes);
        doc_->loadedAtNs = startedNs;
        *stamp_ = now;
        return *doc_;
    }
    QByteArray bytes = now.exists ? readWholeFile(path_) : QByteArray();
    doc_ = std::make_unique<Document>(Document::parse(decodeTextFile(bytes)));
    doc_->raw = std::move(bytes);
    doc_->loadedAtNs = startedNs;
    stamp_ = std::make_unique<Stamp>(now);
    return *doc_;
}

bool IniFile::save(Document& doc) {
    const qint64 startedNs = wallClockNs();
    QByteArray bytes = doc.serialize();
    QSaveFile file(path_);
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!ok) {
        // The disk still holds the old file; let the next read take it from there.
        doc_.reset();
        stamp_.reset();
        return false;
    }
    doc.reindex();
    doc.raw = std::move(bytes);
    doc.loadedAtNs = startedNs;
    stamp_ = std::make_unique<Stamp>(Stamp::of(path_, encodedPath_));
    return true;
}

QString IniFile::readString(QStringView section, QStringView key, const QString& def) const {
    const QString* v = document().find(section, key);
    return v ? *v : def;
}

int IniFile::readInteger(QStringView section, QStringView key, int def) const {
    const QString* v = document().find(section, key);
    return v ? parseIniInteger(*v).value_or(def) : def;
}

bool IniFile::readBool(QStringView section, QStringView key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

double IniFile::readFloat(QStringView section, QStringView key, double def) const {
    const QString* v = document().find(section, key);
    return v ? parseIniFloat(*v).value_or(def) : def;
}

TDateTime IniFile::readDateTime(QStringView section, QStringView key, TDateTime def) const {
    const QString* v = document().find(section, key);
    return v ? parseIniDateTime(*v).value_or(def) : def;
}

TDateTime IniFile::readTime(QStringView section, QStringView key, TDateTime def) const {
    const QString* v = document().find(section, key);
    return v ? parseIniTime(*v).value_or(def) : def;
}

bool IniFile::sectionExists(QStringView section) const {
    return document().index.contains(section);
}

bool IniFile::valueExists(QStringView section, QStringView key) const {
    return document().find(section, key) != nullptr;
}

QStringList IniFile::sectionNames() const {
    return document().sectionOrder;
}

QStringList IniFile::keyNames(QStringView section) const {
    const Document& doc = document();
    const auto s = doc.index.find(section);
    return s == doc.index.end() ? QStringList{} : s->second.keyOrder;
}

bool IniFile::writeString(QStringView section, QStringView key, const QString& value) {
    if (path_.isEmpty() || section.trimmed().isEmpty() || key.trimmed().isEmpty()) {
        return false;
    }
    document();
    doc_->set(section.trimmed(), key.trimmed(), oneLine(value.trimmed()));
    return save(*doc_);
}

bool IniFile::writeInteger(QStringView section, QStringView key, int value) {
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(QStringView section, QStringView key, bool value) {
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::writeFloat(QStringView section, QStringView key, double value) {
    return writeString(section, key, formatIniFloat(value));
}

bool IniFile::writeDateTime(QStringView section, QStringView key, TDateTime value) {
    return writeString(section, key, formatIniDateTime(value));
}

bool IniFile::writeTime(QStringView section, QStringView key, TDateTime value) {
    return writeString(section, key, formatIniTime(value));
}

bool IniFile::eraseSection(QStringView section) {
    if (path_.isEmpty()) {
        return false;
    }
    document();
    if (!doc_->erase(section)) {
        return true; // nothing to erase; the file stays as it is
    }
    return save(*doc_);
}

bool IniFile::deleteKey(QStringView section, QStringView key) {
    if (path_.isEmpty()) {
        return false;
    }
    document();
    if (!doc_->remove(section, key)) {
        return true;
    }
    return save(*doc_);
}

} // namespace tavrok
