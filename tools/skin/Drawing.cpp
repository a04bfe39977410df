#include "Drawing.h"

#include <QPainterPath>
#include <QtMath>

QPen LinePen(const QColor& colour, double width) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

namespace {

void DrawSideKey(QPainter& p, const QRectF& key, bool lit) {
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? Ink::kAccent : Ink::kMuted);
    p.drawRoundedRect(key, key.width() / 2, key.width() / 2);
    if (lit) {
        // A soft halo says "press here" without any words.
        p.setBrush(Qt::NoBrush);
        p.setPen(LinePen(QColor(Ink::kAccent.red(), Ink::kAccent.green(), Ink::kAccent.blue(), 90), 2.0));
        p.drawRoundedRect(key.adjusted(-4, -4, 4, 4), 5, 5);
    }
}

} // namespace

void DrawPhone(QPainter& p, const QRectF& body, const PhoneLook& look) {
    p.save();
    const double w = body.width();
    const double radius = w * 0.16;
    const QColor line = look.faded ? Ink::kMuted : Ink::kLine;

    // Hardware keys sit just outside the body.
    const double keyW = qMax(3.0, w * 0.07);
    const double top = body.top() + body.height() * 0.16;
    DrawSideKey(p, QRectF(body.right() - keyW * 0.2, top + body.height() * 0.06, keyW, body.height() * 0.12),
                look.highlight & SideButton);
    DrawSideKey(p, QRectF(body.left() - keyW * 0.8, top + body.height() * 0.04, keyW, body.height() * 0.09),
                look.highlight & VolumeUp);
    DrawSideKey(p, QRectF(body.left() - keyW * 0.8, top + body.height() * 0.16, keyW, body.height() * 0.09),
                look.highlight & VolumeDown);

    p.setPen(LinePen(line, qMax(1.5, w * 0.03)));
    p.setBrush(Ink::kPage);
    p.drawRoundedRect(body, radius, radius);

    const double inset = w * 0.07;
    const double topBand = look.homeButton ? body.height() * 0.12 : inset;
    const double bottomBand = look.homeButton ? body.height() * 0.14 : inset;
    const QRectF screen = body.adjusted(inset, topBand, -inset, -bottomBand);
    p.setPen(Qt::NoPen);
    switch (look.screen) {
    case Screen::Black:
        p.setBrush(Ink::kScreenOff);
        break;
    case Screen::Recovery:
    case Screen::Mark:
    case Screen::Progress:
    case Screen::Blank:
        p.setBrush(look.faded ? Ink::kSurface : Ink::kAccentSoft);
        break;
    }
    const double screenRadius = look.homeButton ? w * 0.03 : radius * 0.7;
    p.drawRoundedRect(screen, screenRadius, screenRadius);

    const QRectF middle(screen.center().x() - screen.width() * 0.3, screen.center().y() - screen.width() * 0.3,
                        screen.width() * 0.6, screen.width() * 0.6);
    if (look.screen == Screen::Recovery) {
        DrawRecoveryMark(p, middle, Ink::kAccent);
    } else if (look.screen == Screen::Mark) {
        p.setPen(LinePen(Ink::kAccent, qMax(1.5, w * 0.03)));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(middle.adjusted(middle.width() * 0.25, middle.width() * 0.25, -middle.width() * 0.25,
                                      -middle.width() * 0.25));
    } else if (look.screen == Screen::Progress) {
        const QRectF bar(screen.left() + screen.width() * 0.2, screen.center().y(), screen.width() * 0.6, 4);
        p.setBrush(Ink::kFaint);
        p.drawRoundedRect(bar, 2, 2);
        p.setBrush(Ink::kAccent);
        p.drawRoundedRect(QRectF(bar.left(), bar.top(), bar.width() * 0.55, bar.height()), 2, 2);
    }

    if (look.homeButton) {
        const double d = body.height() * 0.075;
        const QRectF home(body.center().x() - d / 2, body.bottom() - bottomBand / 2 - d / 2, d, d);
        const bool lit = look.highlight & HomeButton;
        p.setPen(LinePen(lit ? Ink::kAccent : line, qMax(1.2, w * 0.022)));
        p.setBrush(lit ? Ink::kAccentSoft : Ink::kPage);
        p.drawEllipse(home);
        if (lit) {
            p.setBrush(Qt::NoBrush);
            p.setPen(LinePen(QColor(Ink::kAccent.red(), Ink::kAccent.green(), Ink::kAccent.blue(), 90), 2.0));
            p.drawEllipse(home.adjusted(-5, -5, 5, 5));
        }
        p.setPen(LinePen(line, qMax(1.2, w * 0.02)));
        const double speakerY = body.top() + topBand / 2;
        p.drawLine(QPointF(body.center().x() - w * 0.1, speakerY), QPointF(body.center().x() + w * 0.1, speakerY));
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(look.screen == Screen::Black ? Ink::kLine : Ink::kScreenOff);
        p.drawRoundedRect(QRectF(body.center().x() - w * 0.15, screen.top() + 4, w * 0.3, w * 0.07), w * 0.035,
                          w * 0.035);
    }
    p.restore();
}

