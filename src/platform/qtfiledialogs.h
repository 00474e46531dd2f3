#pragma once

#include "platform/filedialogs.h"

class QWidget;

namespace tavrok {

class QtFileDialogs final : public FileDialogs {
public:
    QString chooseFile(const QString& startFolder, const QString& filter = {}) override;
    QString chooseFolder(const QString& startFolder) override;
    QString chooseSaveFile(const QString& start, const QString& filter, const QString& suffix) override;
};

} // namespace tavrok
