#include "windowscale.h"

#include <algorithm>
#include <cmath>

int wholeScale(double desktopFactor)
{
    // A factor a hair under a whole number (191.99 dpi / 96) still counts as it.
    if (!(desktopFactor >= 1))
        return 1;
    return int(std::min(std::floor(desktopFactor + 1e-6), 64.0));
}

int fittingScale(int start, const QSize& available, const QSize& window, const QMargins& frame)
{
    int scale = std::max(1, start);
    while (scale > 1) {
        const int width = scale * window.width() + frame.left() + frame.right();
        const int height = scale * window.height() + frame.top() + frame.bottom();
        if (width <= available.width() && height <= available.height())
            break;
        --scale;
    }
    return scale;
}

int windowScale(double desktopFactor, const QSize& available)
{
    const int start = wholeScale(desktopFactor);
    return fittingScale(start, available, kMainWindowSize, kFrameAllowance * start);
}
