#include "storage/inifile.h"

#include "storage/inivalues.h"
#include "storage/textcodec.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <deque>
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

QString oneLine(const QString& value) {
    // A line break would end the value and turn the rest into lines of their own.
    if (!value.contains(u'\n') && !value.contains(u'\r')) {
        return value;
    }
    QString v = value;
    v.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    v.replace(u'\r', u' ');
    v.replace(u'\n', u' ');
    return v;
}

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

namespace detail {

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

    QStringView own(QString s) {
        owned.push_back(std::move(s));
        return owned.back();
    }

    static IniDocument parse(QByteArray bytes) {
        IniDocument doc;
        doc.text = decodeTextFile(bytes);
        doc.raw = std::move(bytes);
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

} // namespace detail

using detail::IniDocument;

namespace {

const std::shared_ptr<const IniDocument>& emptyDocument() {
    static const auto empty = std::make_shared<const IniDocument>();
    return empty;
}

} // namespace

// ---- snapshot: all reads

IniSnapshot::IniSnapshot() : doc_(emptyDocument()) {}
IniSnapshot::IniSnapshot(std::shared_ptr<const IniDocument> doc) : doc_(std::move(doc)) {}
IniSnapshot::~IniSnapshot() = default;
IniSnapshot::IniSnapshot(const IniSnapshot&) = default;
IniSnapshot& IniSnapshot::operator=(const IniSnapshot&) = default;

QString IniSnapshot::readString(QStringView section, QStringView key, const QString& def) const {
    const detail::IniLine* l = doc_->find(section, key);
    return l ? l->value.toString() : def;
}

int IniSnapshot::readInteger(QStringView section, QStringView key, int def) const {
    const detail::IniLine* l = doc_->find(section, key);
    return l ? parseIniInteger(l->value).value_or(def) : def;
}

bool IniSnapshot::readBool(QStringView section, QStringView key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

double IniSnapshot::readFloat(QStringView section, QStringView key, double def) const {
    const detail::IniLine* l = doc_->find(section, key);
    return l ? parseIniFloat(l->value).value_or(def) : def;
}

TDateTime IniSnapshot::readDateTime(QStringView section, QStringView key, TDateTime def) const {
    const detail::IniLine* l = doc_->find(section, key);
    return l ? parseIniDateTime(l->value).value_or(def) : def;
}

TDateTime IniSnapshot::readTime(QStringView section, QStringView key, TDateTime def) const {
    const detail::IniLine* l = doc_->find(section, key);
    return l ? parseIniTime(l->value).value_or(def) : def;
}

bool IniSnapshot::sectionExists(QStringView section) const {
    return doc_->blocksOf(section) != nullptr;
}

bool IniSnapshot::valueExists(QStringView section, QStringView key) const {
    return doc_->find(section, key) != nullptr;
}

QStringList IniSnapshot::sectionNames() const {
    QStringList names;
    for (uint32_t b = 0; b < doc_->blocks.size(); ++b) {
        const auto& block = doc_->blocks[b];
        if (block.hasHeader && doc_->blocksOf(block.name)->front() == b) {
            names << block.name.toString();
        }
    }
    return names;
}

QStringList IniSnapshot::keyNames(QStringView section) const {
    QStringList names;
    const auto* list = doc_->blocksOf(section);
    if (!list) {
        return names;
    }
    for (const uint32_t b : *list) {
        for (const auto& l : doc_->blocks[b].lines) {
            if (l.isEntry && doc_->find(section, l.key) == &l) {
                names << l.key.toString();
            }
        }
    }
    return names;
}

// ---- the handle: checks the disk, writes

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

IniFile::IniFile() = default;
IniFile::IniFile(QString path) : path_(std::move(path)), encodedPath_(QFile::encodeName(path_)) {}
IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

IniSnapshot IniFile::snapshot() const {
    return IniSnapshot(current());
}

const std::shared_ptr<const IniDocument>& IniFile::current() const {
    const qint64 startedNs = wallClockNs();
    const Stamp now = Stamp::of(path_, encodedPath_);
    if (doc_ && stamp_ && *stamp_ == now) {
        const bool racy = now.exists && now.mtimeNs >= doc_->loadedAtNs - TimestampGranularityNs;
        if (!racy) {
            return doc_;
        }
        QByteArray bytes = readWholeFile(path_);
        if (bytes == doc_->raw) {
            if (doc_.use_count() == 1) {
                const_cast<IniDocument&>(*doc_).loadedAtNs = startedNs;
            }
            return doc_;
        }
        auto doc = std::make_shared<IniDocument>(IniDocument::parse(std::move(bytes)));
        doc->loadedAtNs = startedNs;
        doc_ = std::move(doc);
        *stamp_ = Stamp::of(path_, encodedPath_);
        return doc_;
    }
    auto doc = std::make_shared<IniDocument>(IniDocument::parse(now.exists ? readWholeFile(path_) : QByteArray()));
    doc->loadedAtNs = startedNs;
    doc_ = std::move(doc);
    stamp_ = std::make_unique<Stamp>(now);
    return doc_;
}

IniDocument& IniFile::editable() {
    current();
    if (doc_.use_count() > 1) {
        // Someone holds a snapshot of this version: change a copy.
        auto copy = std::make_shared<IniDocument>(*doc_);
        copy->keyIndexes.clear(); // it points into the lines of the original
        doc_ = std::move(copy);
    }
    return const_cast<IniDocument&>(*doc_);
}

bool IniFile::save() {
    IniDocument& doc = const_cast<IniDocument&>(*doc_);
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
    doc.raw = std::move(bytes);
    doc.loadedAtNs = startedNs;
    stamp_ = std::make_unique<Stamp>(Stamp::of(path_, encodedPath_));
    return true;
}

bool IniFile::edit(QStringView section, QStringView key, const QString& value) {
    if (path_.isEmpty() || section.trimmed().isEmpty() || key.trimmed().isEmpty()) {
        return false;
    }
    editable().set(section.trimmed(), key.trimmed(), oneLine(value.trimmed()));
    return true;
}

bool IniFile::writeString(QStringView section, QStringView key, const QString& value) {
    return edit(section, key, value) && save();
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
    if (!current()->blocksOf(section)) {
        return true; // nothing to erase; the file stays as it is
    }
    editable().erase(section);
    return save();
}

bool IniFile::deleteKey(QStringView section, QStringView key) {
    if (path_.isEmpty()) {
        return false;
    }
    if (!current()->find(section, key)) {
        return true;
    }
    editable().remove(section, key);
    return save();
}

void IniBatch::writeString(QStringView section, QStringView key, const QString& value) {
    ok_ = file_.edit(section, key, value) && ok_;
    changed_ = true;
}

void IniBatch::writeInteger(QStringView section, QStringView key, int value) {
    writeString(section, key, QString::number(value));
}

void IniBatch::writeBool(QStringView section, QStringView key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniBatch::writeFloat(QStringView section, QStringView key, double value) {
    writeString(section, key, formatIniFloat(value));
}

void IniBatch::writeDateTime(QStringView section, QStringView key, TDateTime value) {
    writeString(section, key, formatIniDateTime(value));
}

void IniBatch::writeTime(QStringView section, QStringView key, TDateTime value) {
    writeString(section, key, formatIniTime(value));
}

void IniBatch::eraseSection(QStringView section) {
    if (file_.path_.isEmpty()) {
        ok_ = false;
    } else if (file_.current()->blocksOf(section)) {
        file_.editable().erase(section);
        changed_ = true;
    }
}

void IniBatch::deleteKey(QStringView section, QStringView key) {
    if (file_.path_.isEmpty()) {
        ok_ = false;
    } else if (file_.current()->find(section, key)) {
        file_.editable().remove(section, key);
        changed_ = true;
    }
}

bool IniBatch::commit() {
    if (!ok_) {
        // Forget the half-made changes: the next read takes the file from the disk.
        file_.doc_.reset();
        file_.stamp_.reset();
        return false;
    }
    return !changed_ || file_.save();
}

} // namespace tavrok
