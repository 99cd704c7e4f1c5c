#include "gauges/gauge_test_fixture.h"
#include "gauges/table_rows.h"

namespace {

using DisplaySettingsTest = GaugeTest;

TEST_F(DisplaySettingsTest, QuadrantNormalSettingsCarryToTheRowsThatDefaultToThem)
{
    loadLayout("QuadrantNormalColor=GREEN\nQuadrantNormalThickness=2\n");
    auto const& c = display.colours;
    EXPECT_EQ(c[ColourRow::QuadrantNormal].argb, Colour::Green);
    EXPECT_FLOAT_EQ(c[ColourRow::QuadrantNormal].penWidth, 2);
    EXPECT_EQ(c[ColourRow::QuadrantDanger].argb, Colour::White);
    EXPECT_FLOAT_EQ(c[ColourRow::QuadrantDanger].penWidth, 2);
    EXPECT_EQ(c[ColourRow::QuadrantOff].argb, Colour::Green);
    EXPECT_FLOAT_EQ(c[ColourRow::QuadrantOff].penWidth, 2);
    EXPECT_EQ(c[ColourRow::FrameNormal].argb, Colour::Green);
    EXPECT_FLOAT_EQ(c[ColourRow::FrameNormal].penWidth, 2);
    EXPECT_EQ(c[ColourRow::FrameOff].argb, Colour::Green);
    EXPECT_FLOAT_EQ(c[ColourRow::FrameOff].penWidth, 2);
    EXPECT_EQ(c[ColourRow::FrameDanger].argb, Colour::White);
    EXPECT_FLOAT_EQ(c[ColourRow::HighAlert].penWidth, 2); // QuadrantOff's width
}

TEST_F(DisplaySettingsTest, LaterRowsFollowTheValuesReadForTheirSourceRows)
{
    loadLayout("QuadrantOffThickness=5\nQuadrantDangerColor=RED\nQuadrantDangerThickness=4\nFlapHandleThickness=6\n"
               "NeedleNormalThickness=7\nFlapHandleColor=AMBER\n");
    auto const& c = display.colours;
    EXPECT_FLOAT_EQ(c[ColourRow::HighAlert].penWidth, 5);
    EXPECT_FLOAT_EQ(c[ColourRow::FrameOff].penWidth, 5);
    EXPECT_EQ(c[ColourRow::FrameDanger].argb, Colour::Red);
    EXPECT_FLOAT_EQ(c[ColourRow::FrameDanger].penWidth, 4);
    EXPECT_FLOAT_EQ(c[ColourRow::FlapPosition].penWidth, 6);
    EXPECT_FLOAT_EQ(c[ColourRow::NeedleDanger].penWidth, 7);
    // One key, two rows.
    EXPECT_EQ(c[ColourRow::FlapHandle].argb, Colour::Amber);
    EXPECT_EQ(c[ColourRow::CheckList].argb, Colour::Amber);
    EXPECT_FLOAT_EQ(c[ColourRow::CheckList].penWidth, 1);
}

TEST_F(DisplaySettingsTest, TheNeedleColourAlsoColoursRingReadoutAndBarFill)
{
    loadLayout("NeedleNormalColor=CYAN\n"
               "N1DisplayType=QUADRANT\nN1Box=0,0,200,200\nN1ValueDisplayed=YES\n"
               "N2DisplayType=RING\nN2Box=200,0,400,200\n"
               "EGTDisplayType=BAR\nEGTBox=400,0,500,200\n"
               "FFDisplayType=STACK\nFFBox=500,0,600,200\n");
    setEngines(1, 50);
    sim().n2Percent[0] = 50;
    sim().egtC[0] = 50;
    sim().fuelFlowPph[0] = 50;
    std::vector<DrawCommand> const commands = frame();
    EXPECT_EQ(withOp(commands, DrawOp::Line).back().pen.colour, Colour::Cyan); // needle
    EXPECT_EQ(withOp(commands, DrawOp::Pie).at(0).brush.colour, Colour::Cyan); // ring
    EXPECT_EQ(textCommand(commands, "50").brush.colour, Colour::Cyan); // readout
    std::vector<DrawCommand> const fills = withOp(commands, DrawOp::FillRect);
    ASSERT_GE(fills.size(), 2u);
    for (DrawCommand const& fill : fills)
        EXPECT_EQ(fill.brush.colour, Colour::Cyan); // bar and blocks
}

TEST_F(DisplaySettingsTest, TheFrameNormalThicknessSetsBothFramePens)
{
    loadLayout("FrameNormalThickness=3\n");
    EXPECT_FLOAT_EQ(display.colours[ColourRow::FrameNormal].penWidth, 3);
    EXPECT_FLOAT_EQ(display.colours[ColourRow::FrameOff].penWidth, 3);
}

TEST_F(DisplaySettingsTest, OnlyThePieRowsKeepTransparencyOtherRowsTurnBlack)
{
    loadLayout("TextNormalColor=TRANSPARENT\nPieDangerColor=RED\n"
               "N1DisplayType=TEXT\nN1Box=0,0,200,100\n");
    EXPECT_TRUE(display.pieNormalTransparent);
    EXPECT_FALSE(display.pieDangerTransparent);
    setEngines(1, 50);
    EXPECT_EQ(textCommand(frame(), "50").brush.colour, Colour::Black);
}

TEST_F(DisplaySettingsTest, InformationFieldsFollowTheFieldBeforeThem)
{
    loadLayout("InfoSATColor=CYAN\nInfoSATFont=Arial\nInfoSATFontSize=40\nInfoGearColor=AMBER\nInfoGearFontSize=30\n"
               "ForegroundColor=GREEN\n");
    auto const& c = display.colours;
    auto const& f = display.fontDefs;
    EXPECT_EQ(c[ColourRow::FirstInfoField + 0].argb, Colour::Green); // TotalFuel: Foreground
    EXPECT_EQ(c[ColourRow::FirstInfoField + 2].argb, Colour::Cyan); // TAT: SAT
    EXPECT_EQ(c[ColourRow::FirstInfoField + 4].argb, Colour::Amber); // Spoiler: Gear
    EXPECT_EQ(f[FontRow::FirstInfoField + 2].face, "Arial");
    EXPECT_EQ(f[FontRow::FirstInfoField + 2].size, 40);
    EXPECT_EQ(f[FontRow::FirstInfoField + 3].face, "Courier");
    EXPECT_EQ(f[FontRow::FirstInfoField + 4].size, 30);
    EXPECT_EQ(c[ColourRow::FirstUserMessage + 9].argb, Colour::Green); // UserMessage10: Foreground
}

TEST_F(DisplaySettingsTest, FontRowsReadFaceSizeAndStyle)
{
    loadLayout("DigitFont=Courier_New\nDigitFontSize=60\nDigitFontStyle=bold\nTickFontStyle=HEAVY\n"
               "InfoTATFontStyle=BOLD\nUserMessage3Font=Arial\nUserMessage3FontStyle=UNDERLINE\n");
    auto const& f = display.fontDefs;
    EXPECT_EQ(f[FontRow::Digit].face, "Courier New");
    EXPECT_EQ(f[FontRow::Digit].size, 60);
    EXPECT_EQ(f[FontRow::Digit].style, FontStyleBold);
    EXPECT_EQ(f[FontRow::Tick].style, FontStyleRegular); // unknown keyword
    EXPECT_EQ(f[FontRow::Alert].face, "Courier");
    EXPECT_EQ(f[FontRow::Alert].size, 75);
    EXPECT_EQ(f[FontRow::FirstInfoField + 2].style, FontStyleRegular); // info fields have no style key
    EXPECT_EQ(f[FontRow::FirstUserMessage + 2].face, "Arial");
    EXPECT_EQ(f[FontRow::FirstUserMessage + 2].style, FontStyleUnderline);
}

TEST_F(DisplaySettingsTest, FontSizesAreHeldToThePageAndSizesOfZeroOrLessMakeNoFont)
{
    loadLayout("SizeX=500\nSizeY=800\nDigitFontSize=100000\nTickFontSize=999\nLabelFontSize=-32\nLegendFontSize=0\n");
    ASSERT_NE(display.font(FontRow::Digit), nullptr);
    EXPECT_FLOAT_EQ(display.font(FontRow::Digit)->size(), 1000); // twice the shorter side
    ASSERT_NE(display.font(FontRow::Tick), nullptr);
    EXPECT_FLOAT_EQ(display.font(FontRow::Tick)->size(), 999);
    EXPECT_EQ(display.font(FontRow::Label), nullptr);
    EXPECT_EQ(display.font(FontRow::Legend), nullptr);
    // A page a fraction of a unit wide holds its fonts to that fraction.
    loadLayout("SizeX=0.0000001\nDigitFontSize=40\n");
    ASSERT_NE(display.font(FontRow::Digit), nullptr);
    EXPECT_FLOAT_EQ(display.font(FontRow::Digit)->size(), 0.0000002f);
}

} // namespace
