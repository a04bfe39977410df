#pragma once

#include <QList>
#include <QPixmap>
#include <QRect>
#include <QSlider>

// A slider that shows a mark picture at chosen positions.
class ChaterSlider : public QSlider {
    Q_OBJECT

public:
    struct Mark {
        int position = 0;
        QRect rect;
        bool operator==(const Mark& other) const { return position == other.position && rect == other.rect; }
    };

    explicit ChaterSlider(QWidget* parent = nullptr);
    explicit ChaterSlider(Qt::Orientation orientation, QWidget* parent = nullptr);

    void addMark(int position);
    void removeMark(int position);
    void clearMarks();
    void setMarkPixmap(const QPixmap& pixmap);
    const QList<Mark>& marks() const { return m_marks; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect MarkRect(int position, int width) const;

    QPixmap m_markPixmap;
    QList<Mark> m_marks;
};
