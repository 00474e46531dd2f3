// Any bytes as an INI file: every typed reader on every key, then one change (a write, a deleted key, an
// erased section or a batch of two writes). Whatever the change, every key it did not touch reads as
// before, and a change that reports failure leaves the file byte for byte.
#include "fuzz/fuzzinput.h"
#include "storage/inifile.h"

#include <utility>
#include <vector>

using namespace tavrok;

namespace {

struct Key {
    QString section;
    QString key;
    QString value;
};

bool same(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// A value of printable ASCII, '=', ';' and brackets included, taken from the input.
QString valueFrom(fuzz::FuzzInput& in) {
    QString v;
    for (int n = in.byte() % 24; n > 0; --n) {
        v += QChar(u' ' + in.byte() % 95);
    }
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path = fuzz::scratchPath(QStringLiteral("f.ini"));
    fuzz::FuzzInput in(data, size);
    const int operation = in.byte() % 4;
    const int pick = in.byte();
    const bool newName = in.flag();
    const QString value = valueFrom(in);
    const QString value2 = valueFrom(in);
    fuzz::putFile(path, in.rest());
    const QByteArray before = fuzz::fileBytes(path);

    IniFile ini(path);
    std::vector<Key> keys;
    const QStringList sections = ini.sectionNames();
    for (const QString& s : sections.mid(0, 64)) {
        for (const QString& k : ini.keyNames(s).mid(0, 64)) {
            (void)ini.readInteger(s, k, 0);
            (void)ini.readBool(s, k, false);
            (void)ini.readFloat(s, k, 0);
            (void)ini.readDateTime(s, k, 0);
            (void)ini.readTime(s, k, 0);
            keys.push_back({s, k, ini.readString(s, k)});
        }
    }

    QString section = QStringLiteral("Fuzz sekce");
    QString key = QStringLiteral("klíč");
    if (!newName && !keys.empty()) {
        section = keys[pick % keys.size()].section;
        key = keys[pick % keys.size()].key;
    }
    const bool newSection = !ini.sectionExists(section);
    bool ok = false;
    bool erased = false;
    switch (operation) {
    case 0:
        ok = ini.writeString(section, key, value);
        break;
    case 1:
        ok = ini.deleteKey(section, key);
        break;
    case 2:
        ok = ini.eraseSection(section);
        erased = true;
        break;
    default: {
        IniBatch batch(ini);
        batch.writeString(section, key, value);
        batch.writeString(QStringLiteral("Fuzz sekce"), QStringLiteral("druhý"), value2);
        ok = batch.commit();
    }
    }

    if (!ok) {
        FUZZ_CHECK(fuzz::fileBytes(path) == before, "a failed change left the file as it was");
        return 0;
    }
    const IniFile again(path); // from the disk
    for (const Key& k : keys) {
        const bool touched = same(k.section, section) && (erased || same(k.key, key));
        const bool touched2 = operation == 3 && same(k.section, QStringLiteral("Fuzz sekce")) &&
                              same(k.key, QStringLiteral("druhý"));
        if (!touched && !touched2) {
            FUZZ_CHECK(again.readString(k.section, k.key) == k.value, "an untouched key kept its value");
        }
    }
    if (operation == 0 || operation == 3) {
        FUZZ_CHECK(again.readString(section, key) == value.trimmed(), "the written value reads back");
        if (operation == 0 && newSection && ini.eraseSection(section)) {
            // Once in the writer's form, a section added and erased leaves the file byte for byte.
            const QByteArray erased1 = fuzz::fileBytes(path);
            if (ini.writeString(section, key, value) && ini.eraseSection(section)) {
                FUZZ_CHECK(fuzz::fileBytes(path) == erased1, "a section added and erased left the file as it was");
            }
        }
    } else if (operation == 1) {
        FUZZ_CHECK(!again.valueExists(section, key), "the deleted key is gone");
    } else {
        FUZZ_CHECK(!again.sectionExists(section), "the erased section is gone");
    }
    return 0;
}
