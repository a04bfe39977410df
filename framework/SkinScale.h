#pragma once

// The display figures the skin scale is computed from: size in the pixels Qt lays windows out in (device
// pixels divided by the screen's device pixel ratio) and logical DPI.
struct ScreenMetrics {
    int width = 0;
    int height = 0;
    double dpi = 0.0;
};

struct SkinScale {
    double uiScale = 1.0;
    double fontScale = 96.0 / 72.0;
};

// Pure arithmetic so that any screen can be tried without owning one. A double-wide desktop (two
// screens side by side) counts as one screen; the result is kept between 1.0 and 2.0.
SkinScale ComputeSkinScale(const ScreenMetrics& screen, double baseWidth);

// The primary screen's logical size and DPI, or all zero when there is no screen.
ScreenMetrics PrimaryScreenMetrics();
