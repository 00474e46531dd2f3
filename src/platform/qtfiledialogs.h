#pragma once

#include "platform/filedialogs.h"

class QWidget;

namespace tavrok {

class QtFileDialogs final : public FileDialogs {
public:
    QString chooseFile(const QString& startFolder, const QString& filter = {}) override;
    QString chooseFolder(const QString& startFolder) override;
};

} // namespace tavrok
