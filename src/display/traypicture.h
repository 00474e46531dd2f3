#pragma once

#include <QtGlobal>
#include <array>

namespace tavrok {

inline constexpr int TrayIconSize = 16;
// A 16 x 16 picture, row by row, pixels as 0xAARRGGBB.
using TrayPixels = std::array<quint32, TrayIconSize * TrayIconSize>;

// The three images of imgsIkony: 0 the background behind the countdown's graph and number, 1 the
// ordinary icon, 2 the mask (opaque where the icon is, transparent around it). The two pictures have
// transparent pixels of their own, where the fill they are drawn on shows through.
namespace imgsIkony {
const TrayPixels& pozadi();
const TrayPixels& ikona();
const std::array<bool, TrayIconSize * TrayIconSize>& maska();
} // namespace imgsIkony

// The tray icon's picture: the ordinary icon, or while a countdown runs the share still to go as a
// round graph that empties row by row and as a number of per cent. Redrawn only when what it shows
// changes.
class TrayPicture {
public:
    TrayPicture();

    // The ordinary icon; the next countdown picture is drawn afresh.
    void resetToIdle();
    // Draws the share of the countdown still to go, in per cent, with the graph and/or the number.
    // True when the picture changed.
    bool kresliTaskIkonu(double percent, bool graf, bool procenta);
    // The percentage below `percent` at which the picture drawn with these layers changes next: the
    // countdown needs no redraw before it gets there. Negative when nothing changes any more.
    static double nextChange(double percent, bool graf, bool procenta);

    // The picture as shown: the mask applied, so the fill around the icon is transparent.
    TrayPixels image() const;
    // The composed bitmap before the mask, as the drawing steps leave it.
    const TrayPixels& bitmap() const { return bitmap_; }
    // Counts the changes of the picture: an output redraws when it differs from the count it drew.
    quint64 generation() const { return generation_; }

    // The drawing steps.
    void kresliGrafProTaskIkonu(quint8 rows, quint8 intensity);
    void kresliRadekGrafuTaskIkony(quint8 row, quint8 intensity);
    void kresliCisloProTaskIkonu(int digit, int x);

private:
    void rebuildBase(const TrayPixels& image);
    void plot(int x, int y, quint32 colour);
    void xorPixel(int x, int y);
    // A straight line from (x0, y0) towards (x1, y1), its end point not painted.
    void xorLine(int x0, int y0, int x1, int y1);

    TrayPixels bitmap_{};
    // None drawn (-1): the first countdown tick draws.
    int lastNumber_ = -1;
    int lastRows_ = -1;
    int lastIntensity_ = -1;
    quint64 generation_ = 0;
};

} // namespace tavrok
