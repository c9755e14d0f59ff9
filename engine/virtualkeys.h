#pragma once

#include <cstdint>

// The key codes the game judges: the Windows virtual-key numbers, which the
// game has always spoken. A letter key is its Latin capital ('A'..'Z') and a
// digit key its digit ('0'..'9'); the rest are named here, once. The
// punctuation keys are named after what they carry on a US keyboard. The key
// map turns every platform's key events into these codes.
inline constexpr int32_t VkBack = 8;
inline constexpr int32_t VkTab = 9;
inline constexpr int32_t VkReturn = 13;
inline constexpr int32_t VkShift = 16;
inline constexpr int32_t VkControl = 17;
inline constexpr int32_t VkMenu = 18;     // Alt
inline constexpr int32_t VkCapital = 20;  // Caps Lock
inline constexpr int32_t VkEscape = 27;
inline constexpr int32_t VkSpace = 32;
inline constexpr int32_t Vk1 = '1';
inline constexpr int32_t Vk2 = '2';
inline constexpr int32_t Vk3 = '3';
inline constexpr int32_t VkF1 = 112;  // F2 .. F12 follow
inline constexpr int32_t VkSemicolon = 186;
inline constexpr int32_t VkEquals = 187;
inline constexpr int32_t VkComma = 188;
inline constexpr int32_t VkMinus = 189;
inline constexpr int32_t VkPeriod = 190;
inline constexpr int32_t VkSlash = 191;
inline constexpr int32_t VkGrave = 192;
inline constexpr int32_t VkLeftBracket = 219;
inline constexpr int32_t VkBackslash = 220;
inline constexpr int32_t VkRightBracket = 221;
inline constexpr int32_t VkQuote = 222;
