#pragma once

#include "ui_AboutView.h"

#include <QDialog>
#include <QString>

// The about dialog: the product's name, icon and version, its support and website links and the maker's
// copyright line. The version and links come from the edition data; a link opens in the browser only when
// it is a web address.
class MyAboutView : public QDialog, public Ui_AboutView {
    Q_OBJECT
public:
    MyAboutView(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~MyAboutView() override;

    void Retranslate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void InitTexts();
    void ShowEditionTexts();
    void SetSizes();
    void SetStyleKeys();
    void SetProductIcon();
    void OpenLink(const QString& link);
};
