// The separate display's own window controls, the mouse over it, and the preview's handles.
#include "display/tfrmdisplej.h"

#include "display/edgesnapper.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace tavrok {

QImage TfrmDisplej::controlPicture(char which) {
    QImage image(ControlSize, ControlSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(QColor(0xF0, 0xF0, 0xF0));
    p.drawRect(0, 0, 15, 15);
    p.setPen(QPen(Qt::black, 2));
    switch (which) {
    case 'n': // minimise
        p.drawLine(4, 11, 11, 11);
        break;
    case 'x': // maximise
        p.drawRect(4, 4, 7, 7);
        break;
    case 'o': // restore
        p.drawRect(3, 6, 6, 6);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(6, 3, 12, 3);
        p.drawLine(12, 3, 12, 9);
        break;
    case 'z': // close
        p.drawLine(4, 4, 11, 11);
        p.drawLine(11, 4, 4, 11);
        break;
    default: // the corner grip
        image.fill(Qt::transparent);
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
        for (int i = 0; i < 3; ++i) {
            p.drawLine(15 - 4 * i - 3, 15, 15, 15 - 4 * i - 3);
        }
        break;
    }
    return image;
}

void TfrmDisplej::setHighlight(bool on, const QColor& colour) {
    const bool changed = on != highlight_ || (on && colour != highlightColour_);
    highlight_ = on;
    highlightColour_ = colour;
    for (QLabel* l : labels_) {
        l->setAutoFillBackground(on);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, on ? colour : palette().color(QPalette::Window));
        l->setPalette(p);
    }
    if (changed) {
        updateTransparency(); // the cells now show or are see-through: the window's shape follows
    }
}

void TfrmDisplej::setSizeHandle(bool shown) {
    pnlVelikost->setVisible(shown);
    previewEditing_ = shown;
}

QRect TfrmDisplej::textRect() const {
    QRect r;
    for (const QLabel* l : labels_) {
        if (l->isVisible()) {
            r |= l->geometry();
        }
    }
    return r;
}

void TfrmDisplej::shiftText(QPoint delta, int heightChange) {
    // Dragged in the preview: the labels follow the mouse until the dialog applies the new values.
    if (heightChange != 0) {
        const int height = std::max(layout_.fontHeight + heightChange, 1);
        const QFont font = fontForHeight(height);
        const QChar c = templateChar_;
        const auto texts = labelTexts(text_.dayString, text_.hours, text_.minutes, text_.seconds, text_.millis);
        const auto places =
            placeLabels(layout_.left, height, settings_.rozsah, templateDayPart(text_.dayString, c, settings_.rozsah), c,
                        texts, [this](const QString& t, int h) { return sirkaTextu(t, h); });
        for (size_t i = 0; i < labels_.size(); ++i) {
            labels_[i]->setFont(font);
            labels_[i]->setGeometry(places[i].left, layout_.top, std::max(places[i].width, 1), height);
        }
        pnlVelikost->move(pnlVelikost->x(), layout_.top + height);
        return;
    }
    for (QLabel* l : labels_) {
        l->move(l->pos() + delta);
    }
    pnlVelikost->move(pnlVelikost->pos() + delta);
}

void TfrmDisplej::setPickerCursor(bool on) {
    if (on && !picking_) {
        cursorBeforePicker_ = cursor();
        setCursor(Qt::CrossCursor);
    } else if (!on && picking_) {
        setCursor(cursorBeforePicker_);
    }
    picking_ = on;
}

// ---- the window's own controls and the mouse (simplified frame)

void TfrmDisplej::showControls() {
    if (locked_) {
        return;
    }
    const bool maximised = isMaximized();
    const bool wereHidden = imgMin->isHidden();
    imgMin->show();
    imgZav->show();
    imgObn->setVisible(maximised);
    imgMax->setVisible(!maximised);
    imgRoh->setVisible(!maximised);
    if (!picking_) {
        setCursor(maximised ? Qt::ArrowCursor : Qt::SizeAllCursor);
    }
    tmrSkrytOvladani->start();
    if (wereHidden) {
        updateTransparency(controlsArea());
    }
}

