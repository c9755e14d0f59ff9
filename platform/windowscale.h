#pragma once

#include <QMargins>
#include <QSize>

// The trainer shows at a whole-number scale N: every pixel of its pictures
// becomes one N x N block of screen pixels, and its text is drawn N times as
// large. These functions choose N; they need no application object.

// The main window at scale 1: the 792 x 554 client area under an 18-pixel
// menu bar.
inline constexpr QSize kMainWindowSize{792, 572};

// What a window manager adds around a window at the desktop's scale 1 (title
// bar and borders), allowed for before the real frame is known.
inline constexpr QMargins kFrameAllowance{4, 30, 4, 4};

// The desktop's scale factor rounded down, at least 1 (1.5 gives 1, 2 gives 2).
int wholeScale(double desktopFactor);

// The largest scale from `start` down to 1 at which a window of `window`
// pixels at scale 1, framed by `frame` device pixels, fits into `available`
// device pixels; 1 when none does.
int fittingScale(int start, const QSize& available, const QSize& window, const QMargins& frame);

// The scale for a desktop: its factor rounded down, then lowered until the
// main window with a frame at the desktop's scale fits the available area.
int windowScale(double desktopFactor, const QSize& available);
