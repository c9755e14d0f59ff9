#include "keymap.h"

#include <QKeyEvent>
#include <array>
#include <utility>

#include "virtualkeys.h"

namespace {

// Keycodes of the X server (evdev code + 8) for the keys of the main block.
// Wayland compositors report the same numbers.
constexpr std::array<std::pair<uint32_t, int32_t>, 64> x11Keys{{
    {9, VkEscape},     {10, '1'},           {11, '2'},
    {12, '3'},         {13, '4'},           {14, '5'},
    {15, '6'},         {16, '7'},           {17, '8'},
    {18, '9'},         {19, '0'},           {20, VkMinus},
    {21, VkEquals},    {22, VkBack},        {23, VkTab},
    {24, 'Q'},         {25, 'W'},           {26, 'E'},
    {27, 'R'},         {28, 'T'},           {29, 'Y'},
    {30, 'U'},         {31, 'I'},           {32, 'O'},
    {33, 'P'},         {34, VkLeftBracket}, {35, VkRightBracket},
    {36, VkReturn},    {37, VkControl},     {38, 'A'},
    {39, 'S'},         {40, 'D'},           {41, 'F'},
    {42, 'G'},         {43, 'H'},           {44, 'J'},
    {45, 'K'},         {46, 'L'},           {47, VkSemicolon},
    {48, VkQuote},     {49, VkGrave},       {50, VkShift},
    {51, VkBackslash}, {52, 'Z'},           {53, 'X'},
    {54, 'C'},         {55, 'V'},           {56, 'B'},
    {57, 'N'},         {58, 'M'},           {59, VkComma},
    {60, VkPeriod},    {61, VkSlash},       {62, VkShift},
    {64, VkMenu},      {65, VkSpace},       {66, VkCapital},
    {104, VkReturn},   {105, VkControl},    {108, VkMenu},
    {67, VkF1},        {68, VkF1 + 1},      {69, VkF1 + 2},
}};

// The Latin key under each Cyrillic capital А..Я on the ЙЦУКЕН keyboard.
constexpr char16_t cyrillicPlaces[32] = {
    u'F', u',', u'D', u'U', u'L', u'T', u';', u'P', u'B', u'Q', u'R', u'K', u'V', u'Y',  u'J', u'G',
    u'H', u'C', u'N', u'E', u'A', u'[', u'W', u'X', u'I', u'O', u']', u'S', u'M', u'\'', u'.', u'Z',
};

int32_t punctuationKey(char16_t c)
{
    switch (c) {
    case u';': return VkSemicolon;
    case u'=': return VkEquals;
    case u',': return VkComma;
    case u'-': return VkMinus;
    case u'.': return VkPeriod;
    case u'/': return VkSlash;
    case u'`': return VkGrave;
    case u'[': return VkLeftBracket;
    case u'\\': return VkBackslash;
    case u']': return VkRightBracket;
    case u'\'': return VkQuote;
    default: return 0;
    }
}

// The Cyrillic keysyms 0x6c0..0x6df (small letters; 0x6e0.. the capitals)
// follow the KOI8-R order.
constexpr char16_t cyrillicKeysyms[32] = {
    u'ю', u'а', u'б', u'ц', u'д', u'е', u'ф', u'г', u'х', u'и', u'й', u'к', u'л', u'м', u'н', u'о',
    u'п', u'я', u'р', u'с', u'т', u'у', u'ж', u'в', u'ь', u'ы', u'з', u'ш', u'э', u'щ', u'ч', u'ъ',
};

bool isLetterKey(int32_t vk)
{
    return vk >= 'A' && vk <= 'Z';
}
bool isPunctuationKey(int32_t vk)
{
    return (vk >= VkSemicolon && vk <= VkGrave) || (vk >= VkLeftBracket && vk <= VkQuote);
}
// The digit row: 1..0 and the two keys right of it.
bool isNumberRowKey(int32_t vk)
{
    return (vk >= '0' && vk <= '9') || vk == VkEquals || vk == VkMinus;
}

// Whether a real layout may put a symbol judged `symbol` on the key at
// `place` (both known, different). Layouts move letters and punctuation
// among the letter and punctuation keys (AZERTY, Dvorak, the Russian
// layout's "." and "/"), and punctuation onto the digit row (";" on Shift+4
// in the Russian layout); none puts a letter on the digit row, a digit
// elsewhere, or a character on Escape, Tab, Space, Enter or a modifier.
bool symbolMayMoveThere(int32_t place, int32_t symbol)
{
    if (isNumberRowKey(place))
        return isPunctuationKey(symbol);
    if (isLetterKey(place) || isPunctuationKey(place))
        return isLetterKey(symbol) || isPunctuationKey(symbol);
    return false;
}

char16_t cyrillicUpper(char16_t c)
{
    if (c >= u'а' && c <= u'я')
        return char16_t(c - (u'а' - u'А'));
    if (c == u'ё')
        return u'Ё';
    return c;
}

}  // namespace

