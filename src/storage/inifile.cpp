#include "storage/inifile.h"

#include "storage/inidocument.h"
#include "storage/inivalues.h"
#include "storage/savefile.h"

#include <algorithm>

#include <QDateTime>
#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#else
#include <QFileInfo>
#endif

namespace tavrok {

namespace {

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
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    const qint64 size = f.size();
    if (size < 4 * 1024 * 1024) {
        return f.readAll();
    }
    // A big file (a long alarm list) is read into memory taken in large pages where the system offers
    // them: touching tens of megabytes page by page costs more than reading them.
    QByteArray bytes(size, Qt::Uninitialized);
    adviseLargePages(bytes.data(), static_cast<size_t>(size));
    qint64 got = 0;
    while (got < size) {
        const qint64 n = f.read(bytes.data() + got, size - got);
        if (n <= 0) {
            break;
        }
        got += n;
    }
    bytes.truncate(got);
    if (const QByteArray rest = f.readAll(); !rest.isEmpty()) { // it grew meanwhile
        bytes += rest;
    }
    return bytes;
}

} // namespace

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

namespace {

template <typename T, typename Parse>
T readParsed(const IniDocument& doc, QStringView section, QStringView key, T def, Parse&& parse) {
    const auto v = doc.find(section, key);
    return detail::parsedOr(v ? &*v : nullptr, def, std::forward<Parse>(parse));
}

} // namespace

QString IniSnapshot::readString(QStringView section, QStringView key, const QString& def) const {
    const auto v = doc_->find(section, key);
    return v ? QString::fromUtf8(*v) : def;
}

int IniSnapshot::readInteger(QStringView section, QStringView key, int def) const {
    return readParsed(*doc_, section, key, def, parseIniInteger);
}

