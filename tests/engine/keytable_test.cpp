#include <gtest/gtest.h>

#include "keytable.h"
#include "words.h"

namespace {

TEST(KeyTable, EveryCodeGivesTheLetterOfItsKey)
{
    // Letters A..Z in the Russian layout, then the punctuation keys and space.
    const std::u16string latinKeys = u"ФИСВУАПРШОЛДЬТЩЗЙКЫЕГМЦЧНЯ";
    std::vector<std::pair<int32_t, char16_t>> expected = {
        {32, u' '}, {186, u'Ж'}, {188, u'Б'}, {190, u'Ю'}, {191, u'.'}, {219, u'Х'}, {221, u'Ъ'}, {222, u'Э'}};
    for (size_t i = 0; i < latinKeys.size(); ++i)
        expected.emplace_back(static_cast<int32_t>(65 + i), latinKeys[i]);

    ASSERT_EQ(expected.size(), KeyTable.size());
    for (const auto& [code, letter] : expected) {
        const KeyRecord* key = findKeyByCode(code);
        ASSERT_NE(key, nullptr) << "code " << code;
        EXPECT_EQ(key->letter, letter) << "code " << code;
    }
}

TEST(KeyTable, OnlyTheHomeRowIsActive)
{
    std::u16string active;
    for (const KeyRecord& key : KeyTable) {
        if (key.active) {
            active.push_back(key.letter);
            EXPECT_EQ(key.y, 56) << "home-row keys sit in the middle row";
        }
    }
    EXPECT_EQ(active, u"ФВАПРОЛДЫЖЭ");
}

TEST(KeyTable, SpaceSharesItsPlaceWithTheFirstHomeKeyButIsNeverMarked)
{
    const KeyRecord* space = findKeyByCode(32);
    ASSERT_EQ(space, &KeyTable[0]);
    EXPECT_EQ(findKeyToMark(u' '), nullptr);

    const KeyRecord* ef = findKeyToMark(u'Ф');
    ASSERT_EQ(ef, &KeyTable[1]);
    EXPECT_EQ(ef->colour, FingerAqua);
    EXPECT_EQ(ef->x, space->x);
    EXPECT_EQ(ef->y, space->y);
}

struct Finger {
    char16_t letter;
    uint32_t colour;
    int32_t x;
    int32_t y;
};

void PrintTo(const Finger& finger, std::ostream* os)
{
    *os << "U+" << std::hex << static_cast<int>(finger.letter);
}

class Fingers : public testing::TestWithParam<Finger> {};

TEST_P(Fingers, MarkTheKeyInTheColourOfItsFinger)
{
    const KeyRecord* key = findKeyToMark(GetParam().letter);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->colour, GetParam().colour);
    EXPECT_EQ(key->x, GetParam().x);
    EXPECT_EQ(key->y, GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(HomeRowAndOthers, Fingers,
                         testing::Values(Finger {u'Ы', FingerLime, 66, 56}, Finger {u'В', FingerYellow, 114, 56},
                                         Finger {u'П', FingerFuchsia, 210, 56}, Finger {u'Э', FingerAqua, 522, 56},
                                         Finger {u'Ъ', FingerAqua, 558, 6}, Finger {u'.', FingerAqua, 486, 106}));

TEST(KeyTable, KeysOutsideTheTableAreNotFound)
{
    for (int32_t code : {0, 13, 16, 27, 49, 50, 51, 189, 192, 255})
        EXPECT_EQ(findKeyByCode(code), nullptr) << "code " << code;
}

TEST(KeyTable, EveryLetterOfTheWordsHasAMarkedHomeRowKey)
{
    for (int32_t exercise = 1; exercise <= 5; ++exercise) {
        for (int32_t entry = 0; entry < 5; ++entry) {
            for (char16_t letter : exerciseWord(exercise, entry)) {
                const KeyRecord* key = findKeyToMark(letter);
                ASSERT_NE(key, nullptr);
                EXPECT_TRUE(key->active);
            }
        }
    }
}

} // namespace
