#pragma once

#include <QFont>

// Registers the embedded Liberation Mono faces and makes "Courier New" resolve
// to them, so text metrics never depend on the fonts a machine has (40-pixel
// bold text advances exactly 24 pixels). Safe to call more than once; needs a
// QGuiApplication.
void registerEmbeddedFonts();

// "Courier New" at the given pixel height, drawn without antialiasing on
// true-colour screens (smoothed on 16-bit ones, where Qt garbles unsmoothed
// text); pictures that must be pixel-exact set NoAntialias themselves.
QFont courierNew(int pixelSize, bool bold = true);
