#include "display/traypicture.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace tavrok {

namespace {

constexpr quint32 Magenta = 0xFFFF00FFu;

// The art, a character a pixel: '.' leaves the pixel beneath (transparent in the image list).
using Art = std::array<const char*, TrayIconSize>;

// Behind the countdown: a light dial in a dark ring, with the stopwatch's crown on top. The graph's rows
// fill exactly the light part.
constexpr Art BackgroundArt = {
    "......kkkk......",
    "....kkkkkkkk....",
    "...kkggggggkk...",
    "..kkggggggggkk..",
    ".kkggggggggggkk.",
    ".kggggggggggggk.",
    ".kggggggggggggk.",
    ".kggggggggggggk.",
    ".kggggggggggggk.",
    ".kggggggggggggk.",
    ".kggggggggggggk.",
    ".kkggggggggggkk.",
    "..kkggggggggkk..",
    "...kkggggggkk...",
    "....kkkkkkkk....",
    "................",
};

// The ordinary icon: a stopwatch, its red hand up, the black one at a quarter.
constexpr Art IdleArt = {
    "......kkkk......",
    "....kkkkkkkk....",
    "...kkwwkkwwkk...",
    "..kkwwwwwwwwkk..",
    ".kkwwwwrwwwwwkk.",
    ".kwwwwwrwwwwwwk.",
    ".kwwwwwrwwwwwwk.",
    ".kkwwwwrwwwwwkk.",
    ".kkwwwwbbbbwwkk.",
    ".kwwwwwwwwwwwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kkwwwwwwwwwwkk.",
    "..kkwwwwwwwwkk..",
    "...kkwwkkwwkk...",
    "....kkkkkkkk....",
    "................",
};

quint32 colourOf(char c) {
    switch (c) {
    case 'k':
        return 0xFF1F2A44u;
    case 'g':
        return 0xFFDCE0E8u;
    case 'w':
        return 0xFFFFFFFFu;
    case 'r':
        return 0xFFD02020u;
    case 'b':
        return 0xFF000000u;
    default:
        return 0; // transparent
    }
}

TrayPixels fromArt(const Art& art) {
    TrayPixels p{};
    for (int y = 0; y < TrayIconSize; ++y) {
        for (int x = 0; x < TrayIconSize; ++x) {
            p[static_cast<size_t>(y * TrayIconSize + x)] = colourOf(art[static_cast<size_t>(y)][x]);
        }
    }
    return p;
}

// The digit strokes: polylines of points (x from the digit's offset, y absolute); a new polyline
// starts at a point marked `move`.
struct StrokePoint {
    int x;
    int y;
    bool move = false;
};
struct DigitStrokes {
    std::initializer_list<StrokePoint> points;
};
const DigitStrokes Digits[10] = {
    {{{3, 6, true}, {4, 7}, {4, 9}, {3, 10}, {2, 9}, {2, 6}}},
    {{{3, 7, true}, {4, 6}, {4, 11}}},
    {{{2, 6, true}, {3, 6}, {4, 7}, {2, 9}, {2, 10}, {5, 10}}},
    {{{2, 6, true}, {3, 6}, {4, 7}, {3, 8}, {4, 9}, {3, 10}, {1, 10}}},
    {{{3, 6, true}, {2, 7}, {2, 8}, {4, 8}, {3, 9}, {3, 11}}},
    {{{4, 6, true}, {2, 6}, {2, 8}, {3, 8}, {4, 9}, {3, 10}, {1, 10}}},
    {{{4, 6, true}, {3, 6}, {2, 7}, {2, 9}, {3, 10}, {4, 9}, {2, 7}}},
    {{{2, 6, true}, {4, 6}, {4, 8}, {3, 9}, {3, 11}}},
    {{{3, 6, true}, {4, 7}, {2, 9}, {3, 10}, {4, 9}, {3, 8}, {2, 7, true}, {3, 6}}},
    {{{2, 10, true}, {3, 10}, {4, 9}, {4, 7}, {3, 6}, {2, 7}, {4, 9}}},
};

// The share still to go as the picture counts it: a share never below nothing.
double shownPercent(double percent) {
    return percent >= 0 ? percent : 0; // also a NaN
}

struct GraphLevel {
    int rows;
    int intensity;
};
GraphLevel graphLevel(double percent) {
    const double scaled = percent * 12 / 100;
    const double rows = std::floor(scaled);
    return {static_cast<int>(std::min(rows, 255.0)),
            static_cast<int>(std::nearbyint((1 - (scaled - rows)) * 255))};
}

// Twelve whole rows and eleven with the last one at full blue paint the same disc: one picture.
bool isFullDisc(const GraphLevel& level) {
    return level.rows >= 12 || (level.rows == 11 && level.intensity == 0);
}

int percentNumber(double percent) {
    return static_cast<int>(std::min(std::nearbyint(percent), 999.0));
}

} // namespace

namespace imgsIkony {

const TrayPixels& pozadi() {
    static const TrayPixels image = fromArt(BackgroundArt);
    return image;
}

const TrayPixels& ikona() {
    static const TrayPixels image = fromArt(IdleArt);
    return image;
}

const std::array<bool, TrayIconSize * TrayIconSize>& maska() {
    static const auto mask = [] {
        std::array<bool, TrayIconSize * TrayIconSize> m{};
        for (size_t i = 0; i < m.size(); ++i) {
            m[i] = (pozadi()[i] | ikona()[i]) != 0;
        }
        return m;
    }();
    return mask;
}

} // namespace imgsIkony

