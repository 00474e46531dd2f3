#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QString>

namespace tavrok {

// Creates a control of a window at its place in the layout, named as the program's texts and tests
// address it (objectName), with its caption when it has one.
template <typename W>
W* makeNamed(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

template <typename W>
W* makeNamed(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h) {
    W* widget = makeNamed<W>(parent, name, x, y, w, h);
    if constexpr (std::is_base_of_v<QAbstractButton, W> || std::is_base_of_v<QLabel, W>) {
        widget->setText(caption);
    } else if constexpr (std::is_base_of_v<QGroupBox, W>) {
        widget->setTitle(caption);
    }
    return widget;
}

template <typename W>
W* makeNamed(QWidget* parent, const char* name, const char16_t* caption, int x, int y, int w, int h) {
    return makeNamed<W>(parent, name, caption ? QString::fromUtf16(caption) : QString(), x, y, w, h);
}

} // namespace tavrok
