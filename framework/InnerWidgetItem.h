#pragma once

#include <QWidgetItem>

// The place of a frame's inner widget in the frame's layout: the item claims all the room below the
// title bar; the widget takes as much of it as its maximum size allows and sits centred in the rest
// (a fixed-size dialog in a wider frame). A plain centred layout would instead shrink a resizable
// window to its size hint and leave it small when the frame grows.
class InnerWidgetItem : public QWidgetItem {
public:
    explicit InnerWidgetItem(QWidget* widget);

    QSize maximumSize() const override;
    Qt::Orientations expandingDirections() const override;
    void setGeometry(const QRect& rect) override;
};
