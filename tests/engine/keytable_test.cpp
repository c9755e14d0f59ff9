#include <gtest/gtest.h>

#include "keytable.h"
#include "words.h"

namespace {

TEST(KeyTable, EveryCodeGivesTheLetterOfItsKey)
{
    // Letters A..Z in the Russian layout, then the punctuation keys and space.
    const std::u16string latinKeys = u"ФИСВУАПРШОЛДЬТЩЗЙКЫЕГМЦЧНЯ";
    std::vector<std::pair<int32_t, char16_t>> expected = {{32, u' '},  {186, u'Ж'}, {188, u'Б'}, {190, u'Ю'},
                                                          {191, u'.'}, {219, u'Х'}, {221, u'Ъ'}, {222, u'Э'}};
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
    EXPECT_EQ(fingerName(u' '), u"большой палец");
    EXPECT_EQ(fingerName(u'Q'), u"");

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
    std::u16string name;  // as a listener is told it
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
    EXPECT_EQ(fingerName(GetParam().letter), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(HomeRowAndOthers, Fingers,
                         testing::Values(Finger{u'Ф', FingerAqua, 18, 56, u"левый мизинец"},
                                         Finger{u'Ы', FingerLime, 66, 56, u"левый безымянный"},
                                         Finger{u'В', FingerYellow, 114, 56, u"левый средний"},
                                         Finger{u'П', FingerFuchsia, 210, 56, u"левый указательный"},
                                         Finger{u'И', FingerFuchsia, 224, 106, u"левый указательный"},
                                         Finger{u'Н', FingerFuchsia, 270, 6, u"правый указательный"},
                                         Finger{u'Р', FingerFuchsia, 282, 56, u"правый указательный"},
                                         Finger{u'Л', FingerYellow, 378, 56, u"правый средний"},
                                         Finger{u'Д', FingerLime, 426, 56, u"правый безымянный"},
                                         Finger{u'Э', FingerAqua, 522, 56, u"правый мизинец"},
                                         Finger{u'Ъ', FingerAqua, 558, 6, u"правый мизинец"},
                                         Finger{u'.', FingerAqua, 486, 106, u"правый мизинец"}));

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

}  // namespace
