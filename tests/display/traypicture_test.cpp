#include "display/traypicture.h"

#include <gtest/gtest.h>
#include <cmath>
#include <set>
#include <vector>

namespace tavrok {
namespace {

constexpr quint32 Magenta = 0xFFFF00FFu;
constexpr quint32 Blue = 0xFF0000FFu;

struct Pixel {
    int x;
    int y;
};

// What each digit paints, read off its strokes by hand: the end point of every segment left out.
const std::vector<Pixel> DigitPixels[10] = {
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

// The picture a user should see, built from the rules rather than from the drawing code.
struct Expected {
    TrayPixels p{};

    explicit Expected(const TrayPixels& image) {
        for (size_t i = 0; i < p.size(); ++i) {
            p[i] = image[i] != 0 ? image[i] : Magenta;
        }
    }
    quint32& at(int x, int y) { return p[static_cast<size_t>(y * TrayIconSize + x)]; }
    // Row 0 at the bottom (y 13) to row 11 at the top (y 2), narrowed at both ends into a disc.
    void row(int r, int intensity) {
        static const int insets[12] = {3, 2, 1, 0, 0, 0, 0, 0, 0, 1, 2, 3};
        for (int x = 2 + insets[r]; x <= 13 - insets[r]; ++x) {
            at(x, 13 - r) = 0xFF0000FFu | quint32(intensity) << 16 | quint32(intensity) << 8;
        }
    }
    void graph(int wholeRows, int intensity) {
        for (int r = 0; r < wholeRows && r < 12; ++r) {
            row(r, 0);
        }
        if (wholeRows < 12) {
            row(wholeRows, intensity);
        }
    }
    void digit(int d, int offset) {
        for (const Pixel& px : DigitPixels[d]) {
            at(px.x + offset, px.y) ^= 0x00FFFFFFu;
        }
    }
};

Expected countdownBase() {
    return Expected(imgsIkony::pozadi());
}

TrayPixels drawn(double percent, bool graf, bool procenta) {
    TrayPicture picture;
    picture.kresliTaskIkonu(percent, graf, procenta);
    return picture.bitmap();
}

TEST(TrayPicture, PicturesFollowTheGraphAndNumberRules) {
    {
        SCOPED_TRACE("100 %: every row blue, 1 0 0 at offsets 0, 4 and 8");
        Expected e = countdownBase();
        e.graph(12, 255);
        e.digit(1, 0);
        e.digit(0, 4);
        e.digit(0, 8);
        EXPECT_EQ(drawn(100, true, true), e.p);
    }
    {
        SCOPED_TRACE("50 %: rows 0-5 blue, row 6 white, 5 and 0 at offsets 3 and 7");
        Expected e = countdownBase();
        e.graph(6, 255);
        e.digit(5, 3);
        e.digit(0, 7);
        EXPECT_EQ(drawn(50, true, true), e.p);
        Expected graphOnly = countdownBase();
        graphOnly.graph(6, 255);
        EXPECT_EQ(drawn(50, true, false), graphOnly.p);
    }
    {
        SCOPED_TRACE("41 %: the units digit 1 one pixel to the left");
        Expected e = countdownBase();
        // 41 % of 12 rows: 4 whole rows and 0.92 of the fifth, which is nearly blue.
        e.graph(4, static_cast<int>(std::nearbyint((1 - (41 * 12 / 100.0 - 4)) * 255)));
        e.digit(4, 3);
        e.digit(1, 6);
        EXPECT_EQ(drawn(41, true, true), e.p);
        Expected numberOnly = countdownBase();
        numberOnly.digit(4, 3);
        numberOnly.digit(1, 6);
        EXPECT_EQ(drawn(41, false, true), numberOnly.p);
    }
    {
        SCOPED_TRACE("7.4 %: one digit at offset 5");
        Expected e = countdownBase();
        e.digit(7, 5);
        EXPECT_EQ(drawn(7.4, false, true), e.p);
    }
    {
        SCOPED_TRACE("0 %: the bottom row white, 0 at offset 5");
        Expected e = countdownBase();
        e.graph(0, 255);
        e.digit(0, 5);
        EXPECT_EQ(drawn(0, true, true), e.p);
    }
    {
        SCOPED_TRACE("36 % and 89 %: the digits not drawn above");
        Expected e36 = countdownBase();
        e36.digit(3, 3);
        e36.digit(6, 7);
        EXPECT_EQ(drawn(36, false, true), e36.p);
        Expected e89 = countdownBase();
        e89.digit(8, 3);
        e89.digit(9, 7);
        EXPECT_EQ(drawn(89, false, true), e89.p);
    }
    {
        SCOPED_TRACE("halves go to the even number: 12.5 % shows 12, 13.5 % shows 14");
        Expected twelve = countdownBase();
        twelve.digit(1, 3);
        twelve.digit(2, 7);
        EXPECT_EQ(drawn(12.5, false, true), twelve.p);
        Expected fourteen = countdownBase();
        fourteen.digit(1, 3);
        fourteen.digit(4, 7);
        EXPECT_EQ(drawn(13.5, false, true), fourteen.p);
    }
}

TEST(TrayPicture, EveryDigitKeepsItsStrokesOverEveryBackground) {
    // A digit inverts what lies beneath it: over blue it is yellow, over the white row black.
    for (int d = 0; d <= 9; ++d) {
        TrayPicture picture;
        picture.kresliGrafProTaskIkonu(6, 255); // blue below y 7, white at y 7
        const TrayPixels before = picture.bitmap();
        picture.kresliCisloProTaskIkonu(d, 5);
        int changed = 0;
        for (size_t i = 0; i < before.size(); ++i) {
            if (before[i] != picture.bitmap()[i]) {
                ++changed;
                EXPECT_EQ(picture.bitmap()[i], before[i] ^ 0x00FFFFFFu) << "digit " << d;
            }
        }
        EXPECT_EQ(changed, static_cast<int>(DigitPixels[d].size())) << "a joint painted twice cancels out: digit " << d;
    }
    TrayPicture picture;
    const TrayPixels before = picture.bitmap();
    picture.kresliCisloProTaskIkonu(10, 5);
    picture.kresliCisloProTaskIkonu(-1, 5);
    picture.kresliRadekGrafuTaskIkony(12, 0);
    EXPECT_EQ(picture.bitmap(), before) << "no digit outside 0-9, no row 12";
}

TEST(TrayPicture, IdlePictureAndWhatResetsIt) {
    Expected idle(imgsIkony::ikona());
    TrayPicture picture;
    EXPECT_EQ(picture.bitmap(), idle.p);
    EXPECT_FALSE(picture.kresliTaskIkonu(60, false, false)) << "neither layer chosen: the ordinary icon stays";
    EXPECT_EQ(picture.bitmap(), idle.p);

    ASSERT_TRUE(picture.kresliTaskIkonu(100, true, false));
    picture.resetToIdle();
    EXPECT_EQ(picture.bitmap(), idle.p);
    // Started again at the same share: drawn at once, though its graph is the one drawn last.
    EXPECT_TRUE(picture.kresliTaskIkonu(100, true, false));

    // The fill around the art is see-through in the shown picture, and only there.
    const TrayPixels shown = picture.image();
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i] == 0, picture.bitmap()[i] == Magenta) << "pixel " << i;
    }
    EXPECT_EQ(shown[0], 0u);
    EXPECT_EQ(shown[static_cast<size_t>(8 * TrayIconSize + 8)] >> 24, 0xFFu);
}

