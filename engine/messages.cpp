#include "messages.h"

#include <array>
#include <stdexcept>

#include "clocktext.h"

namespace {

constexpr std::array<std::u16string_view, ResultMessageCount> ResultMessages = {
    // no errors
    u"Молодец!\r\nПродолжай в том же духе.",
    u"Всё в порядке.\r\nОтдохни, прежде чем продолжать дальше.",
    u"Нет ни одной ошибки!\r\nПродолжай оставаться внимательным.",
    u"Отлично!\r\nВнимательность и аккуратность -\r\nзалог успеха.",
    u"Все упражнения надо\r\nвыполнять так же хорошо!",
    // one or two errors
    u"Чтобы ошибок не было совсем,\r\nтребуется немного больше\r\nвнимания.",
    u"Работай спокойнее, внимательнее и аккуратнее -\r\nвсё идет неплохо.",
    u"Ещё чуть-чуть -\r\nи всё получится просто отлично.",
    u"Хорошо, но это упражнение\r\nможно выполнить ещё лучше.",
    u"Если ещё потренироваться,\r\nошибки вообще исчезнут.",
    // three or more errors
    u"Многовато ошибок -\r\nстоит действовать помедленнее.",
    u"Если ошибки вызваны усталостью,\r\nпосиди, отдохни и только потом\r\nдвигайся дальше.",
    u"Когда пальцы \"запомнят\"\r\nрасположение клавиш,\r\nошибок будет меньше.",
    u"В другой раз наверняка\r\nполучится намного лучше.",
    u"Исправлять ошибки труднее,\r\nчем избегать их.",
};

}  // namespace

std::u16string levelPrompt(int32_t level)
{
    return u"Уровень сложности: " + decimalText(level);
}

std::u16string_view resultMessage(int32_t index)
{
    if (index < 0 || index >= ResultMessageCount)
        throw std::out_of_range("result message index outside 0..14");
    return ResultMessages[static_cast<size_t>(index)];
}

int32_t resultGroupStart(int32_t exerciseErrors)
{
    if (exerciseErrors <= 0)
        return 0;
    if (exerciseErrors <= 2)
        return 5;
    return 10;
}

std::u16string victoryText(int32_t score)
{
    return u"Поздравляем с успехом!\r\nВаши очки: " + decimalText(score) + u".";
}
