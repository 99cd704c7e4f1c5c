#include "gauges/gauge_test_fixture.h"

namespace {

constexpr int kN1 = 0;
constexpr int kEgt = 5;

using GaugeDefinitionsTest = GaugeTest;

TEST_F(GaugeDefinitionsTest, AGaugeWithoutKeysIsNoneAndDrawsNothing)
{
    loadLayout("");
    GaugeRecord const& egt = display.engineGauges[kEgt];
    EXPECT_EQ(egt.displayType, DisplayType::None);
    EXPECT_TRUE(egt.label.empty());
    EXPECT_TRUE(egt.legend.empty());
    EXPECT_FALSE(egt.valueDisplayed);
    setEngines(2, 50);
    for (DrawCommand const& c : frame()) // the clear, and the empty lists' clipping
        EXPECT_TRUE(c.op == DrawOp::Clear || c.op == DrawOp::Clip || c.op == DrawOp::NoClip);
}

TEST_F(GaugeDefinitionsTest, KeysAreReadWithTheirDefaultsAndDerivedFields)
{
    loadLayout("N1DisplayType=quadrant\nN1Box=100,200,300,400\nN1Max=120\nN1StartAngle=150\nN1EndAngle=30\n"
               "EGTDisplayType=BAR\nEGTMin=300\nEGTMax=1000\nEGTBarThickness=12.9\n");
    GaugeRecord const& n1 = display.engineGauges[kN1];
    EXPECT_EQ(n1.displayType, DisplayType::Quadrant);
    EXPECT_FLOAT_EQ(n1.box.x, 100);
    EXPECT_FLOAT_EQ(n1.box.y, 200);
    EXPECT_FLOAT_EQ(n1.box.width, 200);
    EXPECT_FLOAT_EQ(n1.box.height, 200);
    EXPECT_FLOAT_EQ(n1.min, 0);
    EXPECT_FLOAT_EQ(n1.firstTick, 0);
    EXPECT_DOUBLE_EQ(n1.precision, 1);
    EXPECT_TRUE(n1.displayZero);
    EXPECT_FLOAT_EQ(n1.needleEndRadiusRatio, 1);
    EXPECT_FLOAT_EQ(n1.scaleFactor, -1); // anticlockwise: (30 - 150) / 120
    EXPECT_FLOAT_EQ(n1.tickValueDivider, 1);
    EXPECT_FLOAT_EQ(n1.labelValueDivider, 1);

    GaugeRecord const& egt = display.engineGauges[kEgt];
    EXPECT_FLOAT_EQ(egt.firstTick, 300); // the Min just read
    EXPECT_FLOAT_EQ(egt.thickness, 12); // an integer key
    EXPECT_TRUE(egt.columnFrame);
    EXPECT_EQ(egt.orientation, 1);
}

TEST_F(GaugeDefinitionsTest, TheThresholdDecidesTheDangerSide)
{
    std::string const scale = "N1DisplayType=QUADRANT\nN1Min=0\nN1Max=100\nN1DangerZone=YES\n";
    loadLayout(scale);
    EXPECT_EQ(display.engineGauges[kN1].dangerSide, DangerSide::None);
    EXPECT_FLOAT_EQ(display.engineGauges[kN1].dangerThreshold, 0);
    loadLayout(scale + "N1DangerThreshold=50\n");
    EXPECT_EQ(display.engineGauges[kN1].dangerSide, DangerSide::Low);
    loadLayout(scale + "N1DangerThreshold=50.01\n");
    EXPECT_EQ(display.engineGauges[kN1].dangerSide, DangerSide::High);
    loadLayout(scale + "N1DangerThreshold=-99999.99\n"); // the "absent" value itself
    EXPECT_EQ(display.engineGauges[kN1].dangerSide, DangerSide::None);
}

TEST_F(GaugeDefinitionsTest, WithoutAThresholdNothingIsInDanger)
{
    loadLayout("N1DisplayType=QUADRANT\nN1Box=0,0,200,200\nN1DangerZone=YES\nN1ValueDisplayed=YES\nN1TickInterval=10\nN1TickSize=5\n"
               "QuadrantDangerColor=RED\nNeedleDangerColor=RED\nTextDangerColor=RED\n");
    setEngines(1, 0);
    for (DrawCommand const& c : frame())
        EXPECT_NE(c.op == DrawOp::Text ? c.brush.colour : c.pen.colour, Colour::Red);
}

TEST_F(GaugeDefinitionsTest, ATextGaugeAlwaysShowsItsValueAndReadsItsOffset)
{
    loadLayout("N1DisplayType=TEXT\nN1ValueDisplayed=NO\nN1ValueOffset=5,6\n"
               "N2DisplayType=QUADRANT\nN2ValueOffset=5,6\n");
    EXPECT_TRUE(display.engineGauges[kN1].valueDisplayed);
    EXPECT_FLOAT_EQ(display.engineGauges[kN1].valueOffset.y, 6);
    EXPECT_FALSE(display.engineGauges[1].valueDisplayed);
    EXPECT_FLOAT_EQ(display.engineGauges[1].valueOffset.x, 0); // not read when not displayed
}

TEST_F(GaugeDefinitionsTest, AGaugeWithOnlyALabelDrawsItCentredOnTheOrigin)
{
    loadLayout("N1Label=N1_%\nLabelColor=AMBER\nLabelFont=Arial\n");
    setEngines(2, 50);
    std::vector<DrawCommand> const texts = withOp(frame(), DrawOp::Text);
    ASSERT_EQ(texts.size(), 1u); // once, not per engine
    EXPECT_EQ(textsOf(texts)[0], "N1 %");
    EXPECT_FLOAT_EQ(texts[0].origin.x, 0);
    EXPECT_FLOAT_EQ(texts[0].origin.y, 0);
    EXPECT_EQ(texts[0].brush.colour, Colour::Amber);
    EXPECT_EQ(texts[0].fontFace, "Arial");
    EXPECT_EQ(texts[0].format.align, StringAlignment::Center);
}

TEST_F(GaugeDefinitionsTest, LabelsAndLegendsStandAtTheirOffsetsFromTheBoxAndAreCut)
{
    std::string const longText(60, 'L');
    loadLayout("ApuRPMBox=100,200,300,400\nApuRPMLabel=APU\nApuRPMLabelOffset=10,20\nApuRPMLegend=" + longText
        + "\nApuRPMLegendOffset=-5,50\nLegendColor=GREEN\n");
    std::vector<DrawCommand> const texts = withOp(frame(), DrawOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_FLOAT_EQ(texts[0].origin.x, 110);
    EXPECT_FLOAT_EQ(texts[0].origin.y, 220);
    EXPECT_EQ(textsOf(texts)[1], std::string(49, 'L'));
    EXPECT_FLOAT_EQ(texts[1].origin.x, 95);
    EXPECT_FLOAT_EQ(texts[1].origin.y, 250);
    EXPECT_EQ(texts[1].brush.colour, Colour::Green);
}

TEST_F(GaugeDefinitionsTest, SingleGaugesReadTheirValueInTheLayoutsUnits)
{
    std::string const gauge = "LeftFuelDisplayType=TEXT\nLeftFuelMax=100000\n";
    sim().totalFuelLbs = 20000;
    sim().aircraft.set(AircraftValue::LeftFuel, 0, 4536);
    loadLayout(gauge);
    EXPECT_EQ(textsOf(frame()), (std::vector<std::string> { "10000" }));
    loadLayout(gauge + "Units=METRIC\n");
    EXPECT_EQ(textsOf(frame()), (std::vector<std::string> { "4536" }));
}

TEST_F(GaugeDefinitionsTest, TheEngineOffCharacterIsTheFirstCharacterOfItsValue)
{
    loadLayout("EngineOffChar=Xyz\n");
    EXPECT_EQ(display.engineOffChar, 'X');
    loadLayout("");
    EXPECT_EQ(display.engineOffChar, EfisDisplay::kNoEngineOffChar);
    EXPECT_FALSE(display.engineOffManaged);
}

TEST_F(GaugeDefinitionsTest, TheCommandedEprMappingComesFromTheLayout)
{
    loadLayout("CEPR_N1Idle=20\nCEPR_N1Max=80\nCEPR_EPRMin=1.1\nCEPR_EPRMax=1.5\n");
    platform.ipc.set<std::uint16_t>(0x0AEC, 1);
    platform.ipc.set<double>(0x2000, 50.0);
    LinkState state;
    display.acquireFromSimulator(state); // learns the engine count
    display.acquireFromSimulator(state); // reads N1
    ASSERT_TRUE(state.connected);
    EXPECT_NEAR(sim().cepr[0], 1.3, 1e-12);
}

} // namespace
