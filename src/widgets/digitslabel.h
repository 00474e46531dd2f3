#pragma once

#include <QLabel>
#include <QStaticText>

#include <vector>

namespace tavrok {

// A label for running digits, whose text changes with every frame. Each character is laid out once and
// drawn from then on from that layout, so a new text costs no text shaping; characters stand side by
// side without kerning, as digits do anyway. Texts are plain; the alignment and contents margins are the
// label's, the background is always filled; a frame, margin(), indent() and style sheets are not drawn.
// Give it a fixed size where it is placed: a new text then asks nothing of the window's layout either.
class DigitsLabel : public QLabel {
public:
    explicit DigitsLabel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Glyph {
        QChar character;
        QStaticText text;
        qreal advance = 0;
    };
    const Glyph& glyph(QChar character);

    std::vector<Glyph> glyphs_; // the few characters a running time shows, each laid out once
    qreal lineHeight_ = -1;     // of the font, once it is known
};

} // namespace tavrok
