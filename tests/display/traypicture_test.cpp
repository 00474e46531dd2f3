#include "display/traypicture.h"

#include <gtest/gtest.h>
#include <cmath>
#include <initializer_list>
#include <set>
#include <utility>
#include <vector>

namespace tavrok {
namespace {

constexpr quint32 Magenta = 0xFFFF00FFu;
constexpr quint32 Blue = 0xFF0000FFu;
constexpr quint32 White = 0xFFFFFFFFu;

size_t at(int x, int y) {
    return static_cast<size_t>(y * TrayIconSize + x);
}

// An image as the bitmap composes it: on the magenta fill.
TrayPixels onFill(const TrayPixels& image) {
    TrayPixels p{};
    for (size_t i = 0; i < p.size(); ++i) {
        p[i] = image[i] != 0 ? image[i] : Magenta;
    }
    return p;
}

// The countdown's background with the graph: `blue` rows from the bottom blue and the next one white,
// each row covering its line of the light dial, from y 13 up to y 2.
TrayPixels withGraph(int blue) {
    const TrayPixels& background = imgsIkony::pozadi();
    const quint32 light = background[at(8, 8)];
    TrayPixels p = onFill(background);
    for (int row = 0; row <= blue && row < 12; ++row) {
        for (int x = 0; x < TrayIconSize; ++x) {
            if (background[at(x, 13 - row)] == light) {
                p[at(x, 13 - row)] = row < blue ? Blue : White;
            }
        }
    }
    return p;
}

// The picture with digits drawn over it at their offsets: a digit inverts the pixels its strokes cover.
// Each digit's pixels as a user reads them off the icon (the drawing keeps its strokes as polylines).
const std::vector<std::pair<int, int>> DigitPixels[10] = {
    {{3, 6}, {4, 7}, {4, 8}, {4, 9}, {3, 10}, {2, 9}, {2, 8}, {2, 7}},
    {{3, 7}, {4, 6}, {4, 7}, {4, 8}, {4, 9}, {4, 10}},
    {{2, 6}, {3, 6}, {4, 7}, {3, 8}, {2, 9}, {2, 10}, {3, 10}, {4, 10}},
    {{2, 6}, {3, 6}, {4, 7}, {3, 8}, {4, 9}, {3, 10}, {2, 10}},
    {{3, 6}, {2, 7}, {2, 8}, {3, 8}, {4, 8}, {3, 9}, {3, 10}},
    {{4, 6}, {3, 6}, {2, 6}, {2, 7}, {2, 8}, {3, 8}, {4, 9}, {3, 10}, {2, 10}},
    {{4, 6}, {3, 6}, {2, 7}, {2, 8}, {2, 9}, {3, 10}, {4, 9}, {3, 8}},
    {{2, 6}, {3, 6}, {4, 6}, {4, 7}, {4, 8}, {3, 9}, {3, 10}},
    {{3, 6}, {4, 7}, {3, 8}, {2, 9}, {3, 10}, {4, 9}, {2, 7}},
    {{2, 10}, {3, 10}, {4, 9}, {4, 8}, {4, 7}, {3, 6}, {2, 7}, {3, 8}},
};

// Each digit at its offset inverts the pixels beneath its strokes.
TrayPixels withDigits(TrayPixels p, std::initializer_list<std::pair<int, int>> digits) {
    for (const auto& [digit, offset] : digits) {
        for (const auto& [x, y] : DigitPixels[digit]) {
            p[at(x + offset, y)] ^= 0x00FFFFFFu;
        }
    }
    return p;
}

TrayPixels drawn(double percent, bool graf, bool procenta) {
    TrayPicture picture;
    picture.kresliTaskIkonu(percent, graf, procenta);
    return picture.bitmap();
}

TEST(TrayPicture, PicturesFollowTheGraphAndNumberRules) {
    const TrayPixels background = onFill(imgsIkony::pozadi());
    const struct {
        double percent;
        bool graf;
        bool procenta;
        TrayPixels expected;
    } cases[] = {
        // Three digits at offsets 0, 4 and 8; two at 3 and 7, a units 1 one pixel to the left; one at 5.
        {100, true, true, withDigits(withGraph(12), {{1, 0}, {0, 4}, {0, 8}})},
        {50, true, true, withDigits(withGraph(6), {{5, 3}, {0, 7}})},
        {50, true, false, withGraph(6)},
        {41, false, true, withDigits(background, {{4, 3}, {1, 6}})},
        {7.4, false, true, withDigits(background, {{7, 5}})},
        {0, true, true, withDigits(withGraph(0), {{0, 5}})},
        // Halves go to the even number.
        {12.5, false, true, withDigits(background, {{1, 3}, {2, 7}})},
        {13.5, false, true, withDigits(background, {{1, 3}, {4, 7}})},
        // A late tick, a stopped clock or a share above the whole never wrap the unsigned rows.
        {-3, true, true, withDigits(withGraph(0), {{0, 5}})},
        {std::nan(""), true, true, withDigits(withGraph(0), {{0, 5}})},
        {250, true, true, withDigits(withGraph(12), {{2, 0}, {5, 4}, {0, 8}})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(drawn(c.percent, c.graf, c.procenta), c.expected)
            << c.percent << " %, graph " << c.graf << ", number " << c.procenta;
    }

    // 41 % of 12 rows is 4.92: four rows blue and the fifth, with 0.92 of it still to go, nearly blue.
    const TrayPixels partial = drawn(41, true, false);
    const TrayPixels fourRows = withGraph(4);
    for (size_t i = 0; i < partial.size(); ++i) {
        if (fourRows[i] == White) {
            EXPECT_EQ(partial[i] & Blue, Blue) << "pixel " << i;
            EXPECT_LT((partial[i] >> 16) & 0xFFu, 0x40u) << "pixel " << i;
            EXPECT_EQ((partial[i] >> 16) & 0xFFu, (partial[i] >> 8) & 0xFFu) << "pixel " << i;
        } else {
            EXPECT_EQ(partial[i], fourRows[i]) << "pixel " << i;
        }
    }
}

// A digit inverts what lies beneath it, over the graph as over the ordinary icon: over blue it is yellow,
// over the white row black.
TEST(TrayPicture, ADigitInvertsWhatLiesBeneathIt) {
    for (int d = 0; d <= 9; ++d) {
        TrayPicture picture;
        picture.kresliGrafProTaskIkonu(6, 255); // blue below y 7, white at y 7
        const TrayPixels before = picture.bitmap();
        picture.kresliCisloProTaskIkonu(d, 5);
        EXPECT_EQ(picture.bitmap(), withDigits(before, {{d, 5}})) << "digit " << d;
    }
    TrayPicture picture;
    const TrayPixels before = picture.bitmap();
    picture.kresliCisloProTaskIkonu(10, 5);
    picture.kresliCisloProTaskIkonu(-1, 5);
    picture.kresliRadekGrafuTaskIkony(12, 0);
    EXPECT_EQ(picture.bitmap(), before) << "no digit outside 0-9, no row 12";
}

TEST(TrayPicture, IdlePictureAndWhatResetsIt) {
    const TrayPixels idle = onFill(imgsIkony::ikona());
    TrayPicture picture;
    EXPECT_EQ(picture.bitmap(), idle);
    const quint64 first = picture.generation();
    picture.resetToIdle();
    EXPECT_EQ(picture.generation(), first) << "already idle: nothing is drawn again";
    EXPECT_FALSE(picture.kresliTaskIkonu(60, false, false)) << "neither layer chosen: the ordinary icon stays";
    EXPECT_EQ(picture.bitmap(), idle);

    ASSERT_TRUE(picture.kresliTaskIkonu(100, true, false));
    picture.resetToIdle();
    EXPECT_EQ(picture.bitmap(), idle);
    // Started again at the same share: drawn at once, though its graph is the one drawn last.
    EXPECT_TRUE(picture.kresliTaskIkonu(100, true, false));

    // The fill around the art is see-through in the shown picture, and only there.
    const TrayPixels shown = picture.image();
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i] == 0, picture.bitmap()[i] == Magenta) << "pixel " << i;
    }
    EXPECT_EQ(shown[0], 0u);
    EXPECT_EQ(shown[at(8, 8)] >> 24, 0xFFu);
}

