#include "platform/qtfiledialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace tavrok {

QString QtFileDialogs::chooseFile(const QString& startFolder) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), startFolder);
}

QString QtFileDialogs::chooseFolder(const QString& startFolder) {
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString(), startFolder);
}

} // namespace tavrok
