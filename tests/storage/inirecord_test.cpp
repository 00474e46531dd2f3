#include "storage/inifile.h"
#include "storage/inirecord.h"

#include "support/tempdir.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

// Hand-edited files: sections that repeat in other letter cases, keys twice, blanks, comments, lines
// without a value, a key in Czech.
QByteArray randomFile(QRandomGenerator& random) {
    static const char* const sections[] = {"A", "a", "Budík", "BUDÍK", "b", "[broken"};
    static const char* const keys[] = {"x", "X", " x ", "y", "Čas", "čAS", "z", "x=", ";x", "yy"};
    static const char* const values[] = {"1", " 2 ", "-3", "0x1F", "abc", "", "12:30:00", "1.2.2027 7:05"};
    QByteArray text;
    const int lines = random.bounded(1, 30);
    for (int i = 0; i < lines; ++i) {
        const int kind = random.bounded(6);
        text += kind == 0   ? QByteArray("[") + sections[random.bounded(6)] + "]\n"
                : kind == 1 ? QByteArray("; a comment\nno value here\n")
                            : QByteArray(keys[random.bounded(10)]) + "=" + values[random.bounded(8)] + "\r\n";
    }
    return text;
}

} // namespace

TEST(IniRecordTest, AKeyReadWithItsRecordReadsAsTheKeyReadOnItsOwn) {
    static const IniKeys keys{u"x", u"y", u"Čas", u"z", u"w"};
    const QStringList names{QStringLiteral("A"), QStringLiteral("budík"), QStringLiteral("b"),
                            QStringLiteral("missing")};
    QTemporaryDir dir;
    QRandomGenerator random(7);
    int found = 0;
    for (int file = 0; file < 300; ++file) {
        IniFile ini(dir.filePath(QStringLiteral("r%1.ini").arg(file)));
        test::writeBytes(ini.path(), randomFile(random));
        if (file % 2 == 1) { // some sections split into lines by a write, the rest read as they stand
            (void)ini.writeString(u"A", u"w", QStringLiteral("5"));
        }
        const IniSnapshot snapshot = ini.snapshot();
        for (const QString& name : names) {
            const IniRecord record(snapshot, name, keys);
            EXPECT_EQ(record.sectionExists(), snapshot.sectionExists(name)) << name.toStdString();
            for (const QStringView key : {u"x", u"y", u"Čas", u"z", u"w"}) {
                SCOPED_TRACE(testing::Message() << "file " << file << " [" << name.toStdString() << "] "
                                                << key.toString().toStdString());
                EXPECT_EQ(record.valueExists(key), snapshot.valueExists(name, key));
                EXPECT_EQ(record.readString(key, QStringLiteral("?")), snapshot.readString(name, key, QStringLiteral("?")));
                EXPECT_EQ(record.readInteger(key, -7), snapshot.readInteger(name, key, -7));
                EXPECT_EQ(record.readTime(key, -1), snapshot.readTime(name, key, -1));
                EXPECT_EQ(record.readDateTime(key, -1), snapshot.readDateTime(name, key, -1));
                found += record.valueExists(key) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(found, 500) << "the files had values to compare";
}

TEST(IniRecordTest, NumberedListsCountTheSameInAnyOrderOfTheirLines) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("l.ini")));
    const auto countOf = [&](const QByteArray& lines, int stored) {
        test::writeBytes(ini.path(), "[info]\n" + lines);
        return boundedListCount(ini.snapshot(), u"info", stored, 1);
    };
    EXPECT_EQ(countOf("1=a\n2=b\n3=c\n", 3), 3);
    EXPECT_EQ(countOf("1=a\n2=b\n3=c\n", 9), 3) << "a count beyond the list";
    EXPECT_EQ(countOf("3=c\n1=a\n2=b\n", 9), 3);
    EXPECT_EQ(countOf("1=a\n2=b\n2=again\n3=c\n", 9), 3) << "a key twice counts once";
    EXPECT_EQ(countOf("1=a\n2=b\n4=d\n", 9), 4) << "a gap is part of the list";
    EXPECT_EQ(countOf("1=a\n1000000000=z\n", 1000000000), 2 * 2 + 64) << "a number far beyond the keys";
    EXPECT_EQ(countOf(QByteArray("5=v\n").repeated(40) + "1000=z\n", 1000), 2 * 2 + 64)
        << "a key that stands forty times counts once";
    test::writeBytes(ini.path(), "[B]\n0=a\n+9223372036854775807=z\n"); // a list numbered from 0
    EXPECT_EQ(boundedListCount(ini.snapshot(), u"B", 1000), 2 * 2 + 64) << "the largest number a key can say";
    EXPECT_EQ(countOf("1=a\n2=b\n", -4), 0);
    EXPECT_EQ(countOf("name=a\n", 5), 0);

    // The values of such a list: the first line of a key, the missing text for a gap, nothing past the count.
    test::writeBytes(ini.path(), "[info]\n3=c\n1=a\n1=again\n0=z\n4=d\n");
    EXPECT_EQ(ini.snapshot().numberedValues(u"info", 1, 3, QStringLiteral("?")),
              (QStringList{QStringLiteral("a"), QStringLiteral("?"), QStringLiteral("c")}));

    QRandomGenerator random(3);
    for (int round = 0; round < 50; ++round) {
        QList<QByteArray> lines;
        const int n = random.bounded(1, 60);
        for (int i = 1; i <= n; ++i) {
            lines << QByteArray::number(random.bounded(3) == 0 ? random.bounded(1, 200) : i) + "=v\n";
        }
        const QByteArray rising = lines.join();
        std::shuffle(lines.begin(), lines.end(), random);
        const int stored = random.bounded(300);
        EXPECT_EQ(countOf(lines.join(), stored), countOf(rising, stored)) << rising.toStdString();
    }
}
