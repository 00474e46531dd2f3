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
    // A file to write: `suffix` is added to a name typed without one; an existing file is replaced only
    // after the user confirms it.
    virtual QString chooseSaveFile(const QString& start, const QString& filter, const QString& suffix) = 0;
};

} // namespace tavrok
