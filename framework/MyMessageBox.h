#pragma once

#include "CMessageBox.h"

#include <QMessageBox>

// The message box body with the operations that fill it: title, text, detail and the set of
// standard buttons with their texts.
class MyMessageBox : public CMessageBox {
    Q_OBJECT
public:
    explicit MyMessageBox(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    MyMessageBox(const QString& title, const QString& text, QMessageBox::StandardButtons buttons,
                 QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    MyMessageBox(const QString& title, const QString& text, QWidget* parent = nullptr,
                 Qt::WindowFlags flags = Qt::WindowFlags());
    MyMessageBox(const QString& title, const QString& text, const QString& detail, QMessageBox::StandardButtons buttons,
                 QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    MyMessageBox(const QString&, const QString&, const QString&, const QString&, QWidget* parent,
                 Qt::WindowFlags flags = Qt::WindowFlags());

    void SetTitle(const QString& title);
    void SetText(const QString& text);
    void SetDetailText(const QString& detail);
    void SetStandardButtons(QMessageBox::StandardButtons buttons);
    void SetButtonText(QMessageBox::StandardButton button, const QString& text);
};
