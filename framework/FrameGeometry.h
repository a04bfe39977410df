#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

// Geometry of the frameless frames, kept free of widgets so that the border rules and the placement
// rules can be checked on their own.

// Codes of the frame's hit test. The values are those of the native non-client hit test, so that a
// code read in a log or a test means the same on every platform.
enum FrameHitCode {
    HTCLIENT = 1,
    HTCAPTION = 2,
    HTLEFT = 10,
    HTRIGHT = 11,
    HTTOP = 12,
    HTTOPLEFT = 13,
    HTTOPRIGHT = 14,
    HTBOTTOM = 15,
    HTBOTTOMLEFT = 16,
    HTBOTTOMRIGHT = 17,
};

// Which part of a frame of the given size lies under point (frame coordinates). A maximised frame
// cannot be resized, so everything is client area then.
int hitTestBorder(const QPoint& point, const QSize& frameSize, bool maximised, int border = 4);

// The window edges that a resize from the given hit code moves; empty for client and caption.
Qt::Edges EdgesForHitCode(int code);

// The cursor that tells the user what a press at the given hit code, or on the given edges, will do.
Qt::CursorShape CursorForHitCode(int code);
Qt::CursorShape CursorForEdges(Qt::Edges edges);

// The edges of a window with the given size limits that can be dragged at all: a window of fixed
// width has no left or right edge to drag, one of fixed height no top or bottom edge.
Qt::Edges ResizableEdges(Qt::Edges edges, const QSize& minimum, const QSize& maximum);

// Top-left corner that centres a frame of the given size on anchor. Halves truncate toward zero.
QPoint CentredTopLeft(const QRect& anchor, const QSize& size);

// Top-left corner that keeps frame inside area, moving it as little as possible. A frame wider or
// taller than the area is aligned to the area's left or top edge, so that its title bar stays
// reachable.
QPoint KeepInsideArea(const QRect& frame, const QRect& area);

// Geometry of a window resized from start by dragging the given edges by delta, honouring the
// window's minimum and maximum size; the edges that are not dragged stay where they were.
QRect ResizedGeometry(const QRect& start, Qt::Edges edges, const QPoint& delta, const QSize& minimum,
                      const QSize& maximum);
