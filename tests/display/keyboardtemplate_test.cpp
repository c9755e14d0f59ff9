#include <QFontMetrics>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <vector>

#include "fieldtext.h"
#include "floodfill.h"
#include "keyboardtemplate.h"
#include "keytable.h"
#include "pictures.h"
#include "pixels.h"

namespace {

constexpr uint32_t white = 0xFFFFFF;
constexpr uint32_t ground = 0xE0E0E0;
constexpr uint32_t buttonFace = 0xC0C0C0;

QRect markBox(const KeyRecord& key)
{
    return QRect(key.x, key.y, 37, 39);
}

QRect letterCell(const KeyRecord& key)
{
    const QFontMetrics metrics(fieldFont());
    return QRect(key.x + 7, key.y - 4, metrics.horizontalAdvance(QChar(key.letter)), metrics.height());
}

// Paints the white face of the key holding `point` in a colour of its own and
// returns that face's bounds.
QRect paintFace(QImage& picture, QPoint point, QRgb colour)
{
    floodFillSurface(picture, point, colour);
    return boundsOf(picture, picture.rect(), [&](uint32_t c) { return c == (colour & 0xFFFFFF); });
}

bool allPixels(const QImage& image, const QRect& area, uint32_t colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (rgbAt(image, x, y) != colour)
                return false;
    return true;
}

TEST(LettersPicture, IsTheKeyCapsOnLightGrey)
{
    const QImage picture = lettersPicture();
    ASSERT_EQ(picture.size(), QSize(601, 151));
    EXPECT_EQ(rgbAt(picture, 0, 150), ground);
    std::set<uint32_t> colours;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            colours.insert(rgbAt(picture, x, y));
    EXPECT_EQ(colours, (std::set<uint32_t>{0x000000, ground, white}));
}

// Every key's marking box and letter cell lie on the white face of a key of
// its own; the faces form rows of 5 + 7, 5 + 6 and 5 + 5 keys at a 48-pixel
// pitch.
TEST(LettersPicture, AgreesWithTheKeyTable)
{
    QImage picture = lettersPicture();
    std::vector<QRect> faces;
    for (size_t i = 1; i < KeyTable.size(); ++i) {
        const KeyRecord& key = KeyTable[i];
        const QString name = QString(QChar(key.letter));
        ASSERT_EQ(rgbAt(picture, key.x, key.y), white) << name.toStdString() << ": marking box not on a white face";
        const QRgb marker = 0xFF000000 | uint32_t(i);
        const QRect face = paintFace(picture, QPoint(key.x, key.y), marker);
        EXPECT_TRUE(allPixels(picture, markBox(key), marker & 0xFFFFFF)) << name.toStdString();
        EXPECT_TRUE(allPixels(picture, letterCell(key), marker & 0xFFFFFF)) << name.toStdString();
        // Every pixel the letter paints, the breve of Й too, is on the face.
        QImage letter(picture.size(), QImage::Format_RGB32);
        letter.fill(Qt::white);
        writeText(letter, QPoint(key.x + 7, key.y - 4), name, fieldFont(), Qt::black);
        const QRect ink = boundsOf(letter, letter.rect(), [](uint32_t c) { return c != white; });
        EXPECT_TRUE(face.contains(ink)) << name.toStdString() << ": letter ink " << ink.top() << ".." << ink.bottom()
                                        << " outside the face " << face.top() << ".." << face.bottom();
        EXPECT_LE(face.width(), 48) << name.toStdString();
        faces.push_back(face);
    }
    EXPECT_EQ(faces.size(), 33u);
    // The space bar is drawn on the key of "Ф".
    EXPECT_EQ(rgbAt(picture, KeyTable[0].x, KeyTable[0].y), 1u);

    // No white face is left over: 33 keys, no more.
    EXPECT_FALSE(boundsOf(picture, picture.rect(), [](uint32_t c) { return c == white; }).isValid());

    std::map<int, std::vector<int>> rows;
    for (const QRect& face : faces)
        rows[face.top()].push_back(face.left());
    ASSERT_EQ(rows.size(), 3u);
    std::vector<std::pair<size_t, size_t>> blocks;
    for (auto& [top, lefts] : rows) {
        std::sort(lefts.begin(), lefts.end());
        size_t firstBlock = 1;
        while (firstBlock < lefts.size() && lefts[firstBlock] - lefts[firstBlock - 1] == 48)
            ++firstBlock;
        for (size_t i = firstBlock + 1; i < lefts.size(); ++i)
            EXPECT_EQ(lefts[i] - lefts[i - 1], 48) << "row at " << top;
        blocks.emplace_back(firstBlock, lefts.size() - firstBlock);
    }
    EXPECT_EQ(blocks, (std::vector<std::pair<size_t, size_t>>{{5, 7}, {5, 6}, {5, 5}}));
    const auto leftmost = [&](int top) { return rows[top].front(); };
    auto row = rows.begin();
    const int top0 = row->first;
    const int top1 = (++row)->first;
    const int top2 = (++row)->first;
    EXPECT_LT(leftmost(top0), leftmost(top1));
    EXPECT_LT(leftmost(top1), leftmost(top2));
}

TEST(KeyboardTemplate, KeysOnButtonFaceWithHomeRowLettersBlack)
{
    const KeyboardTemplate keyboard;
    const QImage& image = keyboard.image();
    ASSERT_EQ(image.size(), QSize(601, 151));
    EXPECT_EQ(rgbAt(image, 0, 0), buttonFace);
    EXPECT_EQ(rgbAt(image, 0, 150), buttonFace);
    EXPECT_FALSE(boundsOf(image, image.rect(), [](uint32_t c) { return c == ground; }).isValid());
    for (size_t i = 1; i < KeyTable.size(); ++i) {
        const KeyRecord& key = KeyTable[i];
        const QRect cell = letterCell(key).adjusted(1, 1, -1, -1);
        const bool black = boundsOf(image, cell, [](uint32_t c) { return c == 0; }).isValid();
        const bool grey = boundsOf(image, cell, [](uint32_t c) { return c == buttonFace; }).isValid();
        EXPECT_EQ(black, key.active) << QString(QChar(key.letter)).toStdString();
        EXPECT_EQ(grey, !key.active) << QString(QChar(key.letter)).toStdString();
        EXPECT_EQ(rgbAt(image, key.x + 2, key.y + 19), white);
    }
}

TEST(KeyboardTemplate, FirstLetterLightsItsKeyInAqua)
{
    KeyboardTemplate keyboard;
    const QImage before = keyboard.image();
    const GameState state = stateWith(1, {u"ФЫВА ", u"", u""});
    const std::optional<QRect> changed = keyboard.markExpectedKey(state);
    ASSERT_TRUE(changed);
    EXPECT_EQ(*changed, QRect(18, 56, 37, 39));
    EXPECT_TRUE(keyboard.keyMarked());
    const QImage& image = keyboard.image();
    EXPECT_TRUE(changed->contains(differingArea(before, image)));
    // White face under the ellipse turns aqua; the corners of the box, the
    // black letter and everything else stay as they were.
    EXPECT_EQ(rgbAt(image, 18 + 2, 56 + 19), 0x00FFFFu);
    EXPECT_EQ(rgbAt(image, 18 + 18, 56 + 1), 0x00FFFFu);
    EXPECT_EQ(rgbAt(image, 18, 56), white);
    EXPECT_EQ(rgbAt(image, 18 + 36, 56 + 38), white);
    for (int y = 56; y < 56 + 39; ++y)
        for (int x = 18; x < 18 + 37; ++x) {
            const uint32_t was = rgbAt(before, x, y);
            const uint32_t is = rgbAt(image, x, y);
            ASSERT_TRUE(is == was || (was == white && is == 0x00FFFF)) << x << "," << y;
        }
}

class KeyboardTemplateEachKey : public ::testing::TestWithParam<size_t> {};

// Lighting and putting back any key leaves the keyboard exactly as before.
TEST_P(KeyboardTemplateEachKey, UnmarkRestoresThePicture)
{
    const KeyRecord& key = KeyTable[GetParam()];
    KeyboardTemplate keyboard;
    const QImage before = keyboard.image();
    const std::u16string text(1, key.letter);
    GameState state = stateWith(1, {text.c_str(), u"", u""});
    ASSERT_EQ(keyboard.markExpectedKey(state), QRect(key.x, key.y, 37, 39));
    const QRgb finger = (key.colour & 0x00FF00) | ((key.colour & 0xFF) << 16) | ((key.colour >> 16) & 0xFF);
    EXPECT_EQ(rgbAt(keyboard.image(), key.x + 2, key.y + 19), finger);
    ASSERT_EQ(keyboard.unmarkKey(state), QRect(key.x, key.y, 37, 39));
    EXPECT_FALSE(keyboard.keyMarked());
    EXPECT_EQ(differingArea(before, keyboard.image()), QRect());
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyboardTemplateEachKey, ::testing::Range(size_t(1), size_t(34)));

TEST(KeyboardTemplate, SpaceAndUnknownCharactersLightNothing)
{
    KeyboardTemplate keyboard;
    const QImage before = keyboard.image();
    for (const GameState& state : {stateWith(1, {u"Ф Ы", u"", u""}, 1, 2), stateWith(1, {u"Q", u"", u""}, 1, 1),
                                   stateWith(1, {u"Ф", u"", u""}, 1, 2)}) {
        EXPECT_FALSE(keyboard.markExpectedKey(state));
        EXPECT_FALSE(keyboard.keyMarked());
        EXPECT_FALSE(keyboard.unmarkKey(state));
        EXPECT_EQ(differingArea(before, keyboard.image()), QRect());
    }
}

// Should a key be lit while another still is, the first is put back first, so
// no lit key is ever left behind.
TEST(KeyboardTemplate, OnlyOneKeyIsLitAtATime)
{
    KeyboardTemplate keyboard;
    const QImage before = keyboard.image();
    GameState state = stateWith(1, {u"ФЭ", u"", u""}, 1, 1);
    keyboard.markExpectedKey(state);
    state.CurrentPos = 2;
    const std::optional<QRect> second = keyboard.markExpectedKey(state);
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->contains(QRect(18, 56, 37, 39)));
    EXPECT_TRUE(second->contains(QRect(522, 56, 37, 39)));
    EXPECT_EQ(rgbAt(keyboard.image(), 18 + 2, 56 + 19), white);
    keyboard.unmarkKey(state);
    EXPECT_EQ(differingArea(before, keyboard.image()), QRect());

    // A space coming up while a key is still lit puts that key back too.
    state = stateWith(1, {u"Э ", u"", u""}, 1, 1);
    keyboard.markExpectedKey(state);
    state.CurrentPos = 2;
    EXPECT_EQ(keyboard.markExpectedKey(state), QRect(522, 56, 37, 39));
    EXPECT_FALSE(keyboard.keyMarked());
    EXPECT_EQ(differingArea(before, keyboard.image()), QRect());
}

}  // namespace
