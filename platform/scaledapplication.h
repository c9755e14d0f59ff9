#pragma once

#include <QApplication>
#include <memory>

// Makes the application object at the trainer's whole-number scale (see
// windowscale.h). The first object reads the desktop: its scale factor (from
// Xft.dpi, the compositor, or QT_SCALE_FACTOR and QT_SCREEN_SCALE_FACTORS when
// a person sets them) and the available area. When that factor is not the
// chosen scale, the program starts itself again with Qt's global factor set
// to the scale and fonts at 96 dpi, so one picture pixel is exactly N x N
// device pixels and text is N times its size. A scale forced through Qt's
// variables is rounded down but not lowered to fit.
std::unique_ptr<QApplication> makeScaledApplication(int& argc, char** argv);
