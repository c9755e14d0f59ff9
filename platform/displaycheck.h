#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// What the trainer needs to know of the screen it runs on.
struct ScreenInfo {
    int depth = 0;  // bits per pixel
    int width = 0;  // device pixels, whatever the desktop's scale
    int height = 0;
};

// Reads the primary screen through Qt, in device pixels.
ScreenInfo primaryScreenInfo();

// The refusal texts for a screen the trainer cannot use, colour depth first;
// empty when the screen is good enough (16 bits, 800 x 600 at least).
QStringList displayProblems(const ScreenInfo& screen);

// Title of the refusal message boxes.
QString displayProblemTitle();
