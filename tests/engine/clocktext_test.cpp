#include <gtest/gtest.h>

#include <limits>

#include "checked.h"
#include "clocktext.h"
#include "messages.h"

namespace {

constexpr int32_t Max = std::numeric_limits<int32_t>::max();
constexpr int32_t Min = std::numeric_limits<int32_t>::min();

class TimeTexts : public testing::TestWithParam<std::pair<int32_t, std::u16string>> {};

TEST_P(TimeTexts, ShowMinutesAndSeconds)
{
    EXPECT_EQ(timeText(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Seconds, TimeTexts,
                         testing::Values(std::make_pair(0, u"00:00"), std::make_pair(9, u"00:09"),
                                         std::make_pair(59, u"00:59"), std::make_pair(60, u"01:00"),
                                         std::make_pair(600, u"10:00"), std::make_pair(905, u"15:05"),
                                         std::make_pair(3599, u"59:59"), std::make_pair(3600, u"60:00"),
                                         std::make_pair(6000, u"100:00")));

TEST(SpeedText, LettersPerMinuteTruncated)
{
    EXPECT_EQ(speedText(12, 1), u"720 б/мин");
    EXPECT_EQ(speedText(100, 45), u"133 б/мин");
    EXPECT_EQ(speedText(0, 7), u"0 б/мин");
    EXPECT_EQ(speedText(35791394, 1), u"2147483640 б/мин");  // the largest product that fits
}

TEST(SpeedText, OverflowAndZeroTimeAreFatal)
{
    EXPECT_THROW(speedText(35791395, 1), std::overflow_error);
    EXPECT_THROW(speedText(5, 0), std::overflow_error);
}

TEST(ClockText, DecimalErrorsAndSessionHint)
{
    EXPECT_EQ(decimalText(0), u"0");
    EXPECT_EQ(decimalText(Max), u"2147483647");
    EXPECT_EQ(decimalText(Min), u"-2147483648");
    EXPECT_EQ(errorsText(13), u"13");
    EXPECT_EQ(sessionHint(905), u"Общее время - 15:05");
}

TEST(Lamps, SwitchOnlyAtOneAndFifteenAndTwentyMinutes)
{
    using Switches = std::vector<LampSwitch>;
    auto at = [](int32_t seconds) {
        const auto span = lampSwitches(seconds);
        return Switches(span.begin(), span.end());
    };
    EXPECT_EQ(Switches(startupLamps().begin(), startupLamps().end()), (Switches{{0, 0}, {1, 2}, {2, 4}}));
    EXPECT_EQ(at(1), (Switches{{0, 1}}));
    EXPECT_EQ(at(901), (Switches{{0, 0}, {1, 3}}));
    EXPECT_EQ(at(1201), (Switches{{1, 2}, {2, 5}}));
    for (int32_t seconds : {0, 2, 900, 902, 1200, 1202, 2401, 901 + 86400})
        EXPECT_TRUE(at(seconds).empty()) << seconds;
}

TEST(Checked, ArithmeticRefusesToWrap)
{
    EXPECT_EQ(checkedAdd(Max - 1, 1), Max);
    EXPECT_THROW(checkedAdd(Max, 1), std::overflow_error);
    EXPECT_THROW(checkedAdd(Min, -1), std::overflow_error);
    EXPECT_EQ(checkedMul(46340, 46340), 2147395600);
    EXPECT_THROW(checkedMul(46341, 46341), std::overflow_error);
    EXPECT_EQ(checkedDiv(-7, 2), -3);  // truncates toward zero
    EXPECT_EQ(checkedMod(-7, 2), -1);
    EXPECT_THROW(checkedDiv(1, 0), std::overflow_error);
    EXPECT_THROW(checkedDiv(Min, -1), std::overflow_error);
    EXPECT_EQ(checkedMod(Min, -1), 0);

    int32_t counter = Max;
    EXPECT_THROW(checkedIncrement(counter), std::overflow_error);
    EXPECT_EQ(counter, Max);
}

TEST(Messages, PromptsAndVictoryText)
{
    EXPECT_EQ(levelPrompt(2), u"Уровень сложности: 2");
    EXPECT_EQ(victoryText(351), u"Поздравляем с успехом!\r\nВаши очки: 351.");
    EXPECT_EQ(LevelChoicePrompt, u"Тренировка. Выбери уровень сложности");
    EXPECT_EQ(PlayAgainPrompt, u"Игра окончена. Сыграем еще раз?");
}

TEST(Messages, GroupsByErrorCount)
{
    EXPECT_EQ(resultGroupStart(0), 0);
    EXPECT_EQ(resultGroupStart(1), 5);
    EXPECT_EQ(resultGroupStart(2), 5);
    EXPECT_EQ(resultGroupStart(3), 10);
    EXPECT_EQ(resultGroupStart(Max), 10);
    EXPECT_THROW(resultMessage(-1), std::out_of_range);
    EXPECT_THROW(resultMessage(15), std::out_of_range);
}

TEST(Messages, LinesBreakWithCarriageReturnAndLineFeed)
{
    for (int32_t i = 0; i < ResultMessageCount; ++i) {
        const std::u16string_view text = resultMessage(i);
        EXPECT_NE(text.find(u"\r\n"), std::u16string_view::npos) << i;
        for (size_t pos = 0; pos < text.size(); ++pos) {
            if (text[pos] == u'\r') {
                EXPECT_EQ(text.substr(pos, 2), u"\r\n") << i;
            }
            if (text[pos] == u'\n') {
                EXPECT_EQ(text[pos - 1], u'\r') << i;
            }
        }
    }
    EXPECT_EQ(resultMessage(0), u"Молодец!\r\nПродолжай в том же духе.");
    EXPECT_EQ(resultMessage(14), u"Исправлять ошибки труднее,\r\nчем избегать их.");
}

TEST(Messages, TwelveQuotesItsWordWithPlainDoubleQuotes)
{
    EXPECT_EQ(resultMessage(12), u"Когда пальцы \u0022запомнят\u0022\r\nрасположение клавиш,\r\nошибок будет меньше.");
}

}  // namespace
