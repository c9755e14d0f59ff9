#include "keytable.h"

#include <cstddef>

const std::array<KeyRecord, 34> KeyTable = {{
    {32, u' ', 18, 56, FingerFuchsia, false},
    {65, u'Ф', 18, 56, FingerAqua, true},
    {66, u'И', 224, 106, FingerFuchsia, false},
    {67, u'С', 128, 106, FingerYellow, false},
    {68, u'В', 114, 56, FingerYellow, true},
    {69, u'У', 102, 6, FingerYellow, false},
    {70, u'А', 162, 56, FingerFuchsia, true},
    {71, u'П', 210, 56, FingerFuchsia, true},
    {72, u'Р', 282, 56, FingerFuchsia, true},
    {73, u'Ш', 366, 6, FingerYellow, false},
    {74, u'О', 330, 56, FingerFuchsia, true},
    {75, u'Л', 378, 56, FingerYellow, true},
    {76, u'Д', 426, 56, FingerLime, true},
    {77, u'Ь', 344, 106, FingerFuchsia, false},
    {78, u'Т', 294, 106, FingerFuchsia, false},
    {79, u'Щ', 414, 6, FingerLime, false},
    {80, u'З', 464, 6, FingerAqua, false},
    {81, u'Й', 6, 6, FingerAqua, false},
    {82, u'К', 150, 6, FingerFuchsia, false},
    {83, u'Ы', 66, 56, FingerLime, true},
    {84, u'Е', 198, 6, FingerFuchsia, false},
    {85, u'Г', 318, 6, FingerFuchsia, false},
    {86, u'М', 176, 106, FingerFuchsia, false},
    {87, u'Ц', 54, 6, FingerLime, false},
    {88, u'Ч', 80, 106, FingerLime, false},
    {89, u'Н', 270, 6, FingerFuchsia, false},
    {90, u'Я', 32, 106, FingerAqua, false},
    {186, u'Ж', 474, 56, FingerAqua, true},
    {188, u'Б', 390, 106, FingerYellow, false},
    {190, u'Ю', 438, 106, FingerLime, false},
    {191, u'.', 486, 106, FingerAqua, false},
    {219, u'Х', 510, 6, FingerAqua, false},
    {221, u'Ъ', 558, 6, FingerAqua, false},
    {222, u'Э', 522, 56, FingerAqua, true},
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
