#pragma once

#include <QString>

namespace tavrok {

// Choosing a file or a folder; an empty result means the user cancelled. `filter` names the kinds of
// file offered, as "Obrázky (*.bmp *.jpg)"; empty for any file.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString chooseFile(const QString& startFolder, const QString& filter = {}) = 0;
    virtual QString chooseFolder(const QString& startFolder) = 0;
};

} // namespace tavrok
