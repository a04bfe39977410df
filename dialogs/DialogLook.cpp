#include "DialogLook.h"

#include "framework/SkinManager.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace {

// The style polishes a widget before it is shown and before it is told of a new style; both events come
// after the style sheet's bounds were set.
class FixedSizeKeeper : public QObject {
public:
    FixedSizeKeeper(QWidget* widget, int width, int height) : QObject(widget), m_width(width), m_height(height) {
        widget->installEventFilter(this);
        Apply(widget);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::StyleChange)
            Apply(static_cast<QWidget*>(watched));
        return false;
    }

private:
    void Apply(QWidget* widget) const { SetScaledFixedSize(widget, m_width, m_height); }

    int m_width;
    int m_height;
};

} // namespace

void SetScaledFixedSize(QWidget* widget, int width, int height) {
    widget->setFixedSize(UiScaled(width), UiScaled(height));
}

void KeepScaledFixedSize(QWidget* widget, int width, int height) {
    new FixedSizeKeeper(widget, width, height);
}

void PaintTopLine(QWidget* dialog) {
    QPainter painter(dialog);
    painter.setPen(QPen(Qt::gray, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawLine(0, 0, dialog->width(), 0);
}

bool IsWebAddress(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}
