#include "FrameGeometry.h"

#include <QtGlobal>

int hitTestBorder(const QPoint& point, const QSize& frameSize, bool maximised, int border) {
    if (maximised)
        return HTCLIENT;
    const int b = border;
    const int w = frameSize.width();
    const int h = frameSize.height();
    // The corners come first so that a point in a corner square resizes both ways.
    const struct {
        QRect rect;
        int code;
    } areas[] = {
        {QRect(0, 0, b, b), HTTOPLEFT},
        {QRect(0, b, b, h - 2 * b), HTLEFT},
        {QRect(w - b, 0, b, b), HTTOPRIGHT},
        {QRect(w - b, b, b, h - 2 * b), HTRIGHT},
        {QRect(b, 0, w - 2 * b, b), HTTOP},
        {QRect(0, h - b, b, b), HTBOTTOMLEFT},
        {QRect(w - b, h - b, b, b), HTBOTTOMRIGHT},
        {QRect(b, h - b, w - 2 * b, b), HTBOTTOM},
    };
    for (const auto& area : areas) {
        if (area.rect.contains(point))
            return area.code;
    }
    return HTCLIENT;
}

Qt::Edges EdgesForHitCode(int code) {
    switch (code) {
    case HTLEFT:
        return Qt::LeftEdge;
    case HTRIGHT:
        return Qt::RightEdge;
    case HTTOP:
        return Qt::TopEdge;
    case HTBOTTOM:
        return Qt::BottomEdge;
    case HTTOPLEFT:
        return Qt::TopEdge | Qt::LeftEdge;
    case HTTOPRIGHT:
        return Qt::TopEdge | Qt::RightEdge;
    case HTBOTTOMLEFT:
        return Qt::BottomEdge | Qt::LeftEdge;
    case HTBOTTOMRIGHT:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

Qt::CursorShape CursorForHitCode(int code) {
    return CursorForEdges(EdgesForHitCode(code));
}

Qt::CursorShape CursorForEdges(Qt::Edges edges) {
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        // Top left and bottom right resize along the falling diagonal.
        const bool top = edges & Qt::TopEdge;
        const bool left = edges & Qt::LeftEdge;
        return top == left ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (horizontal)
        return Qt::SizeHorCursor;
    if (vertical)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

Qt::Edges ResizableEdges(Qt::Edges edges, const QSize& minimum, const QSize& maximum) {
    if (minimum.width() >= maximum.width())
        edges &= ~(Qt::LeftEdge | Qt::RightEdge);
    if (minimum.height() >= maximum.height())
        edges &= ~(Qt::TopEdge | Qt::BottomEdge);
    return edges;
}

QPoint CentredTopLeft(const QRect& anchor, const QSize& size) {
    return anchor.topLeft() + QPoint((anchor.width() - size.width()) / 2, (anchor.height() - size.height()) / 2);
}

static int KeepInsideSpan(int start, int length, int areaStart, int areaLength) {
    if (length >= areaLength)
        return areaStart;
    return qBound(areaStart, start, areaStart + areaLength - length);
}

QPoint KeepInsideArea(const QRect& frame, const QRect& area) {
    if (!area.isValid())
        return frame.topLeft();
    return QPoint(KeepInsideSpan(frame.x(), frame.width(), area.x(), area.width()),
                  KeepInsideSpan(frame.y(), frame.height(), area.y(), area.height()));
}

QRect ResizedGeometry(const QRect& start, Qt::Edges edges, const QPoint& delta, const QSize& minimum,
                      const QSize& maximum) {
    int left = start.left();
    int top = start.top();
    int width = start.width();
    int height = start.height();
    if (edges & Qt::LeftEdge) {
        width = qBound(minimum.width(), width - delta.x(), maximum.width());
        left = start.left() + start.width() - width;
    } else if (edges & Qt::RightEdge) {
        width = qBound(minimum.width(), width + delta.x(), maximum.width());
    }
    if (edges & Qt::TopEdge) {
        height = qBound(minimum.height(), height - delta.y(), maximum.height());
        top = start.top() + start.height() - height;
    } else if (edges & Qt::BottomEdge) {
        height = qBound(minimum.height(), height + delta.y(), maximum.height());
    }
    return QRect(left, top, width, height);
}
