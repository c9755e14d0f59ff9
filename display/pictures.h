#pragma once

#include <QIcon>
#include <QImage>

// The pictures built into the program (drawn at build time and compiled in).

// Makes the built-in pictures reachable; the picture functions call it
// themselves, so calling it is only needed for direct ":/pictures/..." use.
void initDisplayResources();

// The main panel's background: school drawing tools on white, 617 x 497.
QImage backgroundPicture();

// The About box picture, 96 x 96: a red book with a compact disc standing on
// it, on lime 0x00FF00, which the About box draws as see-through.
QImage aboutPicture();

// The program icon (the book and disc) in sizes 16, 32, 48, 64, 128 and 256.
QIcon programIcon();

// The key caps of the keyboard picture without letters, 601 x 151, on light
// grey 0xE0E0E0.
QImage lettersPicture();
