#include "ScreenCompositing.h"

#include <QGuiApplication>
#include <QX11Info>

namespace platform {

namespace {

std::optional<bool>& TestAnswer() {
    static std::optional<bool> answer;
    return answer;
}

} // namespace

bool screenComposites(const QScreen* screen) {
    if (TestAnswer())
        return *TestAnswer();
    if (!screen || !qGuiApp)
        return false;
    const QString platformName = QGuiApplication::platformName();
    // A Wayland compositor is the display server itself.
    if (platformName.startsWith(QLatin1String("wayland")))
        return true;
    // The X server's monitors share one screen, and its compositor owns that screen's _NET_WM_CM_S<n>
    // selection; the platform plugin follows the owner as it comes and goes.
    if (platformName == QLatin1String("xcb") && QX11Info::isPlatformX11())
        return QX11Info::isCompositingManagerRunning(QX11Info::appScreen());
    return false;
}

void setScreenCompositingForTests(std::optional<bool> answer) {
    TestAnswer() = answer;
}

} // namespace platform
