#include "clocktext.h"

#include <array>

#include "checked.h"

namespace {

std::u16string twoDigits(int32_t value)
{
    std::u16string text = decimalText(value);
    if (value >= 0 && value < 10)
        text.insert(text.begin(), u'0');
    return text;
}

constexpr std::array<LampSwitch, 3> StartupLamps = {{{0, 0}, {1, 2}, {2, 4}}};
constexpr std::array<LampSwitch, 1> GreenOn = {{{0, 1}}};
constexpr std::array<LampSwitch, 2> YellowOn = {{{0, 0}, {1, 3}}};
constexpr std::array<LampSwitch, 2> RedOn = {{{1, 2}, {2, 5}}};

}  // namespace

std::u16string decimalText(int32_t value)
{
    // Digits from the lowest up, on the magnitude as 64 bits so the minimum
    // value needs no special case.
    int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        text.insert(text.begin(), u'-');
    return text;
}

std::u16string timeText(int32_t seconds)
{
    return twoDigits(checkedDiv(seconds, 60)) + u":" + twoDigits(checkedMod(seconds, 60));
}

std::u16string speedText(int32_t letters, int32_t seconds)
{
    return decimalText(checkedDiv(checkedMul(letters, 60), seconds)) + u" б/мин";
}

std::u16string errorsText(int32_t errors)
{
    return decimalText(errors);
}

std::u16string sessionHint(int32_t sessionSeconds)
{
    return u"Общее время - " + timeText(sessionSeconds);
}

std::span<const LampSwitch> startupLamps()
{
    return StartupLamps;
}

std::span<const LampSwitch> lampSwitches(int32_t sessionSeconds)
{
    switch (sessionSeconds) {
    case 1: return GreenOn;
    case 901: return YellowOn;
    case 1201: return RedOn;
    default: return {};
    }
}
