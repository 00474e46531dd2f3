#include "lang/help.h"

#include "support/tempdir.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace tavrok;
using namespace tavrok::test;

namespace {

const QString HelpFolder = QStringLiteral(TAVROK_SOURCE_DATA "/Napoveda");

// Every page the program may open.
const QStringList Pages = {
    QStringLiteral("cosetavrokem.htm"), QStringLiteral("dalsib.htm"),     QStringLiteral("dalsio.htm"),
    QStringLiteral("dalsis.htm"),       QStringLiteral("displej.htm"),    QStringLiteral("mezicasy.htm"),
    QStringLiteral("nastaveni.htm"),    QStringLiteral("displejnas.htm"), QStringLiteral("uvod.htm"),
    QStringLiteral("zmeskane.htm"),     QStringLiteral("serial.htm"),     QStringLiteral("budik.htm"),
    QStringLiteral("tavrok.htm"),       QStringLiteral("odpocitavani.htm")};

} // namespace

TEST(HelpTest, TheWindowInFrontChoosesThePageAndTheMainWindowItsFunction) {
    const std::pair<const char*, const char*> windows[] = {
        {"frmCoSeTavrokem", "cosetavrokem.htm"}, {"frmDalsiBudik", "dalsib.htm"},
        {"frmDalsiOdpocit", "dalsio.htm"},       {"frmDalsiTavrok", "dalsis.htm"},
        {"frmDisplej", "displej.htm"},           {"frmMezicasy", "mezicasy.htm"},
        {"frmNastaveni", "nastaveni.htm"},       {"frmNastaveniDispleje", "displejnas.htm"},
        {"frmOProgramu", "uvod.htm"},            {"frmZmeskaneBudiky", "zmeskane.htm"},
        {"frmSeriovyPort", "serial.htm"}};
    for (const auto& [window, page] : windows) {
        EXPECT_EQ(helpPage(QString::fromLatin1(window), 3), QString::fromLatin1(page)) << window;
    }
    EXPECT_EQ(helpPage(u"frmHlavniOkno", 1), QStringLiteral("budik.htm"));
    EXPECT_EQ(helpPage(u"frmHlavniOkno", 2), QStringLiteral("tavrok.htm"));
    EXPECT_EQ(helpPage(u"frmHlavniOkno", 3), QStringLiteral("odpocitavani.htm"));
    EXPECT_EQ(helpPage(u"frmHlavniOkno", 0), QStringLiteral("uvod.htm"));
    EXPECT_EQ(helpPage(u"", 2), QStringLiteral("tavrok.htm")) << "no window of the program in front";
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
    for (const char* language : {"TavrokCesky", "TavrokEnglish"}) {
        for (const QString& page : Pages) {
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
    EXPECT_GT(checked, 2 * static_cast<int>(Pages.size())) << "every page links somewhere";
}
