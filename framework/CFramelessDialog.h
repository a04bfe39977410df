#pragma once

#include <QDialog>

class QLayout;

// A translucent frameless dialog whose style sheet draws its background and border.
class CFramelessDialog : public QDialog {
    Q_OBJECT
public:
    explicit CFramelessDialog(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

    void SetContentLayout(QLayout* layout);
    void SetIcon(const QIcon& icon);
    QWidget* ContentWidget() const { return m_content; }

public slots:
    void setWindowTitle(const QString& windowTitle);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* m_content;
};
