// The program's style: Fusion, with the menu bar's overflow arrows drawn by the program itself.
#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QStyle>
#include <QToolButton>
#include <gtest/gtest.h>

namespace tavrok::test {
namespace {

TEST(ProgramStyle, AMenuBarTooNarrowForItsMenusShowsDrawnArrowsAndOtherIconsStayFusions) {
    QMenuBar bar;
    for (int i = 0; i < 12; ++i) {
        bar.addMenu(QStringLiteral("Nabídka %1").arg(i));
    }
    bar.resize(120, 24);
    bar.show();
    QApplication::processEvents();
    const auto* more = bar.findChild<QToolButton*>();
    ASSERT_NE(more, nullptr);
    EXPECT_TRUE(more->isVisible()) << "the menus do not fit";
    const QImage arrows = more->icon().pixmap(10, 10).toImage();
    int drawn = 0;
    for (int y = 0; y < arrows.height(); ++y) {
        for (int x = 0; x < arrows.width(); ++x) {
            drawn += qAlpha(arrows.pixel(x, y)) > 128 ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, 8) << "two arrows";
    EXPECT_LT(drawn, 60) << "lines, not a filled square";
    EXPECT_FALSE(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).isNull());
}

} // namespace
} // namespace tavrok::test
