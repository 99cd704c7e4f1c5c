#include "ewd/ewd_test_display.h"
#include "gauges/table_rows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Label points: N1 (280, 130), N2 (280, 430), FF (280, 510).
constexpr std::string_view kGaugeLabels = R"(
N1Box=40,40,520,220
N1LabelOffset=240,90
N2Box=40,400,520,460
N2LabelOffset=240,30
FFBox=40,480,520,540
FFLabelOffset=240,30
AlertFont=Arial
AlertFontSize=30
)";

std::string layout(std::string_view extra) { return "[EICAS]\n" + std::string(kGaugeLabels) + std::string(extra); }

class EwdPageLinesTest : public EwdPageTest {
protected:
    // Which of the three label points have a connector pair under them.
    std::string connectors()
    {
        std::string found;
        auto pairAt = [&](PointF p) {
            return hasLine({ p.x - 30, p.y + 10 }, { p.x - 80, p.y + 30 }) && hasLine({ p.x + 30, p.y + 10 }, { p.x + 80, p.y + 30 });
        };
        if (pairAt({ 280, 130 }))
            found += "N1 ";
        if (pairAt({ 510 - 230, 510 }))
            found += "FF ";
        if (pairAt({ 280, 430 }))
            found += "N2 ";
        return found;
    }
};

}

TEST_F(EwdPageLinesTest, ConnectorSetsFollowEngineCountAndType)
{
    struct Case {
        int engines;
        char const* type;
        char const* expected;
    };
    Case const cases[] = {
        { 4, "EPR_DRIVEN", "N1 FF N2 " },
        { 4, "N1_DRIVEN", "FF N2 " },
        { 2, "N1_DRIVEN", "FF N2 " },
        { 2, "EPR_DRIVEN", "" },
    };
    for (Case const& c : cases) {
        load(layout(std::string("EngineType=") + c.type + "\n"));
        data().engineCount = static_cast<std::uint16_t>(c.engines);
        frame();
        EXPECT_EQ(connectors(), c.expected) << c.engines << " " << c.type;
    }
}

TEST_F(EwdPageLinesTest, SeparatorsAndTheLowerColumnEndingOneAlertLineAboveTheBottom)
{
    load(layout(""));
    frame();
    // The recording graphics makes a line 1.15 x the font size high.
    ASSERT_FLOAT_EQ(display->alertLineHeight, 34.5f);
    EXPECT_TRUE(hasLine({ 0, 680 }, { 530, 680 }));
    EXPECT_TRUE(hasLine({ 630, 680 }, { 1000, 680 }));
    EXPECT_TRUE(hasLine({ 580, 250 }, { 580, 630 }));
    EXPECT_TRUE(hasLine({ 580, 730 }, { 580, 965.5f }));
}

TEST_F(EwdPageLinesTest, KeysMoveTheSeparatorsAndTheIndicatorOnAPageOfAnotherShape)
{
    load(layout("SizeX=1280\nSizeY=1024\nSeparatorY=700\nLeftSeparatorEndX=680\nRightSeparatorStartX=780\n"
                "VerticalSeparatorX=730\nUpperSeparatorTop=260\nUpperSeparatorBottom=650\nLowerSeparatorTop=750\n"
                "FlapIndicatorPosition=840,420\nFlapIndicatorScale=1.25\nFlapIndicatorMode=FULL\nAlphaLockOffset=20,160\n"
                "LabelFont=Arial\n"));
    data().aircraft.set(AircraftValue::SlatAlphaLock, 0, 1);
    frame();
    EXPECT_TRUE(hasLine({ 0, 700 }, { 680, 700 }));
    EXPECT_TRUE(hasLine({ 780, 700 }, { 1280, 700 }));
    EXPECT_TRUE(hasLine({ 730, 260 }, { 730, 650 }));
    EXPECT_TRUE(hasLine({ 730, 750 }, { 730, 1024 - 34.5f }));
    EXPECT_FALSE(hasLine({ 0, 680 }, { 530, 680 }));
    EXPECT_FALSE(hasLine({ 580, 250 }, { 580, 630 }));

    // The wing's first corner, (741, 465) on the 1000 x 1000 page, 1.25 times
    // as far from the indicator's corner (633, 410) as there.
    DrawCommand const& wing = commands().back();
    ASSERT_EQ(wing.op, DrawOp::Polygon);
    ASSERT_EQ(wing.points.size(), 4u);
    EXPECT_TRUE(near(wing.points[0], { 840 + 108 * 1.25f, 420 + 55 * 1.25f }));
    ASSERT_NE(findText(u"A LOCK"), nullptr);
    EXPECT_TRUE(near(findText(u"A LOCK")->origin, { 840 + 20 * 1.25f, 420 + 160 * 1.25f }));
}