int32_t virtualKeyFromX11Keycode(uint32_t keycode)
{
    if (keycode >= 67 && keycode <= 76)  // F1..F10
        return int32_t(VkF1 + (keycode - 67));
    for (const auto& [code, vk] : x11Keys)
        if (code == keycode)
            return vk;
    return 0;
}

int32_t virtualKeyFromQtKey(int qtKey, char16_t character)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return VkReturn;
    case Qt::Key_Escape: return VkEscape;
    case Qt::Key_Space: return VkSpace;
    case Qt::Key_Shift: return VkShift;
    case Qt::Key_Control: return VkControl;
    case Qt::Key_Alt: return VkMenu;
    case Qt::Key_Backspace: return VkBack;
    case Qt::Key_Tab: return VkTab;
    case Qt::Key_CapsLock: return VkCapital;
    default: break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return VkF1 + (qtKey - Qt::Key_F1);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey;  // Qt's codes for Latin letters are the capitals, as are the virtual keys
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return qtKey;

    char16_t c = cyrillicUpper(character);
    if (c == 0 && qtKey > 0 && qtKey < 0x10000)
        c = cyrillicUpper(char16_t(qtKey));
    if (c >= u'А' && c <= u'Я') {
        const char16_t latin = cyrillicPlaces[c - u'А'];
        return latin >= u'A' && latin <= u'Z' ? int32_t(latin) : punctuationKey(latin);
    }
    if (c == u'Ё')
        return VkGrave;
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 'A';
    if (c >= u'A' && c <= u'Z')
        return c;
    if (c >= u'0' && c <= u'9')
        return c;
    return punctuationKey(c);
}

int32_t virtualKeyFromKeysym(uint32_t keysym)
{
    switch (keysym) {
    case 0xff0d:                   // Return
    case 0xff8d: return VkReturn;  // KP_Enter
    case 0xff1b: return VkEscape;
    case 0xff09: return VkTab;
    case 0xff08: return VkBack;
    case 0x20: return VkSpace;
    case 0x6a3: return virtualKeyFromQtKey(0, u'ё');
    case 0x6b3: return virtualKeyFromQtKey(0, u'Ё');
    default: break;
    }
    char16_t c = 0;
    if (keysym > 0x20 && keysym < 0x7f)  // the Latin-1 keysyms are their characters
        c = char16_t(keysym);
    else if (keysym >= 0x6c0 && keysym <= 0x6ff)
        c = cyrillicUpper(cyrillicKeysyms[(keysym - 0x6c0) % 32]);
    else if (keysym > 0x01000020 && keysym <= 0x0100ffff)  // Unicode keysyms
        c = char16_t(keysym - 0x01000000);
    return c == 0 ? 0 : virtualKeyFromQtKey(0, c);
}

int32_t virtualKeyFromKeyFacts(uint32_t keycode, uint32_t keysym, int qtKey, char16_t character)
{
    int32_t symbol = virtualKeyFromKeysym(keysym);
    if (symbol == 0)
        symbol = virtualKeyFromQtKey(qtKey, character);
    const int32_t place = keycode == 0 ? 0 : virtualKeyFromX11Keycode(keycode);
    if (place == 0)
        return symbol;
    if (symbol == 0 || symbol == place || symbolMayMoveThere(place, symbol))
        return place;
    return symbol;
}

int32_t virtualKeyOf(const QKeyEvent& event)
{
    const QString text = event.text();
    const char16_t character = text.isEmpty() ? u'\0' : text.at(0).unicode();
#if defined(Q_OS_WIN)
    if (event.nativeVirtualKey() != 0)
        return int32_t(event.nativeVirtualKey());
    return virtualKeyFromQtKey(event.key(), character);
#elif defined(Q_OS_MACOS)
    // Neither X keycodes nor keysyms there.
    return virtualKeyFromQtKey(event.key(), character);
#else
    // X11 and Wayland: the native virtual key is the keysym.
    return virtualKeyFromKeyFacts(event.nativeScanCode(), event.nativeVirtualKey(), event.key(), character);
#endif
}

bool isScreenReaderKey(int qtKey, bool onKeypad)
{
    return onKeypad || qtKey == Qt::Key_Insert || qtKey == Qt::Key_CapsLock;
}
