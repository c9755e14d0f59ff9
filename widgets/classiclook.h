#pragma once

class QApplication;

// The grey, bevelled look of the classic desktop on every platform: the
// Fusion style with the classic system colours and the embedded fonts.
void applyClassicLook(QApplication& app);
