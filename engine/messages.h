#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The texts the game shows: prompts of the side panel, the result messages
// after each exercise and the victory message. Line breaks are "\r\n".

inline constexpr std::u16string_view LevelChoicePrompt = u"Тренировка. Выбери уровень сложности";
inline constexpr std::u16string_view PlayAgainPrompt = u"Игра окончена. Сыграем еще раз?";
inline constexpr std::u16string_view ResultTitle = u"Конец упражнения";
inline constexpr std::u16string_view VictoryTitle = u"Победа!";

// Kind of the message dialog used for results and victory (information).
inline constexpr int InformationMessage = 64;

inline constexpr int32_t ResultMessageCount = 15;

// "Уровень сложности: N".
std::u16string levelPrompt(int32_t level);

// Result message 0..14; anything else throws std::out_of_range.
std::u16string_view resultMessage(int32_t index);

// First message of the group for an exercise's errors: 0 for none, 5 for one
// or two, 10 for three or more. The message shown is this + Random(5).
int32_t resultGroupStart(int32_t exerciseErrors);

// "Поздравляем с успехом!\r\nВаши очки: N."
std::u16string victoryText(int32_t score);
