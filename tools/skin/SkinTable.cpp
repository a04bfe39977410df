#include "SkinTable.h"

#include "Drawing.h"

#include <QFont>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>

namespace {

const QStringList kButtonStates{QStringLiteral("Normal"), QStringLiteral("On"), QStringLiteral("Down"),
                                QStringLiteral("Disable")};
const QStringList kSingle{QStringLiteral("Normal")};

// A title-bar style button: a glyph on nothing, a soft tile on hover and press.
std::function<void(QPainter&, const QRectF&, const QString&)> TitleButton(const QString& glyph, bool danger = false) {
    return [glyph, danger](QPainter& p, const QRectF& r, const QString& state) {
        QColor glyphColour = Ink::kLine;
        if (state == QLatin1String("On") || state == QLatin1String("Down")) {
            const QColor tile = danger ? (state == QLatin1String("On") ? Ink::kBad : Ink::kBad.darker(115))
                                       : (state == QLatin1String("On") ? Ink::kSurface : Ink::kAccentSoft);
            p.setPen(Qt::NoPen);
            p.setBrush(tile);
            p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 5, 5);
            glyphColour = danger ? Ink::kPage : Ink::kAccent;
        } else if (state == QLatin1String("Disable")) {
            glyphColour = Ink::kFaint;
        }
        const double side = qMin(r.width(), r.height()) * 0.8;
        const QRectF box(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
        DrawGlyph(p, box, glyph, glyphColour, 1.6);
    };
}

// A round icon button of the page: outlined circle with a glyph.
std::function<void(QPainter&, const QRectF&, const QString&)> CircleIcon(const QString& glyph, const QColor& colour) {
    return [glyph, colour](QPainter& p, const QRectF& r, const QString&) {
        const double d = qMin(r.width(), r.height()) - 2;
        const QRectF c(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
        p.setPen(LinePen(colour, qMax(1.4, d * 0.07)));
        p.setBrush(Ink::kPage);
        p.drawEllipse(c);
        DrawGlyph(p, c, glyph, colour, qMax(1.4, d * 0.08));
    };
}

void ModeIcon(QPainter& p, const QRectF& r, bool advanced) {
    const QColor colour = advanced ? QColor(0xf0, 0x8c, 0x2e) : Ink::kGood;
    const QRectF phone(r.left() + r.width() * 0.22, r.top() + r.height() * 0.08, r.width() * 0.42, r.height() * 0.78);
    p.setPen(LinePen(Ink::kLine, 1.6));
    p.setBrush(Ink::kPage);
    p.drawRoundedRect(phone, 3, 3);
    const QPointF badge(r.left() + r.width() * 0.7, r.top() + r.height() * 0.68);
    DrawBadge(p, badge, r.width() * 0.22, colour, advanced ? QStringLiteral("cross") : QStringLiteral("check"));
}

// The phone a guide picture centres on, fitted to the picture's width.
QRectF GuidePhone(const QRectF& r) {
    const double w = qMin(r.width() * 0.5, 100.0);
    const double h = w * 2.0;
    return QRectF(r.center().x() - w / 2, r.top() + (r.height() - h) / 2, w, h);
}

// A small numbered disc: the order in which a step's keys are pressed.
void DrawStepNumber(QPainter& p, const QPointF& centre, int number) {
    p.save();
    const double radius = 7.5;
    p.setPen(Qt::NoPen);
    p.setBrush(Ink::kAccent);
    p.drawEllipse(centre, radius, radius);
    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Ink::kPage);
    p.drawText(QRectF(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2), Qt::AlignCenter,
               QString::number(number));
    p.restore();
}

// A phone with hints: quick presses get an arrow, held keys a hold timer. Where several keys are
// pressed one after the other, numbers give their order: volume up, volume down, then the side key.
void GuidePhoneStep(QPainter& p, const QRectF& r, PhoneLook look, int pressKeys, int holdKeys) {
    const QRectF body = GuidePhone(r);
    look.highlight = pressKeys | holdKeys;
    DrawPhone(p, body, look);
    const bool sequence = (pressKeys & VolumeUp) && (pressKeys & VolumeDown);
    int order = 0;
    for (DeviceButton key : {VolumeUp, VolumeDown, SideButton}) {
        if (!sequence || !((pressKeys | holdKeys) & key))
            continue;
        const QPointF anchor = KeyAnchor(body, key);
        const bool held = (holdKeys & key) && !(pressKeys & key);
        const double outward = key == SideButton ? 1.0 : -1.0;
        DrawStepNumber(p, held ? anchor + QPointF(outward * 24, -20) : anchor + QPointF(outward * 38, 0), ++order);
    }
    for (DeviceButton key : {SideButton, VolumeUp, VolumeDown, HomeButton}) {
        const QPointF anchor = KeyAnchor(body, key);
        const double outward = key == SideButton ? 1.0 : -1.0;
        if (pressKeys & key) {
            if (key == HomeButton)
                DrawArrow(p, anchor + QPointF(0, 26), anchor + QPointF(0, 6), Ink::kAccent, 2.5);
            else
                DrawArrow(p, anchor + QPointF(outward * 28, 0), anchor + QPointF(outward * 6, 0), Ink::kAccent, 2.5);
        }
        if (holdKeys & key) {
            const QPointF centre = key == HomeButton ? anchor + QPointF(0, 20) : anchor + QPointF(outward * 24, 0);
            DrawHoldTimer(p, centre, 11, 0.7);
        }
    }
}

void ConnectStep(QPainter& p, const QRectF& r, bool homeButton) {
    const double w = r.width();
    const QRectF laptop(r.left() + w * 0.1, r.top() + r.height() * 0.08, w * 0.8, w * 0.55);
    DrawLaptop(p, laptop);
    PhoneLook look;
    look.homeButton = homeButton;
    const double pw = qMin(w * 0.4, 70.0);
    const QRectF phone(r.left() + w * 0.12, r.bottom() - pw * 2 - r.height() * 0.1, pw, pw * 2);
    DrawPhone(p, phone, look);
    // The cable leaves the phone downwards and runs up beside it, so it never crosses the device.
    const QPointF plug(phone.center().x(), phone.bottom() + 2);
    const QPointF port(qMax(laptop.right() - w * 0.1, phone.right() + 10), laptop.bottom() + 2);
    const double below = plug.y() + r.height() * 0.07;
    QPainterPath cable(plug);
    cable.cubicTo(QPointF(plug.x(), below), QPointF(port.x(), below), QPointF(port.x(), plug.y() - 10));
    cable.lineTo(port);
    p.save();
    p.setPen(LinePen(Ink::kAccent, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cable);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink::kAccent);
    p.drawRoundedRect(QRectF(plug.x() - 4, plug.y(), 8, 8), 2, 2);
    p.drawRoundedRect(QRectF(port.x() - 4, port.y(), 8, 8), 2, 2);
    p.restore();
}

void TvStep(QPainter& p, const QRectF& r, bool hd, int step) {
    const double w = r.width();
    const QRectF box = hd ? QRectF(r.center().x() - w * 0.3, r.top() + r.height() * 0.1, w * 0.6, w * 0.6 * 0.55)
                          : QRectF(r.center().x() - w * 0.38, r.top() + r.height() * 0.12, w * 0.76, w * 0.76 * 0.3);
    if (step == 1) {
        DrawSetTopBox(p, box, hd, false);
        const QRectF laptop(r.center().x() - w * 0.3, r.bottom() - r.height() * 0.36, w * 0.6, w * 0.42);
        DrawLaptop(p, laptop);
        DrawCable(p, QPointF(box.right() - box.width() * 0.12, box.bottom() + 2),
                  QPointF(laptop.right() - laptop.width() * 0.1, laptop.top() - 2), Ink::kAccent);
    } else if (step == 2) {
        const double rw = qMin(w * 0.26, 50.0);
        const QRectF remote(r.center().x() - rw / 2, r.top() + r.height() * 0.12, rw, r.height() * 0.74);
        DrawRemote(p, remote, hd, 3);
        DrawHoldTimer(p, QPointF(remote.right() + 24, remote.top() + remote.height() * 0.62), 11, 0.7);
    } else {
        DrawSetTopBox(p, box, hd, true);
        const QRectF mark(r.center().x() - w * 0.22, r.bottom() - r.height() * 0.45, w * 0.44, w * 0.44);
        DrawRecoveryMark(p, mark, Ink::kAccent);
    }
}

std::function<void(QPainter&, const QRectF&, const QString&)> Phone(bool home, Screen screen, int press, int hold) {
    return [=](QPainter& p, const QRectF& r, const QString&) {
        PhoneLook look;
        look.homeButton = home;
        look.screen = screen;
        GuidePhoneStep(p, r, look, press, hold);
    };
}

std::function<void(QPainter&, const QRectF&, const QString&)> Connect(bool home) {
    return [=](QPainter& p, const QRectF& r, const QString&) { ConnectStep(p, r, home); };
}

std::function<void(QPainter&, const QRectF&, const QString&)> Tv(bool hd, int step) {
    return [=](QPainter& p, const QRectF& r, const QString&) { TvStep(p, r, hd, step); };
}

// Tall state pictures of the fix page: the device in the middle, a badge telling its state.
std::function<void(QPainter&, const QRectF&, const QString&)> DeviceState(const QString& kind) {
    return [kind](QPainter& p, const QRectF& r, const QString&) {
        const double w = r.width() * 0.5;
        const QRectF body(r.center().x() - w / 2, r.top() + r.height() * 0.18, w, w * 2.0);
        PhoneLook look;
        look.homeButton = false;
        look.faded = kind == QLatin1String("UnConnected");
        look.screen = kind == QLatin1String("Fix") ? Screen::Progress : (look.faded ? Screen::Blank : Screen::Mark);
        DrawPhone(p, body, look);
        const QPointF plug(body.center().x(), body.bottom() + 4);
        if (kind == QLatin1String("UnConnected")) {
            // The cable hangs free below the device.
            QPainterPath cable(QPointF(plug.x() + 22, r.bottom() - 6));
            cable.cubicTo(QPointF(plug.x() + 22, plug.y() + 40), QPointF(plug.x() + 6, plug.y() + 50),
                          QPointF(plug.x() + 4, plug.y() + 26));
            p.setPen(LinePen(Ink::kMuted, 2.5));
            p.setBrush(Qt::NoBrush);
            p.drawPath(cable);
            p.setPen(Qt::NoPen);
            p.setBrush(Ink::kMuted);
            p.drawRoundedRect(QRectF(plug.x(), plug.y() + 18, 8, 9), 2, 2);
            p.setPen(LinePen(Ink::kMuted, 2.0));
            p.drawLine(plug + QPointF(-14, 10), plug + QPointF(-8, 14));
            p.drawLine(plug + QPointF(-16, 20), plug + QPointF(-8, 20));
        } else {
            p.setPen(LinePen(Ink::kAccent, 2.5));
            p.drawLine(plug, QPointF(plug.x(), r.bottom() - 6));
            p.setPen(Qt::NoPen);
            p.setBrush(Ink::kAccent);
            p.drawRoundedRect(QRectF(plug.x() - 4, plug.y() - 2, 8, 9), 2, 2);
            const QPointF badge(body.right() - 4, body.top() + 8);
            if (kind == QLatin1String("Connected"))
                DrawBadge(p, badge, 16, Ink::kGood, QStringLiteral("check"));
            else
                DrawBadge(p, badge, 16, Ink::kAccent, QStringLiteral("gear"));
        }
    };
}

std::function<void(QPainter&, const QRectF&, const QString&)> Failure(bool download) {
    return [download](QPainter& p, const QRectF& r, const QString&) {
        const QRectF art(r.center().x() - 55, r.top() + 30, 110, download ? 78 : 110);
        if (download) {
            DrawCloud(p, art, Ink::kLine, 3.0);
            DrawArrow(p, QPointF(art.center().x(), art.top() + 34), QPointF(art.center().x(), art.bottom() + 30),
                      Ink::kMuted, 3.0);
        } else {
            DrawShield(p, art.adjusted(10, 0, -10, 0), Ink::kLine, 3.0);
        }
        DrawBadge(p, QPointF(art.right() - 6, art.bottom() - 4), 17, Ink::kBad, QStringLiteral("cross"));
    };
}

void Separator(QPainter& p, const QRectF& r, const QString&) {
    p.setPen(Qt::NoPen);
    p.setBrush(Ink::kFaint);
    p.drawRect(r);
}

} // namespace

