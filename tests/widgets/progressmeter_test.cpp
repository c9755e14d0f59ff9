#include "progressmeter.h"

#include "colorref.h"
#include "fonts.h"
#include "pixels.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

int segmentsShownFilled(ProgressMeter& meter)
{
    const QImage image = renderOver(meter);
    int filled = 0;
    for (int i = 0; i < meter.segments(); ++i) {
        const QRect segment = meter.segmentRect(i);
        // A corner of the segment: clear of the centred caption.
        if (image.pixelColor(segment.topLeft()) == colorRef(clHighlight))
            ++filled;
    }
    return filled;
}

struct ClampCase {
    int maximum;
    int value;
    int expectedValue;
    int expectedFilled;
};

void PrintTo(const ClampCase& c, std::ostream* os)
{
    *os << "value " << c.value << " of " << c.maximum;
}

class ProgressMeterClamp : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ProgressMeterClamp, ValueStaysWithinRangeAndFillsProportionally)
{
    const ClampCase c = GetParam();
    ProgressMeter meter;
    meter.resize(607, 38);
    meter.setMaximum(c.maximum);
    meter.setValue(c.value);
    EXPECT_EQ(meter.value(), c.expectedValue);
    EXPECT_EQ(meter.filledSegments(), c.expectedFilled);
    EXPECT_EQ(segmentsShownFilled(meter), c.expectedFilled);
}

INSTANTIATE_TEST_SUITE_P(Values, ProgressMeterClamp,
                         ::testing::Values(ClampCase{100, 0, 0, 0}, ClampCase{100, 25, 25, 5},
                                           ClampCase{100, 50, 50, 10}, ClampCase{100, 100, 100, 20},
                                           ClampCase{100, 150, 100, 20}, ClampCase{100, -5, 0, 0},
                                           ClampCase{3, 1, 1, 6},  // 20 / 3 truncated
                                           ClampCase{0, 7, 0, 0}, ClampCase{-4, 7, 0, 0},
                                           ClampCase{2147483647, 2147483647, 2147483647, 20}));

TEST(ProgressMeter, LoweringTheMaximumClampsTheValue)
{
    ProgressMeter meter;
    meter.setMaximum(100);
    meter.setValue(80);
    meter.setMaximum(30);
    EXPECT_EQ(meter.value(), 30);
    EXPECT_EQ(meter.filledSegments(), 20);
}

TEST(ProgressMeter, SegmentsSpanTheWellEvenlyInsideTheFrame)
{
    ProgressMeter meter;
    meter.resize(607, 38);
    ASSERT_EQ(meter.segments(), 20);
    int previousRight = -1;
    for (int i = 0; i < 20; ++i) {
        const QRect s = meter.segmentRect(i);
        EXPECT_TRUE(meter.rect().adjusted(2, 2, -2, -2).contains(s)) << i;
        EXPECT_GT(s.left(), previousRight + 1) << "segments need a gap";
        EXPECT_NEAR(s.width(), meter.segmentRect(0).width(), 1);
        previousRight = s.right();
    }
    EXPECT_GE(previousRight, 607 - 6);
}

TEST(ProgressMeter, SegmentCountIsAtLeastOne)
{
    ProgressMeter meter;
    meter.resize(100, 20);
    meter.setSegments(0);
    meter.setValue(100);
    EXPECT_EQ(meter.segments(), 1);
    EXPECT_EQ(segmentsShownFilled(meter), 1);
}

TEST(ProgressMeter, CaptionIsReadableOverFilledAndEmptyParts)
{
    ProgressMeter meter;
    meter.resize(607, 38);
    meter.setFont(courierNew(19, false));
    meter.setCaption(QStringLiteral("Упражнение 1"));
    const QRect middle(250, 8, 107, 22);

    meter.setValue(100);
    const QImage full = renderOver(meter);
    EXPECT_GT(countColor(full, middle, Qt::white), 20);

    meter.setValue(0);
    const QImage empty = renderOver(meter);
    EXPECT_GT(countColor(empty, middle, Qt::black), 20);
    EXPECT_EQ(countColor(empty, middle, colorRef(clHighlight)), 0);
}

}  // namespace
