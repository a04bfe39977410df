#pragma once

#include <QLabel>

// A one-line label that, given less room than its text needs, shows the text's beginning and an ellipsis, with
// the whole text as its tooltip. text() stays the whole text. The room a layout gives it is not bounded by its
// text's width, so a long text never pushes the dialog's other contents out of its fixed size.
class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override;
    bool IsElided() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateToolTip();
};