const QList<SkinPicture>& SkinPictures() {
    static const QList<SkinPicture> pictures{
        // Frame buttons.
        {"Common", "min", kButtonStates, {32, 28}, TitleButton("minus")},
        {"Common", "max", kButtonStates, {32, 28}, TitleButton("square")},
        {"Common", "restore", kButtonStates, {32, 28}, TitleButton("restore")},
        {"Common", "exit", kButtonStates, {32, 28}, TitleButton("cross", true)},
        {"Common", "settings", kButtonStates, {32, 28}, TitleButton("menu")},
        // Title bar.
        {"title", "settings", kButtonStates, {32, 28}, TitleButton("gear")},
        {"title", "help", kButtonStates, {32, 28}, TitleButton("question")},
        {"title", "feedback", kButtonStates, {32, 28}, TitleButton("bubble")},
        {"title", "nvidia", kButtonStates, {32, 28}, TitleButton("chip1")},
        {"title", "amd", kButtonStates, {32, 28}, TitleButton("chip2")},
        {"title", "intel", kButtonStates, {32, 28}, TitleButton("chip3")},
        {"title", "line", kSingle, {1, 23}, Separator},
        // Page pictures.
        {"Other", "Notice", kSingle, {40, 40}, CircleIcon("exclaim", Ink::kAccent)},
        {"Other", "help", kSingle, {23, 23}, CircleIcon("question", Ink::kAccent)},
        {"Other", "UnConnected", kSingle, {200, 390}, DeviceState("UnConnected")},
        {"Other", "Connected", kSingle, {200, 390}, DeviceState("Connected")},
        {"Other", "Fix", kSingle, {200, 390}, DeviceState("Fix")},
        {"Other", "DownloadFailed", kSingle, {200, 180}, Failure(true)},
        {"Other", "VerifyFailed", kSingle, {200, 180}, Failure(false)},
        // Buttons of the main window.
        {"Buttun",
         "Back",
         kButtonStates,
         {24, 24},
         [](QPainter& p, const QRectF& r, const QString& state) {
             const QColor colour = state == QLatin1String("Disable")  ? Ink::kFaint
                                   : state == QLatin1String("Normal") ? Ink::kLine
                                                                      : Ink::kAccent;
             p.setPen(LinePen(colour, 1.6));
             p.setBrush(state == QLatin1String("Down") ? Ink::kAccentSoft : Ink::kPage);
             p.drawEllipse(r.adjusted(1.5, 1.5, -1.5, -1.5));
             DrawGlyph(p, r, QStringLiteral("back"), colour, 1.8);
         }},
        {"Buttun",
         "StandardM",
         kSingle,
         {35, 35},
         [](QPainter& p, const QRectF& r, const QString&) { ModeIcon(p, r, false); }},
        {"Buttun",
         "AdvancedM",
         kSingle,
         {35, 35},
         [](QPainter& p, const QRectF& r, const QString&) { ModeIcon(p, r, true); }},
        // Recovery and DFU guides.
        {"Steps", "OtheriDevices1", kSingle, {120, 300}, Connect(true)},
        {"Steps", "OtheriDevices2", kSingle, {220, 300}, Phone(true, Screen::Mark, 0, SideButton | HomeButton)},
        {"Steps", "OtheriDevices3", kSingle, {220, 300}, Phone(true, Screen::Recovery, 0, SideButton | HomeButton)},
        {"Steps", "OtheriDevices3D", kSingle, {220, 300}, Phone(true, Screen::Black, 0, HomeButton)},
        {"Steps", "iPhone7-2", kSingle, {220, 300}, Phone(true, Screen::Mark, 0, SideButton | VolumeDown)},
        {"Steps", "iPhone7-3", kSingle, {220, 300}, Phone(true, Screen::Recovery, 0, SideButton | VolumeDown)},
        {"Steps", "iPhone7-3D", kSingle, {220, 300}, Phone(true, Screen::Black, 0, VolumeDown)},
        {"Steps", "iPhone8-1", kSingle, {120, 300}, Connect(false)},
        {"Steps", "iPhone8-2", kSingle, {220, 300}, Phone(false, Screen::Mark, VolumeUp | VolumeDown, SideButton)},
        {"Steps", "iPhone8-3", kSingle, {220, 300}, Phone(false, Screen::Recovery, 0, SideButton)},
        {"Steps", "iPhone8-1D", kSingle, {220, 280}, Phone(false, Screen::Mark, VolumeUp | VolumeDown, SideButton)},
        {"Steps", "iPhone8-2D", kSingle, {220, 280}, Phone(false, Screen::Black, 0, SideButton | VolumeDown)},
        {"Steps", "iPhone8-3D", kSingle, {220, 280}, Phone(false, Screen::Black, 0, VolumeDown)},
        {"Steps", "AppleTV1", kSingle, {220, 300}, Tv(false, 1)},
        {"Steps", "AppleTV2", kSingle, {220, 300}, Tv(false, 2)},
        {"Steps", "AppleTV3", kSingle, {220, 300}, Tv(false, 3)},
        {"Steps", "AppleTVHD1", kSingle, {220, 300}, Tv(true, 1)},
        {"Steps", "AppleTVHD2", kSingle, {220, 300}, Tv(true, 2)},
        {"Steps", "AppleTVHD3", kSingle, {160, 300}, Tv(true, 3)},
        // Bug report states.
        {"Message", "Sending", kSingle, {24, 24}, CircleIcon("bubble", Ink::kAccent)},
        {"Message", "Successful", kSingle, {24, 24}, CircleIcon("check", Ink::kGood)},
        {"Message", "Failed", kSingle, {24, 24}, CircleIcon("cross", Ink::kBad)},
    };
    return pictures;
}

