#include "SkinScale.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {
constexpr double kFallbackDpi = 96.0;
}

SkinScale ComputeSkinScale(const ScreenMetrics& screen, double baseWidth) {
    SkinScale result;
    const double dpi = screen.dpi > 0.0 ? screen.dpi : kFallbackDpi;
    // Without a usable screen size (headless, a screen reporting 0) there is nothing to scale for.
    if (screen.width <= 0 || screen.height <= 0 || !(baseWidth > 0.0)) {
        result.uiScale = 1.0;
        result.fontScale = kFallbackDpi / 72.0;
        return result;
    }
    const int width = (screen.width / screen.height >= 2) ? screen.width / 2 : screen.width;
    double scale = width / baseWidth;
    scale = std::max(scale, 1.0);
    scale = std::min(scale, 2.0);
    result.uiScale = scale;
    result.fontScale = dpi * scale / 72.0;
    return result;
}

ScreenMetrics PrimaryScreenMetrics() {
    ScreenMetrics metrics;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return metrics;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return metrics;
    // Where Qt scales the screen (a device pixel ratio above 1), every size the skin scales is multiplied by
    // that ratio again when it is drawn: the skin's own scale comes from the logical size Qt lays out in.
    const QSize size = screen->geometry().size();
    metrics.width = size.width();
    metrics.height = size.height();
    metrics.dpi = screen->logicalDotsPerInchX();
    return metrics;
}
