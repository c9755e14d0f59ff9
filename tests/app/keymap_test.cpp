#include <QKeyEvent>
#include <gtest/gtest.h>

#include "keymap.h"

// The home row and its neighbours by X keycode, whatever the layout.
TEST(KeyMap, PhysicalKeysGiveTheirVirtualKeys)
{
    const std::pair<uint32_t, int32_t> cases[] = {
        {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'}, {42, 'G'}, {43, 'H'}, {44, 'J'}, {45, 'K'}, {46, 'L'},
        {47, 186}, {48, 222}, {65, 32}, {36, 13}, {9, 27}, {10, '1'}, {11, '2'}, {12, '3'}, {50, 16},
        {61, 191}, {34, 219}, {35, 221}, {67, 112}, {200, 0},
    };
    for (const auto& [keycode, vk] : cases)
        EXPECT_EQ(virtualKeyFromX11Keycode(keycode), vk) << "keycode " << keycode;
}

TEST(KeyMap, CharactersFallBackToTheirKeyPlace)
{
    // Cyrillic letters by their place on the ЙЦУКЕН keyboard.
    const std::pair<char16_t, int32_t> cyrillic[] = {
        {u'ф', 'A'}, {u'Ы', 'S'}, {u'в', 'D'}, {u'А', 'F'}, {u'п', 'G'}, {u'Р', 'H'}, {u'о', 'J'},
        {u'Л', 'K'}, {u'д', 'L'}, {u'Ж', 186}, {u'э', 222}, {u'Й', 'Q'}, {u'ю', 190}, {u'Б', 188},
        {u'х', 219}, {u'Ъ', 221}, {u'я', 'Z'}, {u'ё', 192},
    };
    for (const auto& [c, vk] : cyrillic)
        EXPECT_EQ(virtualKeyFromQtKey(0, c), vk) << int(c);
    // Qt reports an unknown key by its character code when no text comes with it.
    EXPECT_EQ(virtualKeyFromQtKey(0x0424, 0), 'A');

    EXPECT_EQ(virtualKeyFromQtKey(Qt::Key_A, u'a'), 'A');
    EXPECT_EQ(virtualKeyFromQtKey(Qt::Key_1, u'1'), '1');
    EXPECT_EQ(virtualKeyFromQtKey(Qt::Key_Return, u'\r'), 13);
    EXPECT_EQ(virtualKeyFromQtKey(Qt::Key_Enter, u'\r'), 13);
    EXPECT_EQ(virtualKeyFromQtKey(Qt::Key_Escape, 0), 27);
    EXPECT_EQ(virtualKeyFromQtKey(Qt::Key_Space, u' '), 32);
    EXPECT_EQ(virtualKeyFromQtKey(Qt::Key_Shift, 0), 16);
    EXPECT_EQ(virtualKeyFromQtKey(Qt::Key_F1, 0), 112);
    EXPECT_EQ(virtualKeyFromQtKey(Qt::Key_Period, u'.'), 190);
    EXPECT_EQ(virtualKeyFromQtKey(Qt::Key_Semicolon, u';'), 186);
    EXPECT_EQ(virtualKeyFromQtKey(Qt::Key_Apostrophe, u'\''), 222);
    EXPECT_EQ(virtualKeyFromQtKey(Qt::Key_Question, u'?'), 0);
}

TEST(KeyMap, EventPrefersThePhysicalKey)
{
    // A Russian layout sends "ф" for the key under Latin A: the keycode decides.
    QKeyEvent russian(QEvent::KeyPress, 0x0424, Qt::NoModifier, 38, 0x6c6, 0, QStringLiteral("ф"));
    EXPECT_EQ(virtualKeyOf(russian), 'A');
    QKeyEvent synthetic(QEvent::KeyPress, 0x0424, Qt::NoModifier, QStringLiteral("ф"));
    EXPECT_EQ(virtualKeyOf(synthetic), 'A');
}
