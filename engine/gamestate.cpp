#include "gamestate.h"

#include <cstddef>
#include <stdexcept>

namespace {

void checkSlot(int32_t n)
{
    if (n < 1 || n > 5)
        throw std::out_of_range("line slot outside 1..5");
}

}  // namespace

const std::u16string& GameState::line(int32_t n) const
{
    checkSlot(n);
    return Lines[static_cast<size_t>(n)];
}

std::u16string& GameState::line(int32_t n)
{
    checkSlot(n);
    return Lines[static_cast<size_t>(n)];
}

char16_t GameState::expectedChar() const
{
    if (CurrentLine < 1 || CurrentLine > 5)
        return u'\0';
    const std::u16string& text = Lines[static_cast<size_t>(CurrentLine)];
    if (CurrentPos < 1 || static_cast<size_t>(CurrentPos) > text.size())
        return u'\0';
    return text[static_cast<size_t>(CurrentPos) - 1];
}
