#include "widgets/digitslabel.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

namespace {

using namespace tavrok;

// Where a label's text has ink: the pixels that are not its background.
QRect inkOf(QLabel& label) {
    const QImage image = label.grab().toImage();
    const QRgb background = image.pixel(0, 0);
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

void style(QLabel& label, const QFont& font, Qt::Alignment alignment, const QMargins& margins) {
    QPalette p = label.palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    label.setPalette(p);
    label.setAutoFillBackground(true);
    label.setFont(font);
    label.setAlignment(alignment);
    label.setContentsMargins(margins);
    label.setGeometry(0, 0, 120, 50);
}

// The running digits are drawn where a plain label draws the same text, each new text and each new font
// at once, in the window's two alignments.
TEST(DigitsLabelTest, DrawsItsTextWhereALabelWould) {
    QFont small = QApplication::font();
    small.setPixelSize(20);
    QFont big = small;
    big.setPixelSize(32);
    const struct {
        Qt::Alignment alignment;
        QMargins margins;
    } layouts[] = {{Qt::AlignCenter, {}}, {Qt::AlignLeft | Qt::AlignBottom, {0, 0, 0, 5}}};
    for (const auto& layout : layouts) {
        DigitsLabel digits;
        QLabel plain;
        for (const QFont& font : {small, big}) {
            style(digits, font, layout.alignment, layout.margins);
            style(plain, font, layout.alignment, layout.margins);
            for (const char* text : {"000", "1", "59:07", "268"}) {
                digits.setText(QString::fromLatin1(text));
                plain.setText(QString::fromLatin1(text));
                const QRect drawn = inkOf(digits);
                const QRect expected = inkOf(plain);
                ASSERT_FALSE(expected.isEmpty());
                const auto where = [&] {
                    return ::testing::Message()
                           << text << " at " << font.pixelSize() << " px, alignment " << layout.alignment;
                };
                EXPECT_NEAR(drawn.left(), expected.left(), 1) << where();
                EXPECT_NEAR(drawn.right(), expected.right(), 1) << where();
                EXPECT_EQ(drawn.top(), expected.top()) << where();
                EXPECT_EQ(drawn.bottom(), expected.bottom()) << where();
            }
        }
    }
}

} // namespace