QRect TfrmDisplej::controlsArea() const {
    return imgMin->geometry() | imgObn->geometry() | imgMax->geometry() | imgZav->geometry() | imgRoh->geometry();
}

void TfrmDisplej::tmrSkrytOvladaniTimer() {
    if (previewEditing_) {
        return; // the settings dialog is previewing: the controls stay
    }
    for (QWidget* w : std::initializer_list<QWidget*>{imgMin, imgMax, imgObn, imgZav, imgRoh}) {
        w->hide();
    }
    if (settings_.skrytKurzor && !locked_ && !picking_) {
        setCursor(Qt::BlankCursor);
    }
    updateTransparency(controlsArea());
}

void TfrmDisplej::toggleMaximised() {
    if (isMaximized()) {
        showNormal();
    } else {
        showMaximized();
    }
    showControls();
}

void TfrmDisplej::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && previewEditing_) {
        // Previewing: the text and its size bar are handles, also when the window is locked.
        if (pnlVelikost->isVisible() && pnlVelikost->geometry().contains(at)) {
            drag_ = Drag::TextSize;
        } else if (textRect().contains(at)) {
            drag_ = Drag::Text;
        }
        if (drag_ != Drag::None) {
            dragStart_ = event->globalPosition().toPoint();
            dragLast_ = dragStart_;
            return;
        }
    }
    if (event->button() != Qt::LeftButton || locked_) {
        return;
    }
    for (QWidget* control : std::initializer_list<QWidget*>{imgMin, imgMax, imgObn, imgZav}) {
        if (control->isVisible() && control->geometry().contains(at)) {
            return; // a click on a control acts on release
        }
    }
    if (isMaximized()) {
        return;
    }
    drag_ = imgRoh->isVisible() && imgRoh->geometry().contains(at) ? Drag::Resize : Drag::Move;
    dragStart_ = event->globalPosition().toPoint();
    dragLast_ = dragStart_;
    dragGeometry_ = geometry();
}

void TfrmDisplej::mouseMoveEvent(QMouseEvent* event) {
    const QPoint delta = event->globalPosition().toPoint() - dragStart_;
    switch (drag_) {
    case Drag::None:
        showControls();
        break;
    case Drag::Move: {
        QPoint to = dragGeometry_.topLeft() + delta;
        if (settings_.magnetovat) {
            to = spocitejMagnety(to, size(), size(), snapEdgesFor(this));
        }
        move(to);
        break;
    }
    case Drag::Resize:
        resize(std::max(dragGeometry_.width() + delta.x(), minimumWidth()),
               std::max(dragGeometry_.height() + delta.y(), minimumHeight()));
        break;
    case Drag::Text:
        shiftText(event->globalPosition().toPoint() - dragLast_, 0);
        break;
    case Drag::TextSize:
        // The bar stays below the top of the text.
        shiftText({}, std::max(delta.y(), 1 - layout_.fontHeight));
        break;
    }
    dragLast_ = event->globalPosition().toPoint();
}

void TfrmDisplej::mouseReleaseEvent(QMouseEvent* event) {
    const Drag drag = drag_;
    const bool wasDragging = drag_ != Drag::None;
    drag_ = Drag::None;
    const QPoint delta = event->globalPosition().toPoint() - dragStart_;
    if (drag == Drag::Text) {
        if (!delta.isNull()) {
            emit textMoved(delta, parentSize_);
        }
        return;
    }
    if (drag == Drag::TextSize) {
        if (delta.y() != 0) {
            emit textResized(std::max(layout_.fontHeight + delta.y(), 1), parentSize_);
        }
        return;
    }
    if (event->button() != Qt::LeftButton || locked_) {
        return;
    }
    if (wasDragging) {
        tmrSkrytOvladani->start();
        return;
    }
    const QPoint at = event->position().toPoint();
    const auto on = [&](QWidget* control) { return control->isVisible() && control->geometry().contains(at); };
    if (on(imgMin)) {
        showMinimized();
    } else if (on(imgMax) || on(imgObn)) {
        toggleMaximised();
    } else if (on(imgZav)) {
        hide();
    }
}

void TfrmDisplej::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !locked_) {
        drag_ = Drag::None;
        toggleMaximised();
    }
}

} // namespace tavrok
