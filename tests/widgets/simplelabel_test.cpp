#include "simplelabel.h"

#include "colorref.h"
#include "fonts.h"
#include "pixels.h"

#include <QFontMetrics>
#include <memory>
#include <gtest/gtest.h>

namespace {

const QColor kBack(0x12, 0x34, 0x56);
const QString kPrompt = QStringLiteral("Тренировка. Выбери уровень сложности");

SimpleLabel* makeLabel(const QString& text, QSize size, SimpleLabel::Align align, bool wrap)
{
    auto* label = new SimpleLabel(text);
    label->setFont(courierNew(19, true));
    label->resize(size);
    label->setAlignment(align);
    label->setWordWrap(wrap);
    return label;
}

TEST(SimpleLabel, WrappedLinesFitTheBox)
{
    std::unique_ptr<SimpleLabel> label(makeLabel(kPrompt, {141, 101}, SimpleLabel::Align::BottomCenter, true));
    const QStringList lines = label->lines();
    EXPECT_EQ(lines, QStringList({QStringLiteral("Тренировка."), QStringLiteral("Выбери"), QStringLiteral("уровень"),
                                  QStringLiteral("сложности")}));
    const QFontMetrics metrics(label->font());
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), 141) << qPrintable(line);
}

TEST(SimpleLabel, AWordWiderThanTheBoxIsBrokenBetweenLetters)
{
    const QString word(30, QChar(u'Ж'));
    std::unique_ptr<SimpleLabel> label(
        makeLabel(QStringLiteral("да ") + word + QStringLiteral(" нет"), {100, 200}, SimpleLabel::Align::Left, true));
    const QFontMetrics metrics(label->font());
    const QStringList lines = label->lines();
    EXPECT_EQ(lines.join(QString()).remove(u' '), QStringLiteral("да") + word + QStringLiteral("нет"));
    for (const QString& line : lines) {
        EXPECT_FALSE(line.isEmpty());
        EXPECT_LE(metrics.horizontalAdvance(line), 100) << qPrintable(line);
    }
}

TEST(SimpleLabel, LineBreaksStartNewLinesWithOrWithoutWrapping)
{
    for (bool wrap : {false, true}) {
        std::unique_ptr<SimpleLabel> label(
            makeLabel(QStringLiteral("Молодец!\r\nОшибок: 0\nЕще\rраз"), {330, 120}, SimpleLabel::Align::Center, wrap));
        EXPECT_EQ(label->lines(), QStringList({QStringLiteral("Молодец!"), QStringLiteral("Ошибок: 0"),
                                               QStringLiteral("Еще"), QStringLiteral("раз")}));
    }
}

TEST(SimpleLabel, BottomCentredBlockSitsAtTheBottomInsideTheBox)
{
    std::unique_ptr<SimpleLabel> label(makeLabel(kPrompt, {141, 101}, SimpleLabel::Align::BottomCenter, true));
    const QImage image = renderOver(*label, kBack);
    const QRect ink = inkBounds(image, kBack);
    ASSERT_FALSE(ink.isNull());
    // Four lines of about 22 pixels leave the top of the box empty.
    EXPECT_GE(ink.top(), 101 - 4 * QFontMetrics(label->font()).height());
    EXPECT_GE(ink.top(), 10);
    EXPECT_GE(ink.bottom(), 101 - 8);
    EXPECT_GT(ink.left(), 0);
    EXPECT_LT(ink.right(), 140);
    EXPECT_NEAR(ink.left(), 140 - ink.right(), 4);  // glyph side bearings differ a little
}

TEST(SimpleLabel, AlignmentPlacesASingleLine)
{
    struct Case {
        SimpleLabel::Align align;
        bool centredAcross;
        bool centredDown;
    };
    for (const Case c : {Case{SimpleLabel::Align::Left, false, false}, Case{SimpleLabel::Align::Center, true, true}}) {
        std::unique_ptr<SimpleLabel> label(makeLabel(QStringLiteral("00:00"), {120, 40}, c.align, false));
        const QRect ink = inkBounds(renderOver(*label, kBack), kBack);
        ASSERT_FALSE(ink.isNull());
        if (c.centredAcross) {
            EXPECT_NEAR(ink.left(), 119 - ink.right(), 2);
        } else {
            EXPECT_LE(ink.left(), 2);
        }
        if (c.centredDown) {
            EXPECT_NEAR(ink.top(), 39 - ink.bottom(), 4);
        } else {
            EXPECT_LE(ink.top(), 6);
        }
    }
}

TEST(SimpleLabel, TransparentByDefaultOtherwiseFilled)
{
    std::unique_ptr<SimpleLabel> label(makeLabel(QString(), {80, 21}, SimpleLabel::Align::Center, false));
    EXPECT_TRUE(inkBounds(renderOver(*label, kBack), kBack).isNull());
    label->setTransparent(false);
    EXPECT_EQ(renderOver(*label, kBack).pixelColor(0, 0), colorRef(clButtonFace));
}

TEST(SimpleLabel, ThreeDimensionalTextPutsShadowAndLightOnOppositeSides)
{
    const auto only = [](const QImage& image, const QColor& color) {
        QImage mask(image.size(), QImage::Format_RGB32);
        mask.fill(Qt::white);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == color)
                    mask.setPixelColor(x, y, Qt::black);
        return inkBounds(mask, Qt::white);
    };
    for (auto style : {SimpleLabel::Style3D::Sunken, SimpleLabel::Style3D::Raised}) {
        std::unique_ptr<SimpleLabel> label(
            makeLabel(QStringLiteral("Пальцеход"), {290, 41}, SimpleLabel::Align::Center, false));
        label->setFont(courierNew(32, true));
        label->setStyle3D(style, 2);
        const QImage image = renderOver(*label, kBack);
        const QRect text = only(image, Qt::black);
        const QRect shadow = only(image, colorRef(clButtonShadow));
        const QRect light = only(image, Qt::white);
        ASSERT_FALSE(text.isNull() || shadow.isNull() || light.isNull());
        const QRect& upLeft = style == SimpleLabel::Style3D::Sunken ? shadow : light;
        const QRect& downRight = style == SimpleLabel::Style3D::Sunken ? light : shadow;
        EXPECT_EQ(upLeft.topLeft(), text.topLeft() - QPoint(2, 2));
        EXPECT_EQ(downRight.bottomRight(), text.bottomRight() + QPoint(2, 2));
    }
}

}  // namespace
