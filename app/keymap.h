#pragma once

#include <cstdint>

class QKeyEvent;

// Turns a key event into the Windows virtual-key code of the key that was
// struck. The physical key decides (X11/Wayland keycode, Windows scan code),
// so the Latin and the Russian layout give the same codes. Events without a
// physical code (synthesised ones) fall back to the key's character: Latin
// letters, Cyrillic letters by their place on the ЙЦУКЕН keyboard, digits,
// Enter, Escape, Space and punctuation. Unknown keys give 0, which matches no
// key of the trainer.
int32_t virtualKeyOf(const QKeyEvent& event);

// The same two mappings, exposed for tests.
int32_t virtualKeyFromX11Keycode(uint32_t keycode);
int32_t virtualKeyFromQtKey(int qtKey, char16_t character);
