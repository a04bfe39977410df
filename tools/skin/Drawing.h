#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QRectF>

// Line-drawing vocabulary of the skin: a few calm colours, generic devices, arrows and badges.
namespace Ink {
const QColor kLine(0x3d, 0x4b, 0x5c);
const QColor kMuted(0x9a, 0xa6, 0xb2);
const QColor kFaint(0xd5, 0xdb, 0xe1);
const QColor kSurface(0xf3, 0xf6, 0xf9);
const QColor kPage(0xff, 0xff, 0xff);
const QColor kAccent(0x2f, 0x7c, 0xf6);
const QColor kAccentSoft(0xe3, 0xee, 0xfe);
const QColor kGood(0x1f, 0xa9, 0x7a);
const QColor kBad(0xe5, 0x48, 0x4d);
const QColor kScreenOff(0x23, 0x2a, 0x33);
} // namespace Ink

enum class Screen { Blank, Black, Recovery, Mark, Progress };

// Which hardware buttons a drawing points at.
enum DeviceButton { NoButton = 0, SideButton = 1, VolumeUp = 2, VolumeDown = 4, HomeButton = 8 };

struct PhoneLook {
    bool homeButton = true;
    Screen screen = Screen::Blank;
    int highlight = NoButton;
    bool faded = false;
};

QPen LinePen(const QColor& colour, double width);

void DrawPhone(QPainter& p, const QRectF& body, const PhoneLook& look);
void DrawLaptop(QPainter& p, const QRectF& area, Screen screen = Screen::Blank);
void DrawCable(QPainter& p, const QPointF& from, const QPointF& to, const QColor& colour = Ink::kLine);
void DrawArrow(QPainter& p, const QPointF& from, const QPointF& to, const QColor& colour, double width);
void DrawBadge(QPainter& p, const QPointF& centre, double radius, const QColor& fill, const QString& glyph);
void DrawGlyph(QPainter& p, const QRectF& box, const QString& glyph, const QColor& colour, double width);
void DrawSetTopBox(QPainter& p, const QRectF& body, bool tall, bool lightOn);
void DrawRemote(QPainter& p, const QRectF& body, bool touchSurface, int highlightedKeys);
void DrawRecoveryMark(QPainter& p, const QRectF& area, const QColor& colour);
void DrawCloud(QPainter& p, const QRectF& area, const QColor& colour, double width);
void DrawShield(QPainter& p, const QRectF& area, const QColor& colour, double width);
void DrawPulse(QPainter& p, const QPointF& centre, double radius, const QColor& colour);

// The point just outside a hardware key of a phone drawn in body, where hints attach.
QPointF KeyAnchor(const QRectF& body, DeviceButton key);
// A hold hint: a ring with a sweep that reads as "keep holding".
void DrawHoldTimer(QPainter& p, const QPointF& centre, double radius, double sweep);
// The program's mark: a rounded tile with a device and a turning arrow.
void DrawProductMark(QPainter& p, const QRectF& area);
