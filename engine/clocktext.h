#pragma once

#include <cstdint>
#include <span>
#include <string>

// Texts of the game clock, the statistics labels and the session clock.

// A counter in decimal ("-" before negative values).
std::u16string decimalText(int32_t value);

// "MM:SS": minutes and seconds with a leading "0" below 10. Minutes are not
// wrapped into hours: 3600 gives "60:00", 6000 gives "100:00".
std::u16string timeText(int32_t seconds);

// Typing speed "N б/мин", N = (letters * 60) div seconds, truncated. The
// product is checked; seconds must not be 0 (the clock has always ticked at
// least once when this is shown).
std::u16string speedText(int32_t letters, int32_t seconds);

// Errors of the game in decimal.
std::u16string errorsText(int32_t errors);

// Tooltip of the three lamps: "Общее время - MM:SS".
std::u16string sessionHint(int32_t sessionSeconds);

// The lamps: 0 green, 1 yellow, 2 red; lamp pictures 0 dark green,
// 1 bright green, 2 dark yellow, 3 bright yellow, 4 dark red, 5 bright red.
struct LampSwitch {
    int lamp;
    int image;

    bool operator==(const LampSwitch&) const = default;
};

// The lamps shown when the window is created: all three dark.
std::span<const LampSwitch> startupLamps();

// The lamps that change when the session clock reaches `sessionSeconds`:
// the green one lights at 1 s, the yellow one takes over at 901 s (15 minutes),
// the red one at 1201 s (20 minutes). Empty for every other value.
std::span<const LampSwitch> lampSwitches(int32_t sessionSeconds);
