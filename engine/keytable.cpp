#include "keytable.h"

#include <cstddef>

#include "virtualkeys.h"

const std::array<KeyRecord, 34> KeyTable = {{
    {VkSpace, u' ', 18, 56, FingerFuchsia, false},
    {'A', u'Ф', 18, 56, FingerAqua, true},
    {'B', u'И', 224, 106, FingerFuchsia, false},
    {'C', u'С', 128, 106, FingerYellow, false},
    {'D', u'В', 114, 56, FingerYellow, true},
    {'E', u'У', 102, 6, FingerYellow, false},
    {'F', u'А', 162, 56, FingerFuchsia, true},
    {'G', u'П', 210, 56, FingerFuchsia, true},
    {'H', u'Р', 282, 56, FingerFuchsia, true},
    {'I', u'Ш', 366, 6, FingerYellow, false},
    {'J', u'О', 330, 56, FingerFuchsia, true},
    {'K', u'Л', 378, 56, FingerYellow, true},
    {'L', u'Д', 426, 56, FingerLime, true},
    {'M', u'Ь', 344, 106, FingerFuchsia, false},
    {'N', u'Т', 294, 106, FingerFuchsia, false},
    {'O', u'Щ', 414, 6, FingerLime, false},
    {'P', u'З', 464, 6, FingerAqua, false},
    {'Q', u'Й', 6, 6, FingerAqua, false},
    {'R', u'К', 150, 6, FingerFuchsia, false},
    {'S', u'Ы', 66, 56, FingerLime, true},
    {'T', u'Е', 198, 6, FingerFuchsia, false},
    {'U', u'Г', 318, 6, FingerFuchsia, false},
    {'V', u'М', 176, 106, FingerFuchsia, false},
    {'W', u'Ц', 54, 6, FingerLime, false},
    {'X', u'Ч', 80, 106, FingerLime, false},
    {'Y', u'Н', 270, 6, FingerFuchsia, false},
    {'Z', u'Я', 32, 106, FingerAqua, false},
    {VkSemicolon, u'Ж', 474, 56, FingerAqua, true},
    {VkComma, u'Б', 390, 106, FingerYellow, false},
    {VkPeriod, u'Ю', 438, 106, FingerLime, false},
    {VkSlash, u'.', 486, 106, FingerAqua, false},
    {VkLeftBracket, u'Х', 510, 6, FingerAqua, false},
    {VkRightBracket, u'Ъ', 558, 6, FingerAqua, false},
    {VkQuote, u'Э', 522, 56, FingerAqua, true},
}};

const KeyRecord* findKeyByCode(int32_t virtualKey)
{
    for (const KeyRecord& record : KeyTable) {
        if (record.virtualKey == virtualKey)
            return &record;
    }
    return nullptr;
}

const KeyRecord* findKeyToMark(char16_t letter)
{
    for (std::size_t i = 1; i < KeyTable.size(); ++i) {
        if (KeyTable[i].letter == letter)
            return &KeyTable[i];
    }
    return nullptr;
}

std::u16string fingerName(char16_t letter)
{
    if (letter == u' ')
        return u"большой палец";
    const KeyRecord* key = findKeyToMark(letter);
    if (key == nullptr)
        return {};
    // The left index finger's keys end at И (x 224), the right one's begin
    // at Н (x 270).
    std::u16string name = key->x < 250 ? u"левый " : u"правый ";
    switch (key->colour) {
    case FingerAqua: return name + u"мизинец";
    case FingerLime: return name + u"безымянный";
    case FingerYellow: return name + u"средний";
    default: return name + u"указательный";
    }
}