TEST(TrayPicture, OddSharesDrawSanely) {
    // A late tick, a stopped clock or a share above the whole never wrap the unsigned rows.
    Expected nothingLeft = countdownBase();
    nothingLeft.graph(0, 255);
    nothingLeft.digit(0, 5);
    EXPECT_EQ(drawn(-3, true, true), nothingLeft.p);
    EXPECT_EQ(drawn(std::nan(""), true, true), nothingLeft.p);
    Expected over = countdownBase();
    over.graph(12, 0);
    over.digit(2, 0);
    over.digit(5, 4);
    over.digit(0, 8);
    EXPECT_EQ(drawn(250, true, true), over.p);
}

// Runs a countdown from the whole to nothing in small steps, as the ticks see it.
TEST(TrayPicture, ACountdownDrawsEveryDistinctPictureOnce) {
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
    }
}

TEST(TrayPicture, TheNextChangeIsWhereThePictureChanges) {
    for (const auto& [graf, procenta] : {std::pair{true, true}, {true, false}, {false, true}}) {
        SCOPED_TRACE(testing::Message() << "graph " << graf << ", number " << procenta);
        TrayPicture picture;
        double percent = 100;
        picture.kresliTaskIkonu(percent, graf, procenta);
        int hops = 0;
        while (true) {
            const double next = TrayPicture::nextChange(percent, graf, procenta);
            if (next < 0) {
                break;
            }
            ASSERT_LE(next, percent);
            // Nothing changes on the way there...
            if (percent - next > 2e-9) {
                const TrayPixels before = picture.bitmap();
                EXPECT_FALSE(picture.kresliTaskIkonu((percent + next) / 2, graf, procenta)) << "at " << percent;
                EXPECT_EQ(picture.bitmap(), before);
            }
            // ...and just past it the picture is new.
            percent = std::max(0.0, next - 1e-9);
            EXPECT_TRUE(picture.kresliTaskIkonu(percent, graf, procenta)) << "past " << next;
            ASSERT_LT(++hops, 10'000);
        }
        EXPECT_LT(percent, 0.5);
    }
    EXPECT_LT(TrayPicture::nextChange(50, false, false), 0) << "nothing drawn, nothing to wait for";
}

} // namespace
} // namespace tavrok
