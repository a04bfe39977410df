#pragma once

#include <QMap>
#include <QPixmap>
#include <QToolButton>

// A tool button that paints its skin state picture as its icon.
class MyToolButton : public QToolButton {
    Q_OBJECT

public:
    explicit MyToolButton(QWidget* parent = nullptr);

    const QMap<int, QPixmap>& statePixmaps() const { return m_pixmaps; }

public slots:
    void changeIcon(const QString& name);
    void changeIcon();
    void setToolButtonStyle(Qt::ToolButtonStyle style);
    void SetLimitPixmap(const QPixmap* pixmap);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QMap<int, QPixmap> m_pixmaps;
    int m_toolButtonStyle = Qt::ToolButtonIconOnly;
    const QPixmap* m_limit = nullptr;
};
