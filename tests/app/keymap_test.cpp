#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

#include "keymap.h"
#include "keysdown.h"

// The home row and its neighbours by X keycode, whatever the layout.
TEST(KeyMap, PhysicalKeysGiveTheirVirtualKeys)
{
    const std::pair<uint32_t, int32_t> cases[] = {
        {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'}, {42, 'G'}, {43, 'H'}, {44, 'J'}, {45, 'K'},
        {46, 'L'}, {47, 186}, {48, 222}, {65, 32},  {36, 13},  {9, 27},   {10, '1'}, {11, '2'},
        {12, '3'}, {50, 16},  {61, 191}, {34, 219}, {35, 221}, {67, 112}, {200, 0},
    };
    for (const auto& [keycode, vk] : cases)
        EXPECT_EQ(virtualKeyFromX11Keycode(keycode), vk) << "keycode " << keycode;
}

TEST(KeyMap, CharactersFallBackToTheirKeyPlace)
{
    // Cyrillic letters by their place on the ЙЦУКЕН keyboard.
    const std::pair<char16_t, int32_t> cyrillic[] = {
        {u'ф', 'A'}, {u'Ы', 'S'}, {u'в', 'D'}, {u'А', 'F'}, {u'п', 'G'}, {u'Р', 'H'},
        {u'о', 'J'}, {u'Л', 'K'}, {u'д', 'L'}, {u'Ж', 186}, {u'э', 222}, {u'Й', 'Q'},
        {u'ю', 190}, {u'Б', 188}, {u'х', 219}, {u'Ъ', 221}, {u'я', 'Z'}, {u'ё', 192},
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

TEST(KeyMap, KeysymsGiveTheirKeyPlace)
{
    const std::pair<uint32_t, int32_t> cases[] = {
        {0x61, 'A'},      {0x46, 'F'},      {0x3b, 186},  {0x27, 222},    {0x31, '1'},  {0x20, 32},   {0x6c6, 'A'},
        {0x6e6, 'A'},     {0x6c0, 190},     {0x6ff, 221}, {0x6d0, 'G'},   {0x6a3, 192}, {0x6b3, 192}, {0x100043f, 'G'},
        {0x1000416, 186}, {0x1000066, 'F'}, {0xff0d, 13}, {0xff8d, 13},   {0xff1b, 27}, {0xff09, 9},  {0xff08, 8},
        {0xffe1, 0},      {0x21, 0},        {0xe9, 0},    {0x10020ac, 0}, {0, 0},
    };
    for (const auto& [keysym, vk] : cases)
        EXPECT_EQ(virtualKeyFromKeysym(keysym), vk) << std::hex << "keysym 0x" << keysym;
}

// One key event's facts and the key the trainer should judge it as.
namespace {
struct KeyFacts {
    uint32_t keycode, keysym;
    int qtKey;
    char16_t character;
    int32_t vk;
};
}  // namespace

// Characters on keycodes that are not keys of a real keyboard: xdotool's
// spare keycode 8, a remote-desktop keycode 253, and wtype's own keymap
// whose keycodes 9, 10, 12 ... are Escape, 1, 3 on a real keyboard.
TEST(KeyMap, RemappedKeycodesAreJudgedByTheirSymbol)
{
    const KeyFacts cases[] = {
        {8, 0x100043f, 0x041f, u'п', 'G'},  // Cyrillic letter on a spare keycode: its ЙЦУКЕН place
        {253, 0x6c1, 0x0410, u'а', 'F'},
        {8, 0x67, Qt::Key_G, u'g', 'G'},      // Latin letter: its QWERTY place
        {9, 0x6d0, 0x041f, u'п', 'G'},        // wtype: "п" on Escape's keycode
        {10, 0x66, Qt::Key_F, u'f', 'F'},     // "f" on the keycode of 1
        {12, 0x20, Qt::Key_Space, u' ', 32},  // space on the keycode of 3
        {11, 0x31, Qt::Key_1, u'1', '1'},     // "1" on the keycode of 2
        {24, 0xff0d, Qt::Key_Return, u'\r', 13},
        {8, 0, 0x0416, u'ж', 186},  // no keysym: the character decides
        {8, 0, 0, u'\0', 0},        // neither: an unknown key
        {8, 0xffbe, Qt::Key_F1, u'\0', 112},
    };
    for (const auto& c : cases)
        EXPECT_EQ(virtualKeyFromKeyFacts(c.keycode, c.keysym, c.qtKey, c.character), c.vk)
            << "keycode " << c.keycode << " keysym 0x" << std::hex << c.keysym;
}

// Real layouts keep the physical place, also where their symbol would name
// another key: Russian punctuation, AZERTY letters, keys without a symbol
// the trainer knows.
TEST(KeyMap, RealLayoutsKeepThePhysicalPlace)
{
    const KeyFacts cases[] = {
        {41, 0x6c1, 0x0410, u'а', 'F'},             // Russian "а"
        {48, 0x6dc, 0x042d, u'э', 222},             // Russian "э"
        {61, 0x2e, Qt::Key_Period, u'.', 191},      // Russian "." left of the right Shift
        {51, 0x2f, Qt::Key_Slash, u'/', 220},       // Russian Shift+backslash
        {13, 0x3b, Qt::Key_Semicolon, u';', '4'},   // Russian Shift+4
        {24, 0x61, Qt::Key_A, u'a', 'Q'},           // AZERTY "a"
        {58, 0x2c, Qt::Key_Comma, u',', 'M'},       // AZERTY ","
        {15, 0x2d, Qt::Key_Minus, u'-', '6'},       // AZERTY "-"
        {10, 0x21, Qt::Key_Exclam, u'!', '1'},      // us Shift+1
        {34, 0xfc, Qt::Key_Udiaeresis, u'ü', 219},  // German "ü"
        {108, 0xfe03, Qt::Key_AltGr, u'\0', 18},    // AltGr
        {50, 0xffe1, Qt::Key_Shift, u'\0', 16},
        {41, 0x6c1, 0x0410, u'\x01', 'F'},  // Ctrl+"а": the keysym, not the control character
    };
    for (const auto& c : cases)
        EXPECT_EQ(virtualKeyFromKeyFacts(c.keycode, c.keysym, c.qtKey, c.character), c.vk)
            << "keycode " << c.keycode << " keysym 0x" << std::hex << c.keysym;
}

TEST(KeyMap, EventOnASpareKeycodeIsJudgedByItsCharacter)
{
    // What `xdotool type п` delivers in the us layout.
    QKeyEvent spare(QEvent::KeyPress, 0x041f, Qt::NoModifier, 8, 0x100043f, 0, QStringLiteral("п"));
    EXPECT_EQ(virtualKeyOf(spare), 'G');
    QKeyEvent nothing(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, 8, 0, 0, QString());
    EXPECT_EQ(virtualKeyOf(nothing), 0);
}

// Held keys by their place: a press seen twice on its way through the
// widgets counts once, a repeat's release leaves the key down.
TEST(KeysDown, FollowsHeldKeysAndWaitsForThemToComeUp)
{
    auto event = [](QEvent::Type type, quint32 keycode, bool repeat = false) {
        return QKeyEvent(type, Qt::Key_A, Qt::NoModifier, keycode, 0, 0, QStringLiteral("a"), repeat);
    };
    KeysDown keys;
    keys.follow(event(QEvent::KeyPress, 38));
    keys.follow(event(QEvent::KeyPress, 38));
    keys.follow(event(QEvent::KeyPress, 65));
    keys.follow(event(QEvent::KeyRelease, 38, true));
    keys.follow(event(QEvent::KeyRelease, 38));
    EXPECT_TRUE(keys.any());

    // The wait ends as the last key comes up; a key struck meanwhile is kept.
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(keys.waiting());
        keys.keep(event(QEvent::KeyPress, 39));
        keys.follow(event(QEvent::KeyRelease, 65));
    });
    keys.waitUntilUp(600000);
    EXPECT_FALSE(keys.any());
    EXPECT_FALSE(keys.waiting());
    const auto kept = keys.takeKept();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0]->nativeScanCode(), 39u);
    EXPECT_TRUE(keys.takeKept().empty());

    // A release that never comes: the wait gives up; and once the program
    // has lost the keyboard, the key is forgotten.
    keys.follow(event(QEvent::KeyPress, 40));
    keys.waitUntilUp(1);
    EXPECT_TRUE(keys.any());
    keys.forget();
    EXPECT_FALSE(keys.any());
}
