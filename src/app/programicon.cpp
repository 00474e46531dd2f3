#include "app/programicon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace tavrok {

QImage drawProgramIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0); // drawn on the 256 x 256 grid of packaging/tavrok.svg
    const QColor ring(0x1f, 0x2a, 0x44);
    const QColor red(0xd0, 0x20, 0x20);
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawRoundedRect(QRectF(106, 6, 44, 26), 6, 6);
    p.drawRect(QRectF(120, 28, 16, 18));
    p.save();
    p.translate(203, 46);
    p.rotate(45);
    p.drawRoundedRect(QRectF(-13, -8, 26, 16), 5, 5);
    p.restore();
    p.drawEllipse(QPointF(128, 146), 104, 104);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(128, 146), 88, 88);
    p.setPen(QPen(ring, 10, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(128, 66), QPointF(128, 82));
    p.drawLine(QPointF(208, 146), QPointF(192, 146));
    p.drawLine(QPointF(128, 226), QPointF(128, 210));
    p.drawLine(QPointF(48, 146), QPointF(64, 146));
    p.setPen(QPen(Qt::black, 12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(128, 146), QPointF(180, 146));
    p.setPen(QPen(red, 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(128, 146), QPointF(128, 84));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawEllipse(QPointF(128, 146), 10, 10);
    return image;
}

namespace {

// The icon drawn at the size asked for, when asked. The sizes it offers are the ones the window's icon
// property carries to the desktop: a few small ones (the desktop takes larger ones from the installed
// picture), not a quarter of a megabyte for 256 x 256 pixels that every start would draw and send.
class ProgramIconEngine final : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return side > 0 ? QPixmap::fromImage(drawProgramIcon(side)) : QPixmap();
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    }
    QIconEngine* clone() const override { return new ProgramIconEngine; }
};

} // namespace

QIcon programIcon() {
    return QIcon(new ProgramIconEngine);
}

} // namespace tavrok
