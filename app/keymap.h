#pragma once

#include <cstdint>

class QKeyEvent;

// Turns a key event into the Windows virtual-key code of the key that was
// struck. The physical key decides (X11/Wayland keycode, Windows scan code),
// so the Latin and the Russian layout give the same codes. Events without a
// physical code (synthesised ones), and events whose keycode is not a key of
// the keyboard (see virtualKeyFromKeyFacts), fall back to the key's keysym or
// character: Latin letters, Cyrillic letters by their place on the ЙЦУКЕН
// keyboard, digits, Enter, Escape, Space and punctuation. Unknown keys give
// 0, which matches no key of the trainer and so is judged a wrong key.
int32_t virtualKeyOf(const QKeyEvent& event);

// The mappings behind it, exposed for tests.
int32_t virtualKeyFromX11Keycode(uint32_t keycode);
int32_t virtualKeyFromQtKey(int qtKey, char16_t character);
// An X keysym (also Wayland's): Latin-1, the Cyrillic block and the Unicode
// keysyms (0x01000000 + code point), Return, Escape, Tab, BackSpace.
int32_t virtualKeyFromKeysym(uint32_t keysym);

// The whole decision for an X11 or Wayland key event. On-screen keyboards,
// `xdotool type`, `wtype` and remote-desktop clients put characters on spare
// keycodes, or on a keymap of their own whose keycodes 9, 10 ... coincide
// with Escape, 1 ... of a real keyboard. So the keycode's place counts only
// where the key's own symbol does not contradict it: a letter, a digit or a
// non-character key (Space, Enter ...) belongs on its own place in every
// Latin and Cyrillic layout, while punctuation moves between the punctuation
// and digit keys (the Russian layout has "." left of the right Shift and ";"
// on Shift+4), so punctuation there keeps the keycode's place.
int32_t virtualKeyFromKeyFacts(uint32_t keycode, uint32_t keysym, int qtKey, char16_t character);

// Keys a screen reader keeps for its own commands: every key of the keypad
// (review, where-am-I) and the screen reader's modifier, Insert (Caps Lock
// on a laptop keyboard). The screen reader takes them before the window
// does; while one runs, the window leaves alone any that still reach it
// (Qt hands a key on to the window when the reader's answer is late).
bool isScreenReaderKey(int qtKey, bool onKeypad);
