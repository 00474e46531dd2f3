#include "app/digitinput.h"

#include "app/digiteditor.h"
#include "app/programstate.h"
#include "widgets/namedwidget.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

namespace tavrok {

int typedDigit(const QKeyEvent& key) {
    if (key.modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return -1;
    }
    const QString text = key.text();
    if (text.size() == 1 && text[0] >= u'0' && text[0] <= u'9') {
        return text[0].unicode() - u'0';
    }
    const int k = key.key();
    return k >= Qt::Key_0 && k <= Qt::Key_9 ? k - Qt::Key_0 : -1;
}

DigitInput::DigitInput(ProgramState& state, Digits digits, std::function<bool()> editorFocused, QWidget* parent)
    : QObject(parent), state_(state), digits_(digits), editorFocused_(std::move(editorFocused)) {
    pnlEditovanaCislice = makeNamed<QFrame>(parent, "pnlEditovanaCislice", 117, 62, 16, 3);
    pnlEditovanaCislice->setAutoFillBackground(true);
    upDown1 = makeNamed<QWidget>(parent, "upDown1", 135, 67, 32, 16);
    auto* layout = new QHBoxLayout(upDown1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const auto arrow : {Qt::LeftArrow, Qt::RightArrow}) {
        auto* b = new QToolButton(upDown1);
        b->setObjectName(arrow == Qt::LeftArrow ? QStringLiteral("upDown1Left") : QStringLiteral("upDown1Right"));
        b->setArrowType(arrow);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, arrow] { moveBy(arrow == Qt::LeftArrow ? -1 : 1); });
    }
}

bool DigitInput::visible() const {
    return !pnlEditovanaCislice->isHidden();
}

void DigitInput::setVisible(bool visible) {
    const bool was = this->visible();
    pnlEditovanaCislice->setVisible(visible);
    if (visible && !was) {
        position_ = 1;
        uD1Click();
    }
}

void DigitInput::setArrows(bool shown, bool enabled) {
    upDown1->setVisible(shown);
    upDown1->setEnabled(enabled);
}

void DigitInput::moveBy(int step) {
    position_ += step;
    uD1Click();
}

void DigitInput::uD1Click() {
    emit markerMoved();
    position_ = digits::wrap(position_);
    const QLabel* label = position_ <= 2 ? digits_.lblH : position_ <= 4 ? digits_.lblM : digits_.lblS;
    pnlEditovanaCislice->move(label->x() + (position_ % 2 == 1 ? 1 : 19), pnlEditovanaCislice->y());
    paintMarker();
}

void DigitInput::paintMarker() {
    const QColor colour = editorFocused_() ? QColor(Qt::black) : QColor(Qt::red);
    if (pnlEditovanaCislice->palette().color(QPalette::Window) != colour) {
        QPalette p = pnlEditovanaCislice->palette();
        p.setColor(QPalette::Window, colour);
        pnlEditovanaCislice->setPalette(p);
    }
}

bool DigitInput::takesKeys() const {
    return visible() && !editorFocused_();
}

void DigitInput::apply(bool changed) {
    if (changed) {
        emit edited();
    }
}

bool DigitInput::keyPress(QKeyEvent* key) {
    if (!takesKeys()) {
        return false;
    }
    const int k = key->key();
    if (k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down) {
        return true; // they act on release
    }
    const int d = typedDigit(*key);
    if (d < 0) {
        return false;
    }
    TDigits t = state_.editableDigits();
    if (digits::typeDigit(t, position_, d)) {
        state_.setEditedDigits(t);
        moveBy(1);
        apply(true);
    }
    return true;
}

bool DigitInput::keyRelease(QKeyEvent* key) {
    if (!takesKeys()) {
        return false;
    }
    switch (key->key()) {
    case Qt::Key_Left:
        moveBy(-1);
        return true;
    case Qt::Key_Right:
        moveBy(1);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        TDigits t = state_.editableDigits();
        if (key->key() == Qt::Key_Up ? digits::raise(t, position_) : digits::lower(t, position_)) {
            state_.setEditedDigits(t);
            apply(true);
        }
        return true;
    }
    default:
        return typedDigit(*key) >= 0;
    }
}

int DigitInput::positionUnderMouse(QLabel* label, QMouseEvent* event) const {
    const int tens = label == digits_.lblH ? 1 : label == digits_.lblM ? 3 : 5;
    return event->position().x() < label->width() / 2.0 ? tens : tens + 1;
}

void DigitInput::lblHMouseDown(QLabel* label, QMouseEvent* event) {
    if (!visible()) {
        return;
    }
    emit markerMoved();
    const int position = positionUnderMouse(label, event);
    if (position != position_) {
        position_ = position;
        uD1Click();
        return;
    }
    const int delta = event->button() == Qt::LeftButton ? +1 : event->button() == Qt::RightButton ? -1 : 0;
    if (delta == 0) {
        return;
    }
    TDigits t = state_.editableDigits();
    const bool changed = digits::upravDisplej(t, position, delta, false, state_.function() == Funkce::Budik);
    if (changed) {
        state_.setEditedDigits(t);
    }
    apply(changed);
}

void DigitInput::lblHClick(QLabel* label, QMouseEvent* event) {
    if (!visible()) {
        return;
    }
    emit focusDigits(); // no edit keeps the focus: the digits take the keys
    position_ = positionUnderMouse(label, event);
    uD1Click();
}

} // namespace tavrok
