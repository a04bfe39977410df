#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

// Qt's file dialogs, passed through.
QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                        QString* selectedFilter = nullptr, QFileDialog::Options options = QFileDialog::Options());
QStringList GetOpenFileNames(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                             QString* selectedFilter = nullptr, QFileDialog::Options options = QFileDialog::Options());
QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                        QString* selectedFilter = nullptr, QFileDialog::Options options = QFileDialog::Options());
QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& folder,
                             QFileDialog::Options options = QFileDialog::ShowDirsOnly);