const QList<LogoPiece>& LogoPieces() {
    static const QList<LogoPiece> pieces{
        {"logo", QRect(10, 60, 48, 48)},
        {"icon", QRect(60, 60, 120, 120)},
        {"brand", QRect(185, 60, 180, 180)},
    };
    return pieces;
}

QSize LogoSheetSize() {
    return QSize(375, 250);
}

const QList<SkinAnimation>& StyleAnimations() {
    static const QList<SkinAnimation> animations{
        {"image/titlebar_bugreport.gif",
         {10, 10},
         10,
         10,
         [](QPainter& p, const QRectF& r, double phase) {
             const double grow = 0.5 + 0.5 * std::sin(phase * 2 * M_PI);
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(0xe5, 0x48, 0x4d, int(120 + 135 * grow)));
             const double radius = 2.5 + grow * 2.0;
             p.drawEllipse(r.center(), radius, radius);
         }},
    };
    return animations;
}

const QList<SkinAnimation>& ResourceAnimations() {
    static const QList<SkinAnimation> animations{
        {"img/connect.gif",
         {100, 30},
         12,
         9,
         [](QPainter& p, const QRectF& r, double phase) {
             for (int i = 0; i < 3; ++i) {
                 const double local = std::fmod(phase * 3.0 - i + 3.0, 3.0);
                 const double lift = local < 1.0 ? std::sin(local * M_PI) : 0.0;
                 p.setPen(Qt::NoPen);
                 p.setBrush(lift > 0.05 ? Ink::kAccent : Ink::kFaint);
                 p.drawEllipse(QPointF(r.center().x() + (i - 1) * 18, r.center().y() - lift * 4), 4 + lift, 4 + lift);
             }
         }},
        {"img/fixpix.gif",
         {200, 390},
         16,
         8,
         [](QPainter& p, const QRectF& r, double phase) {
             const double w = r.width() * 0.5;
             const QRectF body(r.center().x() - w / 2, r.top() + r.height() * 0.18, w, w * 2.0);
             PhoneLook look;
             look.homeButton = false;
             look.screen = Screen::Blank;
             DrawPhone(p, body, look);
             const QPointF c = body.center();
             const QRectF ring(c.x() - 26, c.y() - 26, 52, 52);
             p.setPen(LinePen(Ink::kFaint, 5));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(ring);
             p.setPen(LinePen(Ink::kAccent, 5));
             p.drawArc(ring, int(-phase * 360 * 16), 100 * 16);
             p.setPen(LinePen(Ink::kAccent, 2.5));
             p.drawLine(QPointF(c.x(), body.bottom() + 4), QPointF(c.x(), r.bottom() - 6));
         }},
        {"img/DownloadGif.gif",
         {200, 180},
         12,
         8,
         [](QPainter& p, const QRectF& r, double phase) {
             const QRectF cloud(r.center().x() - 55, r.top() + 30, 110, 78);
             DrawCloud(p, cloud, Ink::kLine, 3.0);
             const double y = cloud.top() + 30 + phase * 40;
             DrawArrow(p, QPointF(cloud.center().x(), y), QPointF(cloud.center().x(), y + 34), Ink::kAccent, 3.5);
             p.setPen(LinePen(Ink::kLine, 3.0));
             p.drawLine(QPointF(cloud.center().x() - 30, r.bottom() - 22),
                        QPointF(cloud.center().x() + 30, r.bottom() - 22));
         }},
        {"img/VerifyGif.gif",
         {200, 180},
         12,
         8,
         [](QPainter& p, const QRectF& r, double phase) {
             const QRectF shield(r.center().x() - 45, r.top() + 28, 90, 112);
             DrawShield(p, shield, Ink::kLine, 3.0);
             // The scan line sweeps up and down inside the shield.
             const double y = shield.top() + 20 + std::fabs(std::sin(phase * M_PI)) * (shield.height() * 0.55);
             const double inset = 14 + std::max(0.0, y - shield.top() - shield.height() * 0.45) * 0.5;
             p.setPen(LinePen(Ink::kAccentSoft, 6.0));
             p.drawLine(QPointF(shield.left() + inset + 4, y - 6), QPointF(shield.right() - inset - 4, y - 6));
             p.setPen(LinePen(Ink::kAccent, 3.0));
             p.drawLine(QPointF(shield.left() + inset, y), QPointF(shield.right() - inset, y));
         }},
    };
    return animations;
}