TrayPicture::TrayPicture() {
    resetToIdle();
}

void TrayPicture::rebuildBase(const TrayPixels& image) {
    for (size_t i = 0; i < bitmap_.size(); ++i) {
        bitmap_[i] = image[i] != 0 ? image[i] : Magenta;
    }
    ++generation_;
}

void TrayPicture::resetToIdle() {
    const bool alreadyIdle = lastNumber_ < 0 && lastRows_ < 0 && generation_ > 0;
    lastNumber_ = -1;
    lastRows_ = -1;
    lastIntensity_ = -1;
    if (!alreadyIdle) {
        rebuildBase(imgsIkony::ikona());
    }
}

bool TrayPicture::kresliTaskIkonu(double percent, bool graf, bool procenta) {
    percent = shownPercent(percent);
    const int number = percentNumber(percent);
    GraphLevel level = graphLevel(percent);
    if (isFullDisc(level)) {
        level = {12, 255};
    }
    const bool graphChanged = level.rows != lastRows_ || level.intensity != lastIntensity_;
    const bool numberChanged = number != lastNumber_;

    const bool rebuild = (graf && graphChanged) || (procenta && numberChanged);
    if (rebuild) {
        rebuildBase(imgsIkony::pozadi());
    }
    if (graf && (graphChanged || (procenta && numberChanged))) {
        kresliGrafProTaskIkonu(static_cast<quint8>(level.rows), static_cast<quint8>(level.intensity));
    }
    if (procenta && (numberChanged || (graf && graphChanged))) {
        if (number < 10) {
            kresliCisloProTaskIkonu(number, 5);
        } else if (number < 100) {
            kresliCisloProTaskIkonu(number / 10, 3);
            kresliCisloProTaskIkonu(number % 10, number % 10 == 1 ? 6 : 7);
        } else {
            kresliCisloProTaskIkonu(number / 100, 0);
            kresliCisloProTaskIkonu(number / 10 % 10, 4);
            kresliCisloProTaskIkonu(number % 10, 8);
        }
        lastNumber_ = number;
    }
    return rebuild;
}

double TrayPicture::nextChange(double percent, bool graf, bool procenta) {
    percent = shownPercent(percent);
    double next = -1; // a share never goes below nothing
    if (procenta) {
        next = std::max(next, percentNumber(percent) - 0.5);
    }
    if (graf) {
        const GraphLevel level = graphLevel(percent);
        // The partial row's level steps up as its share runs out; after the last level the row is gone.
        const double scaled = isFullDisc(level)       ? 12 - 0.5 / 255
                              : level.intensity < 255 ? level.rows + 1 - (level.intensity + 0.5) / 255
                                                      : level.rows;
        if (scaled > 0) {
            next = std::max(next, scaled * 100 / 12);
        }
    }
    return next < 0 ? -1 : std::min(next, percent);
}

void TrayPicture::kresliGrafProTaskIkonu(quint8 rows, quint8 intensity) {
    lastRows_ = rows;
    lastIntensity_ = intensity;
    for (int row = 0; row < rows; ++row) {
        kresliRadekGrafuTaskIkony(static_cast<quint8>(row), 0);
    }
    kresliRadekGrafuTaskIkony(rows, intensity);
}

void TrayPicture::kresliRadekGrafuTaskIkony(quint8 row, quint8 intensity) {
    if (row >= 12) {
        return;
    }
    const int inset = row <= 2 ? 3 - row : row <= 8 ? 0 : row - 8;
    const quint32 colour = 0xFF0000FFu | quint32(intensity) << 16 | quint32(intensity) << 8;
    const int y = 13 - row;
    for (int x = inset + 2; x < TrayIconSize - 2 - inset; ++x) {
        plot(x, y, colour);
    }
}

void TrayPicture::kresliCisloProTaskIkonu(int digit, int x) {
    if (digit < 0 || digit > 9) {
        return;
    }
    const StrokePoint* previous = nullptr;
    for (const StrokePoint& p : Digits[digit].points) {
        if (previous && !p.move) {
            xorLine(previous->x + x, previous->y, p.x + x, p.y);
        }
        previous = &p;
    }
}

void TrayPicture::plot(int x, int y, quint32 colour) {
    if (x >= 0 && x < TrayIconSize && y >= 0 && y < TrayIconSize) {
        bitmap_[static_cast<size_t>(y * TrayIconSize + x)] = colour;
    }
}

void TrayPicture::xorPixel(int x, int y) {
    if (x >= 0 && x < TrayIconSize && y >= 0 && y < TrayIconSize) {
        bitmap_[static_cast<size_t>(y * TrayIconSize + x)] ^= 0x00FFFFFFu;
    }
}

void TrayPicture::xorLine(int x0, int y0, int x1, int y1) {
    // Every stroke is level, upright or at 45 degrees: one step in each moving direction per pixel.
    const int dx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0;
    const int dy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i < steps; ++i) {
        xorPixel(x0 + i * dx, y0 + i * dy);
    }
}

TrayPixels TrayPicture::image() const {
    TrayPixels out = bitmap_;
    const auto& mask = imgsIkony::maska();
    for (size_t i = 0; i < out.size(); ++i) {
        if (!mask[i]) {
            out[i] = 0;
        }
    }
    return out;
}

} // namespace tavrok
