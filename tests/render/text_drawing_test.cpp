#include "render/recording_fonts.h"
#include "render/recording_graphics.h"
#include "render/text_drawing.h"

#include <gtest/gtest.h>

namespace {

TEST(ApplyAlignment, CenterCenterCentresBothWays)
{
    StringFormat format;
    applyAlignment(format, 66);
    EXPECT_EQ(format.align, StringAlignment::Center);
    EXPECT_EQ(format.lineAlign, StringAlignment::Center);
}

TEST(ApplyAlignment, BaseCenterCentresHorizontallyAndKeepsTheTopNear)
{
    StringFormat format { StringAlignment::Far, StringAlignment::Far };
    applyAlignment(format, 18);
    EXPECT_EQ(format.align, StringAlignment::Center);
    EXPECT_EQ(format.lineAlign, StringAlignment::Near);
}

TEST(ApplyAlignment, RightAndBottomWinOverCentre)
{
    StringFormat format;
    EXPECT_EQ(applyAlignment(format, 4 | 2 | 32 | 64).align, StringAlignment::Far);
    EXPECT_EQ(format.lineAlign, StringAlignment::Far);
    applyAlignment(format, 9);
    EXPECT_EQ(format.align, StringAlignment::Near);
    EXPECT_EQ(format.lineAlign, StringAlignment::Near);
}

TEST(DrawTextAtBaseline, PutsTheFirstBaselineOnTheOriginAndKeepsTheHorizontalAlignment)
{
    RecordingGraphics graphics;
    RecordingFont const font("Arial", 20, FontStyleRegular);
    StringFormat format;
    applyAlignment(format, 18);
    drawTextAtBaseline(graphics, u"N1", font, { 300, 100 }, format, Brush { kOpaqueWhite });
    ASSERT_EQ(graphics.commands().size(), 1u);
    DrawCommand const& text = graphics.commands()[0];
    EXPECT_FLOAT_EQ(text.origin.x, 300);
    EXPECT_FLOAT_EQ(text.origin.y, 100 - 20 * 1854.0f / 2048.0f);
    EXPECT_EQ(text.format.align, StringAlignment::Center);
    EXPECT_EQ(text.format.lineAlign, StringAlignment::Near);
}

TEST(DrawTextAtBaseline, LeavesTheCallersFormatAlone)
{
    RecordingGraphics graphics;
    RecordingFont const font("Arial", 20, FontStyleRegular);
    StringFormat const format { StringAlignment::Far, StringAlignment::Far };
    drawTextAtBaseline(graphics, u"x", font, { 0, 0 }, format, Brush {});
    EXPECT_EQ(format.lineAlign, StringAlignment::Far);
}

TEST(DrawTextOnBox, FillsTheMeasuredBoxThenDrawsTheText)
{
    RecordingGraphics graphics;
    RecordingFont const font("Arial", 10, FontStyleBold);
    StringFormat const format { StringAlignment::Far, StringAlignment::Center };
    drawTextOnBox(graphics, u"ABCD", font, { 100, 50 }, format, Brush { kOpaqueRed }, Brush { kOpaqueWhite });
    ASSERT_EQ(graphics.commands().size(), 2u);
    DrawCommand const& box = graphics.commands()[0];
    EXPECT_EQ(box.op, DrawOp::FillRect);
    EXPECT_EQ(box.brush.colour, kOpaqueRed);
    EXPECT_FLOAT_EQ(box.rect.x, 100 - 24);
    EXPECT_FLOAT_EQ(box.rect.width, 24);
    EXPECT_FLOAT_EQ(box.rect.y, 50 - 5.75f);
    EXPECT_FLOAT_EQ(box.rect.height, 11.5f);
    EXPECT_EQ(graphics.commands()[1].op, DrawOp::Text);
    EXPECT_EQ(graphics.commands()[1].brush.colour, kOpaqueWhite);
}

} // namespace
