#pragma once

#include <QString>

// How the message dialog sizes itself to its text.

// The client area is the label's width plus this (icon and button column on
// the left, a margin on the right).
inline constexpr int kMessageClientExtra = 180;
// The dialog is never wider than this, frame included.
inline constexpr int kMessageMaxOuterWidth = 800;

// The string whose width the label gets: the longest line of `text` followed
// by two spaces. Lines end at "\r\n", "\r" or "\n"; of equally long lines the
// first wins. An empty text gives two spaces.
QString measuringString(const QString& text);

struct MessageWidths {
    int label = 0;   // width of the message label
    int client = 0;  // client width of the dialog
};

// Widths for a measured text width (pixels of the measuring string) and the
// window frame's total width (left plus right border): the label gets the
// text width and the client that plus kMessageClientExtra, both reduced by
// the excess when the outer width would pass kMessageMaxOuterWidth.
MessageWidths messageWidths(int textWidth, int frameWidth);