TEST_F(EwdPageTest, AnIndicatorScaleNotAboveZeroKeepsTheDefault)
{
    struct Case {
        char const* scale;
        float wingWidth; // top edge, 52 at scale 1
    };
    Case const cases[] = { { "", 52 }, { "FlapIndicatorScale=2\n", 104 }, { "FlapIndicatorScale=0.5\n", 26 },
        { "FlapIndicatorScale=0\n", 52 }, { "FlapIndicatorScale=-2\n", 52 }, { "FlapIndicatorScale=abc\n", 52 } };
    for (Case const& c : cases) {
        load(std::string("[EICAS]\n") + c.scale);
        DrawCommand const& wing = frame().back();
        ASSERT_EQ(wing.op, DrawOp::Polygon) << c.scale;
        EXPECT_FLOAT_EQ(wing.points[1].x - wing.points[0].x, c.wingWidth) << c.scale;
    }
}

TEST_F(EwdPageLinesTest, TheNewStyleHasNoUpperColumnAndNoIndicator)
{
    load(layout("EFISStyle=new\n"));
    auto const& commands = frame();
    EXPECT_EQ(display->efisStyle, EfisStyle::New);
    EXPECT_FALSE(hasLine({ 580, 250 }, { 580, 630 }));
    EXPECT_TRUE(hasLine({ 0, 680 }, { 530, 680 }));
    for (DrawCommand const& c : commands)
        EXPECT_NE(c.op, DrawOp::Polygon);

    load(layout("EFISStyle=NEWER\n"));
    EXPECT_EQ(display->efisStyle, EfisStyle::Old);
    frame();
    EXPECT_TRUE(hasLine({ 580, 250 }, { 580, 630 }));
}

TEST_F(EwdPageLinesTest, LabelPointsFollowTheGaugesAfterALayoutRebuild)
{
    load(layout(""));
    data().engineCount = 2;
    frame();
    ASSERT_EQ(connectors(), "FF N2 ");
    // The lines and the indicator come after the gauge pass and the
    // not-connected screen.
    EXPECT_EQ(commands().back().op, DrawOp::Polygon);
}

TEST_F(EwdPageTest, PageKeysHaveTheirDefaults)
{
    load("[EICAS]\n");
    EXPECT_EQ(display->efisStyle, EfisStyle::Old);
    EXPECT_EQ(display->engineType, EngineType::N1Driven);
    EXPECT_EQ(display->colours[ColourRow::Inhibit].kind, ColourKindBrush);
    EXPECT_EQ(display->colours[ColourRow::Inhibit].argb, kOpaqueWhite);
    EXPECT_EQ((std::array<double, 6> { display->flapPositions[0], display->flapPositions[1], display->flapPositions[2],
                  display->flapPositions[3], display->flapPositions[4], display->flapPositions[5] }),
        kDefaultFlapDetentAngles);
    EXPECT_EQ(display->slatPositions[5], 27);
}

TEST_F(EwdPageTest, PageKeysAreRead)
{
    load("[EICAS]\nInhibitColor=MAGENTA\nEngineType=EPR_DRIVEN\nFlapPositions=0-0-5-15-20-40\nSlatPositions=\n");
    EXPECT_EQ(display->engineType, EngineType::EprDriven);
    EXPECT_EQ(display->colours[ColourRow::Inhibit].argb, 0xFFFF00FF);
    EXPECT_EQ(colourOf(ColourRow::Inhibit), 0xFFFF00FFu);
    EXPECT_EQ(display->flapPositions[2], 5);
    EXPECT_EQ(display->flapPositions[5], 40);
    EXPECT_EQ(display->slatPositions[1], 18); // an empty list gives the defaults
}

TEST_F(EwdPageTest, AShortPositionListIsCompletedFromTheDefaults)
{
    load("[EICAS]\nFlapPositions=0-0-12\n");
    EXPECT_EQ(display->flapPositions[2], 12);
    EXPECT_EQ(display->flapPositions[3], 15);
    EXPECT_EQ(display->flapPositions[4], 20);
    EXPECT_EQ(display->flapPositions[5], 35);
}

TEST_F(EwdPageTest, OnlyUserMessagesThreeFourAndEightToTenShow)
{
    std::string text = "[EICAS]\n";
    for (int m = 1; m <= 10; ++m) {
        std::string const key = "UserMessage" + std::to_string(m);
        text += key + "Label=MSG_" + char('A' + m - 1) + "\n" + key + "Position=100," + std::to_string(100 * m) + "\n";
    }
    load(text);
    frame();
    std::string shown;
    for (int m = 1; m <= 10; ++m)
        if (findText(u"MSG " + std::u16string(1, char16_t(u'A' + m - 1))))
            shown += char('A' + m - 1);
    EXPECT_EQ(shown, "CDHIJ");
}

TEST_F(EwdPageTest, TheFlapLabelFollowsTheLeverOnceSurfacesAreOut)
{
    load("[EICAS]\nLabelFont=Arial\nFlapPositionColor=GREEN\nFlapHandleColor=CYAN\n");
    data().flapsControl = 4916;
    data().slatAngleRaw = 18 * 256;
    data().flapAngleRaw = 10 * 256;
    frame();
    EXPECT_EQ(display->flapConfigurationLabel(), u"1+F");
    ASSERT_NE(findText(u"1+F"), nullptr);
    EXPECT_EQ(findText(u"1+F")->brush.colour, colourOf(ColourRow::FlapPosition));
    data().flapAngleRaw = 5 * 256;
    frame();
    EXPECT_EQ(findText(u"1+F")->brush.colour, colourOf(ColourRow::FlapHandle));
}
