#pragma once

#include "platform/trayhost.h"

#include <QImage>
#include <QMenu>
#include <QString>

namespace tavrok::test {

// A notification area that keeps what it was given and counts the hand-overs.
class FakeTray final : public TrayHost {
public:
    bool hasArea = true;
    bool visible = false;
    QImage picture;
    QString toolTip;
    QMenu* menu = nullptr;
    int pictures = 0;
    int toolTips = 0;

    bool available() const override { return hasArea; }
    void setPicture(const QImage& p) override {
        picture = p;
        ++pictures;
    }
    void setToolTip(const QString& t) override {
        toolTip = t;
        ++toolTips;
    }
    void setMenu(QMenu* m) override { menu = m; }
    bool show() override {
        visible = hasArea;
        return visible;
    }
    void hide() override { visible = false; }
    void doubleClick() {
        if (onDoubleClick) {
            onDoubleClick();
        }
    }
};

} // namespace tavrok::test
