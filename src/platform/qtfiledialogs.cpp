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

QString QtFileDialogs::chooseSaveFile(const QString& start, const QString& filter, const QString& suffix) {
    QFileDialog dialog(QApplication::activeWindow(), QString(), start, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

} // namespace tavrok
