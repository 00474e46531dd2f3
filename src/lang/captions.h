#pragma once

#include <QStringView>

class QObject;
class QWidget;

namespace tavrok {

class Language;

// Applies the keys of one window section to the window: the captions of its controls and menu items,
// their hints and the window caption. A key the file lacks gives back the caption the control had
// when the window was built. Words are left to the window that uses them.
void applyCaptions(QWidget* window, const Language& language, QStringView section);

// The control of a window with that name: its own controls, menus and menu items, not those of another
// window it owns (a dialog).
QObject* findControl(QWidget* window, QStringView name);

// The caption a control shows (a button's or label's text, a group's or menu's title, a menu item's
// text); empty for other objects.
QString captionOf(const QObject* control);

} // namespace tavrok
