#include "alerts/ecam_alert_line.h"
#include "render/recording_fonts.h"
#include "render/recording_graphics.h"

#include <gtest/gtest.h>

namespace {

constexpr Brush kRed { 0xFFFF0000 };

class EcamAlertLineTest : public ::testing::Test {
protected:
    RecordingGraphics graphics;
    RecordingFont alertFont { "Arial", 30, FontStyleRegular };
    RecordingFont underlined { "Arial", 30, FontStyleUnderline };
};

}

TEST(EcamTitle, SplitsAtTheFirstPairOfMarks)
{
    auto const parts = splitEcamTitle(u"!FUEL! L WING TK LO LVL");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->title, u"FUEL");
    EXPECT_EQ(parts->remainder, u" L WING TK LO LVL");
    EXPECT_FALSE(splitEcamTitle(u"DOOR"));
    EXPECT_FALSE(splitEcamTitle(u"!FUEL L WING"));
}

TEST_F(EcamAlertLineTest, TheTitleIsUnderlinedAndTheRestFollowsIt)
{
    drawEcamAlertLine(graphics, u"!FUEL! L WING TK LO LVL", { 10, 700 }, alertFont, &underlined, kRed);
    auto const& commands = graphics.commands();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].text, u"FUEL");
    EXPECT_EQ(commands[0].fontStyle, FontStyleUnderline);
    EXPECT_FLOAT_EQ(commands[0].origin.x, 10);
    EXPECT_FLOAT_EQ(commands[0].origin.y, 700);
    EXPECT_EQ(commands[1].text, u" L WING TK LO LVL");
    EXPECT_EQ(commands[1].fontStyle, FontStyleRegular);
    float const titleWidth = graphics.measureString(u"FUEL", underlined, { 10, 700 }, {}).width;
    EXPECT_FLOAT_EQ(commands[1].origin.x, 10 + titleWidth);
    EXPECT_FLOAT_EQ(commands[1].origin.y, 700);
    for (DrawCommand const& c : commands) {
        EXPECT_EQ(c.brush.colour, kRed.colour);
        EXPECT_EQ(c.format.align, StringAlignment::Near);
        EXPECT_EQ(c.format.lineAlign, StringAlignment::Near);
    }
}

TEST_F(EcamAlertLineTest, TextBeforeTheTitleIsNotDrawn)
{
    drawEcamAlertLine(graphics, u"XX!ELEC! GEN 1 OFF", { 0, 0 }, alertFont, &underlined, kRed);
    ASSERT_EQ(graphics.commands().size(), 2u);
    EXPECT_EQ(graphics.commands()[0].text, u"ELEC");
    EXPECT_EQ(graphics.commands()[1].text, u" GEN 1 OFF");
}

TEST_F(EcamAlertLineTest, AnUnclosedMarkIsDrawnWhole)
{
    drawEcamAlertLine(graphics, u"!FUEL L WING", { 0, 0 }, alertFont, &underlined, kRed);
    ASSERT_EQ(graphics.commands().size(), 1u);
    EXPECT_EQ(graphics.commands()[0].text, u"!FUEL L WING");
    EXPECT_EQ(graphics.commands()[0].fontStyle, FontStyleRegular);
}

TEST_F(EcamAlertLineTest, WithoutAnUnderlinedFontTheMarksAreDrawnToo)
{
    drawEcamAlertLine(graphics, u"!FUEL! L WING", { 0, 0 }, alertFont, nullptr, kRed);
    ASSERT_EQ(graphics.commands().size(), 1u);
    EXPECT_EQ(graphics.commands()[0].text, u"!FUEL! L WING");
}
