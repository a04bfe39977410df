#pragma once

#include <optional>

class QScreen;

namespace platform {

// Whether a compositing manager draws the windows of a screen, so that a window's translucent pixels
// blend with what lies behind it. Without one (a bare X server, the offscreen and minimal platforms)
// those pixels show as they are stored: transparent reads as black.
bool screenComposites(const QScreen* screen);

// Test seam: every later answer is the given one; std::nullopt asks the desktop again.
void setScreenCompositingForTests(std::optional<bool> answer);

} // namespace platform
