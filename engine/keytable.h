#pragma once

#include <array>
#include <cstdint>
#include <string>

// One key of the keyboard picture: its Windows virtual-key code, the Russian
// letter on it, the top-left corner of its 37 x 39 marking box in the picture,
// the colour of the finger that strikes it (0x00BBGGRR) and whether it is one
// of the eleven home-row keys.
struct KeyRecord {
    int32_t virtualKey;
    char16_t letter;
    int32_t x;
    int32_t y;
    uint32_t colour;
    bool active;
};

inline constexpr uint32_t FingerAqua = 0xFFFF00;     // little finger
inline constexpr uint32_t FingerLime = 0x00FF00;     // ring finger
inline constexpr uint32_t FingerYellow = 0x00FFFF;   // middle finger
inline constexpr uint32_t FingerFuchsia = 0xFF00FF;  // index finger

// Record 0 is the space bar; it shares its place with record 1 and is never lit.
extern const std::array<KeyRecord, 34> KeyTable;

// First record, 0..33, whose virtual-key code equals the code; nullptr if none.
const KeyRecord* findKeyByCode(int32_t virtualKey);

// First record among 1..33 whose letter equals the character; nullptr if none
// (the space is never found).
const KeyRecord* findKeyToMark(char16_t letter);

// The finger that strikes the letter's key, as a listener is told it: the
// hand and the finger («левый указательный», «правый мизинец»), «большой
// палец» for the space; empty for a letter without a key. The hand is the
// key's side of the keyboard picture, the finger its colour.
std::u16string fingerName(char16_t letter);
