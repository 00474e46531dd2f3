#include "lang/help.h"

#include "lang/languagekeys.h"
#include "support/tempdir.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace tavrok;
using namespace tavrok::test;

namespace {

const QString HelpFolder = QStringLiteral(TAVROK_SOURCE_DATA "/Napoveda");

// Every page the program may open: each window's, and the main window's for each function.
QStringList pages() {
    QStringList all;
    for (const LanguageSection& section : languageSections()) {
        for (int function = 0; function <= 3; ++function) {
            all << helpPage(QStringView(section.name), function);
        }
    }
    all.removeDuplicates();
    return all;
}

} // namespace

TEST(HelpTest, TheMainWindowsFunctionChoosesThePage) {
    EXPECT_EQ(helpPage(u"frmHlavniOkno", 1), QStringLiteral("budik.htm"));
    EXPECT_EQ(helpPage(u"frmHlavniOkno", 2), QStringLiteral("tavrok.htm"));
    EXPECT_EQ(helpPage(u"frmHlavniOkno", 3), QStringLiteral("odpocitavani.htm"));
    EXPECT_EQ(helpPage(u"frmHlavniOkno", 0), QStringLiteral("uvod.htm"));
    EXPECT_EQ(helpPage(u"", 2), QStringLiteral("tavrok.htm")) << "no window of the program in front";
    EXPECT_EQ(helpPage(u"frmNastaveni", 2), QStringLiteral("nastaveni.htm")) << "a dialog in front has its own";
}

TEST(HelpTest, ALanguageWithoutItsOwnHelpFallsBackToCzech) {
    EXPECT_EQ(helpPath(HelpFolder, QStringLiteral("English"), QStringLiteral("nastaveni.htm")),
              HelpFolder + QStringLiteral("/TavrokEnglish/nastaveni.htm"));
    EXPECT_EQ(helpPath(HelpFolder, QStringLiteral("Klingon"), QStringLiteral("nastaveni.htm")),
              HelpFolder + QStringLiteral("/TavrokCesky/nastaveni.htm"));
    EXPECT_EQ(helpPath(HelpFolder, QStringLiteral("Cesky"), QStringLiteral("uvod.htm")),
              HelpFolder + QStringLiteral("/TavrokCesky/uvod.htm"));
}

TEST(HelpTest, EveryPageExistsInBothLanguagesAndNoLinkIsBroken) {
    const QStringList all = pages();
    for (const char* language : {"TavrokCesky", "TavrokEnglish"}) {
        for (const QString& page : all) {
            EXPECT_TRUE(QFileInfo::exists(HelpFolder + u'/' + QString::fromLatin1(language) + u'/' + page))
                << language << "/" << page.toStdString();
        }
    }
    static const QRegularExpression link(QStringLiteral(R"re((?:href|src)="([^"#]*)(?:#([^"]*))?")re"));
    static const QRegularExpression id(QStringLiteral(R"re(\bid="([^"]+)")re"));
    int checked = 0;
    QDirIterator it(HelpFolder, {QStringLiteral("*.htm")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString text = QString::fromUtf8(readBytes(file));
        EXPECT_TRUE(text.contains(QStringLiteral("<meta charset=\"utf-8\">"))) << file.toStdString();
        auto links = link.globalMatch(text);
        while (links.hasNext()) {
            const auto m = links.next();
            const QString target = m.captured(1);
            if (target.startsWith(QStringLiteral("http")) || target.startsWith(QStringLiteral("mailto:"))) {
                continue;
            }
            const QString resolved = target.isEmpty() ? file : QFileInfo(file).dir().filePath(target);
            ++checked;
            ASSERT_TRUE(QFileInfo::exists(resolved)) << file.toStdString() << " links to " << target.toStdString();
            if (!m.captured(2).isEmpty()) {
                QStringList ids;
                auto found = id.globalMatch(QString::fromUtf8(readBytes(resolved)));
                while (found.hasNext()) {
                    ids << found.next().captured(1);
                }
                EXPECT_TRUE(ids.contains(m.captured(2))) << file.toStdString() << " links to #" << m.captured(2).toStdString();
            }
        }
    }
    EXPECT_GT(checked, 2 * static_cast<int>(all.size())) << "every page links somewhere";
}
