#include "display/displaylayout.h"

#include <algorithm>
#include <cmath>

namespace tavrok {

namespace {

constexpr char16_t TimePattern[] = u"00:00:00,000";

int half(int v) {
    return v / 2;
}

int place(int space, int length, int alignment) {
    // 0 start, 1 centre, 2 end
    return alignment == 0 ? 0 : alignment == 1 ? half(space - length) : space - length;
}

int roundHalfEven(double v) {
    return static_cast<int>(std::clamp(std::nearbyint(v), -1e9, 1e9));
}

} // namespace

bool isTimeSeparator(int position) {
    return position == 2 || position == 5 || position == 8;
}

bool isLabelVisible(const VisibleRange& range, int label) {
    if (label == LabelDays) {
        return range.dny;
    }
    if (label == LabelDaySeparator) {
        return range.oddelovac;
    }
    const int p = label - FirstTimeLabel;
    return range.od <= p && p < range.do_;
}

QString templateDayPart(const QString& dayString, QChar c, const VisibleRange& range) {
    if (range.dny) {
        if (dayString.size() >= 3 && dayString[2] == u'.') {
            return QString(2, c) + u'.' + QString(2, c) + u'.' + QString(4, c) + u' ';
        }
        return QString(std::max<qsizetype>(dayString.size() - 1, 0), c) + u';';
    }
    return range.oddelovac ? QStringLiteral(" ") : QString();
}

QString vytvorMatrici(const QString& dayString, QChar c, const VisibleRange& range) {
    QString time;
    for (int p = std::max(range.od, 0); p < std::min(range.do_, 12); ++p) {
        time += isTimeSeparator(p) ? QChar(TimePattern[p]) : c;
    }
    return templateDayPart(dayString, c, range) + time;
}

std::array<QString, DisplayLabelCount> labelTexts(const QString& dayString, const QString& hours,
                                                  const QString& minutes, const QString& seconds,
                                                  const QString& millis) {
    std::array<QString, DisplayLabelCount> t;
    t[LabelDays] = dayString.left(std::max<qsizetype>(dayString.size() - 1, 0));
    t[LabelDaySeparator] = dayString.right(1);
    const QString time = hours.rightJustified(2, u'0').right(2) + u':' + minutes.rightJustified(2, u'0').right(2) +
                         u':' + seconds.rightJustified(2, u'0').right(2) + u',' +
                         millis.rightJustified(3, u'0').right(3);
    for (int p = 0; p < 12; ++p) {
        t[static_cast<size_t>(FirstTimeLabel + p)] = time.mid(p, 1);
    }
    return t;
}

QRect placePicture(QSize client, QSize picture, PictureSizing sizing, Alignment a) {
    const int cw = client.width();
    const int ch = client.height();
    const int pw = std::max(picture.width(), 1);
    const int ph = std::max(picture.height(), 1);
    const int hAlign = static_cast<int>(a.h);
    const int vAlign = static_cast<int>(a.v);
    switch (sizing) {
    case PictureSizing::Roztahnout:
        return {0, 0, cw, ch};
    case PictureSizing::ZachVelikost:
        return {place(cw, pw, hAlign), place(ch, ph, vAlign), pw, ph};
    case PictureSizing::ZachProporce:
    case PictureSizing::Oriznout: {
        // Relatively taller than the window: the heights meet when fitting, the widths when covering.
        const bool taller = static_cast<double>(ph) / pw > static_cast<double>(ch) / std::max(cw, 1);
        const bool fullHeight = sizing == PictureSizing::ZachProporce ? taller : !taller;
        if (fullHeight) {
            const int w = roundHalfEven(static_cast<double>(pw) * ch / ph);
            return {place(cw, w, hAlign), 0, w, ch};
        }
        const int h = roundHalfEven(static_cast<double>(ph) * cw / pw);
        return {0, place(ch, h, vAlign), cw, h};
    }
    }
    return {0, 0, cw, ch};
}

DisplayLayout layOutText(const DisplayLayoutInput& in, const MeasureText& measure) {
    const QRect clientRect(QPoint(0, 0), in.client);
    const QRect parent = in.parentIsPicture && in.pictureShown ? in.picture : clientRect;
    DisplayLayout l;
    int offsetLeft = 0;
    int offsetTop = 0;
    if (in.relative) {
        l.fontHeight = roundHalfEven(in.size * parent.height() / 100);
        offsetLeft = roundHalfEven(in.left * parent.width() / 100);
        offsetTop = roundHalfEven(in.top * parent.height() / 100);
    } else {
        l.fontHeight = roundHalfEven(in.size);
        offsetLeft = roundHalfEven(in.left);
        offsetTop = roundHalfEven(in.top);
    }
    l.fontHeight = std::max(l.fontHeight, 1);
    const int hAlign = static_cast<int>(in.textAlignment.h);
    const int vAlign = static_cast<int>(in.textAlignment.v);
    const auto placeText = [&] {
        l.textWidth = measure(in.matrix, l.fontHeight);
        l.top = parent.top() + place(parent.height(), l.fontHeight, vAlign) + offsetTop;
        l.left = parent.left() + place(parent.width(), l.textWidth, hAlign) + offsetLeft;
    };
    placeText();
    if (in.edges == EdgeRule::Presahovat) {
        return l;
    }
    // The text keeps inside the bound: pushed in from the top and the left, and made smaller by what
    // still reaches past the bottom and the right.
    const QRect bound = in.edges == EdgeRule::NepresahovatOkno ? clientRect : parent;
    l.top = std::max(l.top, bound.top());
    const int bottomOver = l.top + l.fontHeight - (bound.top() + bound.height());
    if (bottomOver > 0) {
        l.fontHeight = std::max(l.fontHeight - bottomOver, 1);
        l.textWidth = measure(in.matrix, l.fontHeight);
    }
    l.left = std::max(l.left, bound.left());
    const int rightOver = l.left + l.textWidth - (bound.left() + bound.width());
    if (rightOver > 0 && l.textWidth > 0) {
        l.fontHeight = std::max(
            static_cast<int>(std::floor(static_cast<double>(l.fontHeight) * (l.textWidth - rightOver) / l.textWidth)),
            1);
    }
    // The smaller text is aligned again as chosen, and kept inside: a width that does not shrink in
    // proportion to the height (glyphs are fitted to whole pixels) takes a step more.
    placeText();
    while (l.textWidth > bound.width() && l.fontHeight > 1) {
        --l.fontHeight;
        placeText();
    }
    l.top = std::max(std::min(l.top, bound.top() + bound.height() - l.fontHeight), bound.top());
    l.left = std::max(std::min(l.left, bound.left() + bound.width() - l.textWidth), bound.left());
    return l;
}

std::array<LabelPlace, DisplayLabelCount> placeLabels(int left, int height, const VisibleRange& range,
                                                      const QString& dayPart, QChar c,
                                                      const std::array<QString, DisplayLabelCount>& texts,
                                                      const MeasureText& measure) {
    std::array<LabelPlace, DisplayLabelCount> places{};
    const int digit = measure(QString(c), height);
    int x = left;
    for (int label = 0; label < DisplayLabelCount; ++label) {
        int width = 0;
        if (isLabelVisible(range, label)) {
            if (label == LabelDays) {
                width = measure(dayPart.left(std::max<qsizetype>(dayPart.size() - 1, 0)), height);
            } else if (label == LabelDaySeparator || isTimeSeparator(label - FirstTimeLabel)) {
                width = measure(texts[static_cast<size_t>(label)], height);
            } else {
                width = digit;
            }
        }
        places[static_cast<size_t>(label)] = {x, width};
        x += width;
    }
    return places;
}

} // namespace tavrok
