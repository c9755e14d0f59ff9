#pragma once

#include <QFont>
#include <thread>

// Registers the embedded Liberation Mono faces and makes "Courier New" resolve
// to them, so text metrics never depend on the fonts a machine has (40-pixel
// bold text advances exactly 24 pixels). Safe to call more than once; needs a
// QGuiApplication.
void registerEmbeddedFonts();

// "Courier New" at the given pixel height, drawn without antialiasing on
// true-colour screens (smoothed on 16-bit ones, where Qt garbles unsmoothed
// text); pictures that must be pixel-exact set NoAntialias themselves.
QFont courierNew(int pixelSize, bool bold = true);

// Reads the desktop's font configuration (fontconfig's files and caches,
// some milliseconds) on a thread of its own, so that it overlaps the
// toolkit's connection to the display instead of waiting for the first font.
// finish(), or the destructor, waits for it. Nothing may change the
// environment while it reads: fontconfig looks variables up.
class FontConfigurationReader {
public:
    FontConfigurationReader();
    ~FontConfigurationReader();
    FontConfigurationReader(const FontConfigurationReader&) = delete;
    FontConfigurationReader& operator=(const FontConfigurationReader&) = delete;

    void finish();

private:
    std::thread thread_;
};
