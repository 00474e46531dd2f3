#include "widgets/digitslabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace tavrok {

DigitsLabel::DigitsLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    // The background is filled with the digits, by one painter rather than two.
    setAutoFillBackground(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

const DigitsLabel::Glyph& DigitsLabel::glyph(QChar character) {
    const auto known = std::find_if(glyphs_.begin(), glyphs_.end(),
                                    [character](const Glyph& g) { return g.character == character; });
    if (known != glyphs_.end()) {
        return *known;
    }
    Glyph g{character, QStaticText(QString(character)), QFontMetricsF(font()).horizontalAdvance(character)};
    g.text.setTextFormat(Qt::PlainText);
    g.text.prepare(QTransform(), font());
    glyphs_.push_back(std::move(g));
    return glyphs_.back();
}

void DigitsLabel::paintEvent(QPaintEvent*) {
    const QString shown = text();
    qreal width = 0;
    for (const QChar c : shown) {
        width += glyph(c).advance;
    }
    const QRect r = contentsRect();
    const Qt::Alignment a = QStyle::visualAlignment(layoutDirection(), alignment());
    if (lineHeight_ < 0) {
        lineHeight_ = QFontMetricsF(font()).height();
    }
    const qreal height = lineHeight_;
    qreal x = r.left();
    if (a & Qt::AlignRight) {
        x = r.right() + 1 - width;
    } else if (a & Qt::AlignHCenter) {
        x = r.left() + (r.width() - width) / 2;
    }
    qreal y = r.top();
    if (a & Qt::AlignBottom) {
        y = r.bottom() + 1 - height;
    } else if (a & Qt::AlignVCenter) {
        y = r.top() + (r.height() - height) / 2;
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().brush(backgroundRole()));
    painter.setPen(palette().color(foregroundRole())); // of the window's state: active, inactive, disabled
    for (const QChar c : shown) {
        const Glyph& g = glyph(c);
        painter.drawStaticText(QPointF(std::round(x), std::round(y)), g.text);
        x += g.advance;
    }
}

void DigitsLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        glyphs_.clear();
        lineHeight_ = -1;
    }
    QLabel::changeEvent(event);
}

} // namespace tavrok
