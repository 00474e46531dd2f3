#pragma once

#include <QLabel>

namespace tavrok {

// A label's text set only when it differs: an unchanged text costs no layout and no redraw at a tick.
inline void setTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text) {
        label->setText(text);
    }
}

} // namespace tavrok