bool IniSnapshot::readBool(QStringView section, QStringView key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

double IniSnapshot::readFloat(QStringView section, QStringView key, double def) const {
    return readParsed(*doc_, section, key, def, parseIniFloat);
}

TDateTime IniSnapshot::readDateTime(QStringView section, QStringView key, TDateTime def) const {
    return readParsed(*doc_, section, key, def, parseIniDateTime);
}

TDateTime IniSnapshot::readTime(QStringView section, QStringView key, TDateTime def) const {
    return readParsed(*doc_, section, key, def, parseIniTime);
}

bool IniSnapshot::sectionExists(QStringView section) const {
    return doc_->blocksOf(section) != detail::NoBlock;
}

bool IniSnapshot::valueExists(QStringView section, QStringView key) const {
    return doc_->find(section, key).has_value();
}

QStringList IniSnapshot::sectionNames() const {
    QStringList names;
    for (uint32_t b = 0; b < doc_->blocks.size(); ++b) {
        const auto& block = doc_->blocks[b];
        if (block.hasHeader && doc_->blocksOf(block.name) == b) {
            names << QString::fromUtf8(block.name);
        }
    }
    return names;
}

quint64 IniSnapshot::version() const {
    return doc_->version;
}

QStringList IniSnapshot::keyNames(QStringView section) const {
    return doc_->keyNames(section);
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

bool IniFile::holdsNoText() const {
    return current()->undecodable;
}

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
        if (doc_->sameBytes(bytes)) {
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

IniDocument& IniFile::editable(bool checkDisk) {
    if (checkDisk || !doc_) {
        current();
    }
    if (doc_.use_count() > 1) {
        // Someone holds a snapshot of this version: change a copy.
        auto copy = std::make_shared<IniDocument>(*doc_);
        copy->changed(); // the caches point into the lines of the original
        doc_ = std::move(copy);
    }
    return const_cast<IniDocument&>(*doc_);
}

const IniDocument& IniFile::viewed(bool checkDisk) {
    if (checkDisk || !doc_) {
        current();
    }
    return *doc_;
}

bool IniFile::changedOnDisk() const {
    if (!doc_ || !stamp_) {
        return true;
    }
    const Stamp now = Stamp::of(path_, encodedPath_);
    if (*stamp_ == now && !(now.exists && now.mtimeNs >= doc_->loadedAtNs - TimestampGranularityNs)) {
        return false;
    }
    return !doc_->sameBytes(now.exists ? readWholeFile(path_) : QByteArray());
}

bool IniFile::save() {
    IniDocument& doc = const_cast<IniDocument&>(*doc_);
    if (doc.undecodable) {
        // Whatever the file holds is no text this program can read; writing would destroy it. It is moved
        // aside at start-up; until then a save fails and the caller reports it.
        doc_.reset();
        stamp_.reset();
        return false;
    }
    const qint64 startedNs = wallClockNs();
    // Written as it is made, a piece at a time: a long file is not held twice in memory.
    detail::BytesHash hash;
    qsizetype size = 0;
    const bool written = replaceFileWhole(path_, [&](const ByteSink& sink) {
        return doc.serialize([&](const char* p, qsizetype n) {
            hash.add(p, static_cast<size_t>(n));
            size += n;
            return sink(p, n);
        });
    });
    if (!written) {
        // The disk still holds the old file; let the next read take it from there.
        doc_.reset();
        stamp_.reset();
        return false;
    }
    doc.rawHash = hash.result();
    doc.rawSize = size;
    doc.loadedAtNs = startedNs;
    stamp_ = std::make_unique<Stamp>(Stamp::of(path_, encodedPath_));
    return true;
}

IniFile::Edit IniFile::edit(QStringView section, QStringView key, const QString& value, bool checkDisk) {
    if (path_.isEmpty() || section.trimmed().isEmpty() || !fitsSectionHeader(section) || !fitsKey(key)) {
        return Edit::Refused; // it would read back as another key, or as no key at all
    }
    const QString v = oneLine(value.trimmed());
    const auto& doc = checkDisk || !doc_ ? current() : doc_;
    const auto old = doc->find(section.trimmed(), key.trimmed());
    if (old && QtPrivate::equalStrings(QUtf8StringView(*old), QStringView(v))) {
        return Edit::Unchanged;
    }
    editable(false).set(section.trimmed(), key.trimmed(), v, !old);
    return Edit::Changed;
}

bool IniFile::writeString(QStringView section, QStringView key, const QString& value) {
    switch (edit(section, key, value)) {
    case Edit::Refused:
        return false;
    case Edit::Unchanged:
        return true;
    case Edit::Changed:
        break;
    }
    return save();
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
    if (current()->blocksOf(section) == detail::NoBlock) {
        return true; // nothing to erase; the file stays as it is
    }
    editable().erase(section);
    return save();
}

bool IniFile::deleteKey(QStringView section, QStringView key) {
    if (path_.isEmpty()) {
        return false;
    }
    if (!current()->find(section, key)) { // nothing to delete
        return true;
    }
    editable().remove(section, key);
    return save();
}

bool IniBatch::firstStep() {
    // The file is looked at on disk once, at the batch's first step: its later steps work on that.
    const bool first = !started_;
    started_ = true;
    return first;
}

void IniBatch::remember(Step::Kind kind, QStringView section, QStringView key, const QString& value) {
    if (keepsOthers_) {
        steps_.push_back({kind, section.toString(), key.toString(), value});
    }
}

void IniBatch::writeString(QStringView section, QStringView key, const QString& value) {
    remember(Step::Kind::Write, section, key, value);
    const IniFile::Edit e = file_.edit(section, key, value, firstStep());
    ok_ = e != IniFile::Edit::Refused && ok_;
    changed_ = changed_ || e == IniFile::Edit::Changed;
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
    remember(Step::Kind::Erase, section);
    if (file_.path_.isEmpty()) {
        ok_ = false;
    } else if (file_.viewed(firstStep()).blocksOf(section) != detail::NoBlock) {
        file_.editable(false).erase(section);
        changed_ = true;
    }
}

void IniBatch::deleteKey(QStringView section, QStringView key) {
    remember(Step::Kind::Delete, section, key);
    if (file_.path_.isEmpty()) {
        ok_ = false;
    } else if (file_.viewed(firstStep()).find(section, key)) {
        file_.editable(false).remove(section, key);
        changed_ = true;
    }
}

IniSnapshot IniBatch::view() {
    (void)file_.viewed(firstStep());
    return IniSnapshot(file_.doc_);
}

bool IniBatch::commit() {
    if (!ok_) {
        // Forget the half-made changes: the next read takes the file from the disk.
        file_.doc_.reset();
        file_.stamp_.reset();
        return false;
    }
    if (changed_ && keepsOthers_ && file_.changedOnDisk()) {
        // Written by another hand since this batch read it: the steps again, on the file as it is now.
        std::vector<Step> steps = std::move(steps_);
        steps_.clear();
        file_.doc_.reset();
        file_.stamp_.reset();
        started_ = changed_ = false;
        keepsOthers_ = false;
        for (const Step& step : steps) {
            switch (step.kind) {
            case Step::Kind::Write:
                writeString(step.section, step.key, step.value);
                break;
            case Step::Kind::Erase:
                eraseSection(step.section);
                break;
            case Step::Kind::Delete:
                deleteKey(step.section, step.key);
                break;
            }
        }
        keepsOthers_ = true;
        if (!ok_) {
            file_.doc_.reset();
            file_.stamp_.reset();
            return false;
        }
    }
    return !changed_ || file_.save();
}

} // namespace tavrok
