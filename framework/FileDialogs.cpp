#include "FileDialogs.h"

QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                        QString* selectedFilter, QFileDialog::Options options) {
    return QFileDialog::getOpenFileName(parent, caption, folder, filter, selectedFilter, options);
}

QStringList GetOpenFileNames(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                             QString* selectedFilter, QFileDialog::Options options) {
    return QFileDialog::getOpenFileNames(parent, caption, folder, filter, selectedFilter, options);
}

QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                        QString* selectedFilter, QFileDialog::Options options) {
    return QFileDialog::getSaveFileName(parent, caption, folder, filter, selectedFilter, options);
}

QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& folder,
                             QFileDialog::Options options) {
    return QFileDialog::getExistingDirectory(parent, caption, folder, options);
}