// A countdown run from the whole to nothing in small steps, as the ticks see it, draws every distinct
// picture once; and the next change the picture announces is where it changes.
TEST(TrayPicture, EveryDistinctPictureIsDrawnOnceWhereTheNextChangeSays) {
    for (const auto& [graf, procenta] : {std::pair{true, true}, {true, false}, {false, true}}) {
        SCOPED_TRACE(testing::Message() << "graph " << graf << ", number " << procenta);
        TrayPicture picture;
        std::set<TrayPixels> seen;
        int changes = 0;
        for (int step = 1'000'000; step >= 0; --step) {
            const double percent = step / 10'000.0;
            const quint64 before = picture.generation();
            if (picture.kresliTaskIkonu(percent, graf, procenta)) {
                ++changes;
                EXPECT_TRUE(seen.insert(picture.bitmap()).second) << "drawn again at " << percent;
            } else {
                ASSERT_EQ(picture.generation(), before) << "changed without saying so at " << percent;
            }
        }
        EXPECT_EQ(static_cast<size_t>(changes), seen.size());
        // 12 rows of 255 levels each, and 101 numbers.
        if (graf) {
            EXPECT_GE(changes, 12 * 255);
        } else {
            EXPECT_EQ(changes, 101);
        }

        TrayPicture hop;
        double percent = 100;
        hop.kresliTaskIkonu(percent, graf, procenta);
        int hops = 0;
        while (true) {
            const double next = TrayPicture::nextChange(percent, graf, procenta);
            if (next < 0) {
                break;
            }
            ASSERT_LE(next, percent);
            // Nothing changes on the way there...
            if (percent - next > 2e-9) {
                const TrayPixels before = hop.bitmap();
                EXPECT_FALSE(hop.kresliTaskIkonu((percent + next) / 2, graf, procenta)) << "at " << percent;
                EXPECT_EQ(hop.bitmap(), before);
            }
            // ...and just past it the picture is new.
            percent = std::max(0.0, next - 1e-9);
            EXPECT_TRUE(hop.kresliTaskIkonu(percent, graf, procenta)) << "past " << next;
            ASSERT_LT(++hops, 10'000);
        }
        EXPECT_LT(percent, 0.5);
    }
    EXPECT_LT(TrayPicture::nextChange(50, false, false), 0) << "nothing drawn, nothing to wait for";
}

} // namespace
} // namespace tavrok
