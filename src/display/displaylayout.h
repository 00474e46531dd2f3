#pragma once

#include "display/displaysettings.h"

#include <QRect>
#include <QString>
#include <array>
#include <functional>

namespace tavrok {

// The fourteen character labels, left to right: the days, the day separator and the twelve positions
// of "00:00:00,000".
inline constexpr int DisplayLabelCount = 14;
inline constexpr int LabelDays = 0;
inline constexpr int LabelDaySeparator = 1;
inline constexpr int FirstTimeLabel = 2;

// Whether a label shows under the visible range.
bool isLabelVisible(const VisibleRange& range, int label);
// The separators of the time pattern: ':' at 2 and 5, ',' at 8.
bool isTimeSeparator(int position);

// The measuring template: the widest text the display can show with this day string, made of the
// widest digit `c`.
QString vytvorMatrici(const QString& dayString, QChar c, const VisibleRange& range);
// The day part of a template (what the day label and the day separator take), and the time part.
QString templateDayPart(const QString& dayString, QChar c, const VisibleRange& range);

// What a label shows of a day string and the four parts: "0;" "00" "00" "00" "000".
std::array<QString, DisplayLabelCount> labelTexts(const QString& dayString, const QString& hours,
                                                  const QString& minutes, const QString& seconds,
                                                  const QString& millis);

// The picture's rectangle in a client area.
QRect placePicture(QSize client, QSize picture, PictureSizing sizing, Alignment alignment);

// Width in pixels of a text in the display font at a height in pixels.
using MeasureText = std::function<int(const QString& text, int height)>;

struct DisplayLayoutInput {
    QSize client;
    bool pictureShown = false;
    QRect picture; // where the picture lies, when shown
    bool parentIsPicture = false;
    Alignment textAlignment;
    bool relative = true;
    double left = 0;
    double top = 0;
    double size = 100;
    EdgeRule edges = EdgeRule::NepresahovatOkno;
    QString matrix; // the measuring template
};

struct DisplayLayout {
    int fontHeight = 0;
    int left = 0;
    int top = 0;
    int textWidth = 0;
};

// The text's height and place in the window, the edge rule applied.
DisplayLayout layOutText(const DisplayLayoutInput& in, const MeasureText& measure);

// The left edge and width of every label, placed one after another from `left`; hidden labels get a
// width of 0 at the place where they would start.
struct LabelPlace {
    int left = 0;
    int width = 0;
};
std::array<LabelPlace, DisplayLabelCount> placeLabels(int left, int height, const VisibleRange& range,
                                                      const QString& dayPart, QChar c,
                                                      const std::array<QString, DisplayLabelCount>& texts,
                                                      const MeasureText& measure);

} // namespace tavrok