void DrawLaptop(QPainter& p, const QRectF& area, Screen screen) {
    p.save();
    const double w = area.width();
    const QRectF lid(area.left() + w * 0.12, area.top(), w * 0.76, area.height() * 0.78);
    p.setPen(LinePen(Ink::kLine, qMax(1.5, w * 0.025)));
    p.setBrush(Ink::kPage);
    p.drawRoundedRect(lid, w * 0.04, w * 0.04);
    p.setPen(Qt::NoPen);
    p.setBrush(screen == Screen::Black ? Ink::kScreenOff : Ink::kAccentSoft);
    p.drawRoundedRect(lid.adjusted(w * 0.04, w * 0.04, -w * 0.04, -w * 0.04), w * 0.02, w * 0.02);
    QPainterPath base;
    const double y = lid.bottom() + area.height() * 0.02;
    base.moveTo(area.left(), y);
    base.lineTo(area.right(), y);
    base.lineTo(area.right() - w * 0.05, area.bottom());
    base.lineTo(area.left() + w * 0.05, area.bottom());
    base.closeSubpath();
    p.setPen(LinePen(Ink::kLine, qMax(1.5, w * 0.025)));
    p.setBrush(Ink::kSurface);
    p.drawPath(base);
    p.restore();
}

void DrawCable(QPainter& p, const QPointF& from, const QPointF& to, const QColor& colour) {
    p.save();
    QPainterPath path(from);
    const double midY = (from.y() + to.y()) / 2;
    path.cubicTo(QPointF(from.x(), midY), QPointF(to.x(), midY), to);
    p.setPen(LinePen(colour, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(to.x() - 4, to.y() - (to.y() > from.y() ? 8 : 0), 8, 8), 2, 2);
    p.drawRoundedRect(QRectF(from.x() - 4, from.y() - (to.y() > from.y() ? 0 : 8), 8, 8), 2, 2);
    p.restore();
}

void DrawArrow(QPainter& p, const QPointF& from, const QPointF& to, const QColor& colour, double width) {
    p.save();
    p.setPen(LinePen(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawLine(from, to);
    const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double head = width * 3.2;
    const QPointF a = to - QPointF(std::cos(angle - 0.6) * head, std::sin(angle - 0.6) * head);
    const QPointF b = to - QPointF(std::cos(angle + 0.6) * head, std::sin(angle + 0.6) * head);
    p.drawPolyline(QPolygonF({a, to, b}));
    p.restore();
}

void DrawGlyph(QPainter& p, const QRectF& box, const QString& glyph, const QColor& colour, double width) {
    p.save();
    p.setPen(LinePen(colour, width));
    p.setBrush(Qt::NoBrush);
    const QRectF r = box;
    const double w = r.width();
    const double h = r.height();
    if (glyph == QLatin1String("check")) {
        p.drawPolyline(QPolygonF({QPointF(r.left() + w * 0.2, r.top() + h * 0.52),
                                  QPointF(r.left() + w * 0.42, r.top() + h * 0.72),
                                  QPointF(r.left() + w * 0.8, r.top() + h * 0.3)}));
    } else if (glyph == QLatin1String("cross")) {
        p.drawLine(QPointF(r.left() + w * 0.28, r.top() + h * 0.28),
                   QPointF(r.right() - w * 0.28, r.bottom() - h * 0.28));
        p.drawLine(QPointF(r.right() - w * 0.28, r.top() + h * 0.28),
                   QPointF(r.left() + w * 0.28, r.bottom() - h * 0.28));
    } else if (glyph == QLatin1String("minus")) {
        p.drawLine(QPointF(r.left() + w * 0.3, r.center().y()), QPointF(r.right() - w * 0.3, r.center().y()));
    } else if (glyph == QLatin1String("square")) {
        p.drawRoundedRect(r.adjusted(w * 0.3, h * 0.3, -w * 0.3, -h * 0.3), 1.5, 1.5);
    } else if (glyph == QLatin1String("restore")) {
        const QRectF front = r.adjusted(w * 0.28, h * 0.36, -w * 0.36, -h * 0.28);
        p.drawRoundedRect(front, 1.5, 1.5);
        p.drawPolyline(QPolygonF({QPointF(front.left() + w * 0.08, front.top()),
                                  QPointF(front.left() + w * 0.08, front.top() - h * 0.08),
                                  QPointF(front.right() + w * 0.08, front.top() - h * 0.08),
                                  QPointF(front.right() + w * 0.08, front.bottom() - h * 0.08),
                                  QPointF(front.right(), front.bottom() - h * 0.08)}));
    } else if (glyph == QLatin1String("exclaim")) {
        p.drawLine(QPointF(r.center().x(), r.top() + h * 0.26), QPointF(r.center().x(), r.top() + h * 0.58));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(QPointF(r.center().x(), r.top() + h * 0.73), width * 0.7, width * 0.7);
    } else if (glyph == QLatin1String("question")) {
        QPainterPath path;
        path.moveTo(r.left() + w * 0.36, r.top() + h * 0.38);
        path.cubicTo(QPointF(r.left() + w * 0.36, r.top() + h * 0.2), QPointF(r.right() - w * 0.34, r.top() + h * 0.2),
                     QPointF(r.right() - w * 0.36, r.top() + h * 0.38));
        path.cubicTo(QPointF(r.right() - w * 0.38, r.top() + h * 0.5), QPointF(r.center().x(), r.top() + h * 0.48),
                     QPointF(r.center().x(), r.top() + h * 0.6));
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(QPointF(r.center().x(), r.top() + h * 0.75), width * 0.7, width * 0.7);
    } else if (glyph == QLatin1String("back")) {
        p.drawPolyline(
            QPolygonF({QPointF(r.left() + w * 0.55, r.top() + h * 0.25), QPointF(r.left() + w * 0.3, r.center().y()),
                       QPointF(r.left() + w * 0.55, r.bottom() - h * 0.25)}));
        p.drawLine(QPointF(r.left() + w * 0.3, r.center().y()), QPointF(r.right() - w * 0.22, r.center().y()));
    } else if (glyph == QLatin1String("gear")) {
        const QPointF c = r.center();
        const double outer = w * 0.36;
        const double inner = w * 0.27;
        QPainterPath path;
        for (int i = 0; i < 16; ++i) {
            const double a = i * M_PI / 8;
            const double rad = (i % 2 == 0) ? outer : inner;
            const QPointF pt(c.x() + std::cos(a) * rad, c.y() + std::sin(a) * rad);
            if (i == 0)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
        path.closeSubpath();
        p.drawPath(path);
        p.drawEllipse(c, w * 0.1, w * 0.1);
    } else if (glyph == QLatin1String("menu")) {
        for (double f : {0.32, 0.5, 0.68})
            p.drawLine(QPointF(r.left() + w * 0.28, r.top() + h * f), QPointF(r.right() - w * 0.28, r.top() + h * f));
    } else if (glyph == QLatin1String("bubble")) {
        QPainterPath path;
        const QRectF b = r.adjusted(w * 0.22, h * 0.25, -w * 0.22, -h * 0.35);
        path.addRoundedRect(b, w * 0.08, w * 0.08);
        p.drawPath(path);
        p.drawPolyline(
            QPolygonF({QPointF(b.left() + w * 0.12, b.bottom()), QPointF(b.left() + w * 0.1, b.bottom() + h * 0.14),
                       QPointF(b.left() + w * 0.26, b.bottom())}));
        for (double f : {0.35, 0.5, 0.65}) {
            p.drawPoint(QPointF(b.left() + b.width() * f, b.center().y()));
        }
    } else if (glyph.startsWith(QLatin1String("chip"))) {
        const QRectF chip = r.adjusted(w * 0.3, h * 0.3, -w * 0.3, -h * 0.3);
        p.drawRoundedRect(chip, 1.5, 1.5);
        for (double f : {0.3, 0.7}) {
            p.drawLine(QPointF(chip.left() + chip.width() * f, chip.top()),
                       QPointF(chip.left() + chip.width() * f, chip.top() - h * 0.08));
            p.drawLine(QPointF(chip.left() + chip.width() * f, chip.bottom()),
                       QPointF(chip.left() + chip.width() * f, chip.bottom() + h * 0.08));
            p.drawLine(QPointF(chip.left(), chip.top() + chip.height() * f),
                       QPointF(chip.left() - w * 0.08, chip.top() + chip.height() * f));
            p.drawLine(QPointF(chip.right(), chip.top() + chip.height() * f),
                       QPointF(chip.right() + w * 0.08, chip.top() + chip.height() * f));
        }
        const int variant = glyph.mid(4).toInt();
        const QRectF core =
            chip.adjusted(chip.width() * 0.3, chip.height() * 0.3, -chip.width() * 0.3, -chip.height() * 0.3);
        if (variant == 1)
            p.drawEllipse(core);
        else if (variant == 2)
            p.drawRect(core);
        else
            p.drawLine(core.topLeft(), core.bottomRight());
    }
    p.restore();
}

void DrawBadge(QPainter& p, const QPointF& centre, double radius, const QColor& fill, const QString& glyph) {
    p.save();
    p.setPen(LinePen(Ink::kPage, radius * 0.18));
    p.setBrush(fill);
    p.drawEllipse(centre, radius, radius);
    DrawGlyph(p, QRectF(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2), glyph, Ink::kPage,
              radius * 0.2);
    p.restore();
}

void DrawRecoveryMark(QPainter& p, const QRectF& area, const QColor& colour) {
    // A cable plug pointing at a small computer: "connect to the computer".
    p.save();
    const double w = area.width();
    const QRectF screen(area.left() + w * 0.45, area.top() + w * 0.12, w * 0.5, w * 0.36);
    p.setPen(LinePen(colour, qMax(1.2, w * 0.06)));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(screen, w * 0.04, w * 0.04);
    p.drawLine(QPointF(screen.center().x(), screen.bottom()), QPointF(screen.center().x(), screen.bottom() + w * 0.1));
    p.drawLine(QPointF(screen.center().x() - w * 0.12, screen.bottom() + w * 0.1),
               QPointF(screen.center().x() + w * 0.12, screen.bottom() + w * 0.1));
    QPainterPath cable(QPointF(area.left() + w * 0.12, area.bottom() - w * 0.05));
    cable.cubicTo(QPointF(area.left() + w * 0.12, area.top() + w * 0.55),
                  QPointF(area.left() + w * 0.3, area.top() + w * 0.3),
                  QPointF(screen.left() - w * 0.04, screen.center().y()));
    p.drawPath(cable);
    p.restore();
}

void DrawSetTopBox(QPainter& p, const QRectF& body, bool tall, bool lightOn) {
    p.save();
    const double radius = body.width() * (tall ? 0.12 : 0.08);
    p.setPen(LinePen(Ink::kLine, 3.0));
    p.setBrush(Ink::kPage);
    p.drawRoundedRect(body, radius, radius);
    p.setPen(LinePen(Ink::kFaint, 2.0));
    p.drawLine(QPointF(body.left() + radius, body.bottom() - body.height() * 0.18),
               QPointF(body.right() - radius, body.bottom() - body.height() * 0.18));
    p.setPen(Qt::NoPen);
    p.setBrush(lightOn ? Ink::kAccent : Ink::kFaint);
    const QPointF light(body.left() + body.width() * 0.14, body.bottom() - body.height() * 0.09);
    p.drawEllipse(light, 3.5, 3.5);
    if (lightOn)
        DrawPulse(p, light, 9, Ink::kAccent);
    p.restore();
}

void DrawRemote(QPainter& p, const QRectF& body, bool touchSurface, int highlightedKeys) {
    p.save();
    const double w = body.width();
    p.setPen(LinePen(Ink::kLine, 2.5));
    p.setBrush(Ink::kPage);
    p.drawRoundedRect(body, w * 0.4, w * 0.4);
    if (touchSurface) {
        p.setPen(LinePen(Ink::kFaint, 2.0));
        p.setBrush(Ink::kSurface);
        p.drawRoundedRect(QRectF(body.left() + w * 0.12, body.top() + w * 0.15, w * 0.76, body.height() * 0.3), w * 0.3,
                          w * 0.3);
    } else {
        p.setPen(LinePen(Ink::kLine, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(body.center().x(), body.top() + w * 0.7), w * 0.38, w * 0.38);
    }
    // Two keys under the pad; a lit key is one to press.
    const double keyY0 = body.top() + body.height() * (touchSurface ? 0.55 : 0.45);
    for (int i = 0; i < 2; ++i) {
        const QPointF c(body.center().x(), keyY0 + i * w * 0.62);
        const bool lit = highlightedKeys & (1 << i);
        p.setPen(LinePen(lit ? Ink::kAccent : Ink::kLine, 2.0));
        p.setBrush(lit ? Ink::kAccentSoft : Ink::kPage);
        p.drawEllipse(c, w * 0.2, w * 0.2);
        if (lit)
            DrawPulse(p, c, w * 0.34, Ink::kAccent);
    }
    p.restore();
}

void DrawCloud(QPainter& p, const QRectF& a, const QColor& colour, double width) {
    p.save();
    const double w = a.width();
    const double h = a.height();
    // A flat base with two round tops, merged into one outline.
    QPainterPath base;
    base.addRoundedRect(QRectF(a.left(), a.top() + h * 0.45, w, h * 0.55), h * 0.275, h * 0.275);
    QPainterPath big;
    big.addEllipse(QRectF(a.left() + w * 0.3, a.top(), w * 0.46, w * 0.46));
    QPainterPath small;
    small.addEllipse(QRectF(a.left() + w * 0.12, a.top() + h * 0.3, w * 0.32, w * 0.32));
    const QPainterPath cloud = base.united(big).united(small).simplified();
    p.setPen(LinePen(colour, width));
    p.setBrush(Ink::kPage);
    p.drawPath(cloud);
    p.restore();
}

void DrawShield(QPainter& p, const QRectF& a, const QColor& colour, double width) {
    p.save();
    QPainterPath shield;
    const double w = a.width();
    const double h = a.height();
    shield.moveTo(a.center().x(), a.top());
    shield.cubicTo(QPointF(a.left() + w * 0.7, a.top() + h * 0.1), QPointF(a.right(), a.top() + h * 0.12),
                   QPointF(a.right(), a.top() + h * 0.12));
    shield.cubicTo(QPointF(a.right(), a.top() + h * 0.6), QPointF(a.left() + w * 0.75, a.top() + h * 0.85),
                   QPointF(a.center().x(), a.bottom()));
    shield.cubicTo(QPointF(a.left() + w * 0.25, a.top() + h * 0.85), QPointF(a.left(), a.top() + h * 0.6),
                   QPointF(a.left(), a.top() + h * 0.12));
    shield.cubicTo(QPointF(a.left(), a.top() + h * 0.12), QPointF(a.left() + w * 0.3, a.top() + h * 0.1),
                   QPointF(a.center().x(), a.top()));
    p.setPen(LinePen(colour, width));
    p.setBrush(Ink::kPage);
    p.drawPath(shield);
    p.restore();
}

void DrawPulse(QPainter& p, const QPointF& centre, double radius, const QColor& colour) {
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(LinePen(QColor(colour.red(), colour.green(), colour.blue(), 110), 1.5));
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

QPointF KeyAnchor(const QRectF& body, DeviceButton key) {
    const double h = body.height();
    const double top = body.top() + h * 0.16;
    switch (key) {
    case SideButton:
        return QPointF(body.right() + 9, top + h * 0.12);
    case VolumeUp:
        return QPointF(body.left() - 9, top + h * 0.085);
    case VolumeDown:
        return QPointF(body.left() - 9, top + h * 0.205);
    case HomeButton:
        return QPointF(body.center().x(), body.bottom() + 6);
    case NoButton:
        break;
    }
    return body.center();
}

void DrawHoldTimer(QPainter& p, const QPointF& centre, double radius, double sweep) {
    p.save();
    const QRectF r(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2);
    p.setBrush(Ink::kPage);
    p.setPen(LinePen(Ink::kFaint, 2.5));
    p.drawEllipse(r);
    p.setPen(LinePen(Ink::kAccent, 2.5));
    p.drawArc(r, 90 * 16, int(-sweep * 360 * 16));
    p.setPen(LinePen(Ink::kLine, 1.5));
    p.drawLine(centre, centre + QPointF(0, -radius * 0.55));
    p.drawLine(centre, centre + QPointF(radius * 0.4, 0));
    p.restore();
}

void DrawProductMark(QPainter& p, const QRectF& area) {
    p.save();
    const double w = area.width();
    QLinearGradient gradient(area.topLeft(), area.bottomRight());
    gradient.setColorAt(0.0, QColor(0x3b, 0x8c, 0xff));
    gradient.setColorAt(1.0, QColor(0x17, 0xb0, 0x9a));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRoundedRect(area.adjusted(w * 0.04, w * 0.04, -w * 0.04, -w * 0.04), w * 0.22, w * 0.22);
    const QRectF phone(area.left() + w * 0.32, area.top() + w * 0.18, w * 0.36, w * 0.64);
    p.setPen(LinePen(Qt::white, w * 0.05));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(phone, w * 0.07, w * 0.07);
    p.drawLine(QPointF(phone.center().x() - w * 0.05, phone.top() + w * 0.08),
               QPointF(phone.center().x() + w * 0.05, phone.top() + w * 0.08));
    // The check inside the device stands for "repaired".
    DrawGlyph(p, QRectF(phone.left(), phone.center().y() - phone.width() / 2, phone.width(), phone.width()),
              QStringLiteral("check"), Qt::white, w * 0.05);
    p.restore();
}
