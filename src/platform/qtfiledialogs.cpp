#include "platform/qtfiledialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace tavrok {

QString QtFileDialogs::chooseFile(const QString& startFolder, const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), startFolder, filter);
}

QString QtFileDialogs::chooseFolder(const QString& startFolder) {
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString(), startFolder);
}

} // namespace tavrok
