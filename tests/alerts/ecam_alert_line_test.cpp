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

TEST_F(EcamAlertLineTest, MemoActionsEndInOneColumnAfterADottedRun)
{
    // The fixed measuring rule: 18 units a character at size 30.
    constexpr Brush kGreen { 0xFF00FF00 };
    constexpr Brush kCyan { 0xFF00FFFF };
    std::u16string_view const first = u"!T.O! AUTO BRK\tMAX";
    std::u16string_view const later = u"\v!T.O! SIGNS\tON";
    float const widest = ecamMemoLineWidth(graphics, first, alertFont, &underlined);
    EXPECT_FLOAT_EQ(widest, 18 * (3 + 9 + 2 + 3));
    EcamMemoPaint const memo { &kCyan, 10 + widest };

    drawEcamAlertLine(graphics, first, { 10, 0 }, alertFont, &underlined, kGreen, &memo);
    drawEcamAlertLine(graphics, later, { 10, 40 }, alertFont, &underlined, kGreen, &memo);
    auto const& c = graphics.commands();
    ASSERT_EQ(c.size(), 7u);
    struct Expected {
        std::u16string_view text;
        float x;
        Argb colour;
    } const expected[] = {
        { u"T.O", 10, kGreen.colour },
        { u" AUTO BRK", 10 + 54, kGreen.colour },
        { u"..", 10 + 54 + 162, kCyan.colour },
        { u"MAX", 10 + widest - 54, kCyan.colour },
        // The later line's title is measured, not drawn: its item stands under the first's.
        { u" SIGNS", 10 + 54, kGreen.colour },
        { u"......", 10 + 54 + 108, kCyan.colour },
        { u"ON", 10 + widest - 36, kCyan.colour },
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(c[i].text, expected[i].text) << i;
        EXPECT_FLOAT_EQ(c[i].origin.x, expected[i].x) << i;
        EXPECT_EQ(c[i].brush.colour, expected[i].colour) << i;
    }
}

TEST_F(EcamAlertLineTest, WithoutMemoPaintALineIsDrawnAsEver)
{
    EXPECT_FLOAT_EQ(ecamMemoLineWidth(graphics, u"!FUEL! L WING TK LO LVL", alertFont, &underlined), 0);
    drawEcamAlertLine(graphics, u"!T.O! AUTO BRK MAX", { 0, 0 }, alertFont, &underlined, kRed, nullptr);
    ASSERT_EQ(graphics.commands().size(), 2u);
    EXPECT_EQ(graphics.commands()[1].text, u" AUTO BRK MAX");
}
