#pragma once

#include <functional>

class QImage;
class QMenu;
class QString;

namespace tavrok {

// The desktop's notification area: one icon with a picture, a tooltip and a context menu.
class TrayHost {
public:
    virtual ~TrayHost() = default;
    // Whether the desktop has a notification area now.
    virtual bool available() const = 0;
    virtual void setPicture(const QImage& picture) = 0;
    virtual void setToolTip(const QString& text) = 0;
    // The menu a right click opens; owned by the caller.
    virtual void setMenu(QMenu* menu) = 0;
    // Adds the icon to the area; false when the area is not there.
    virtual bool show() = 0;
    virtual void hide() = 0;

    // A double click on the icon. A single left click means nothing.
    std::function<void()> onDoubleClick;
};

} // namespace tavrok
