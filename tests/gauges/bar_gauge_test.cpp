#include "gauges/gauge_test_fixture.h"

namespace {

class BarGaugeTest : public GaugeTest {
protected:
    // The fill rectangles of one frame with the EGT of every engine at value.
    std::vector<DrawCommand> fillsAtEgt(double value)
    {
        for (double& egt : sim().egtC)
            egt = value;
        return withOp(frame(), DrawOp::FillRect);
    }
    std::vector<DrawCommand> fillsAtFuelFlow(double value)
    {
        for (double& flow : sim().fuelFlowPph)
            flow = value;
        return withOp(frame(), DrawOp::FillRect);
    }
};

void expectRect(RectF const& actual, RectF const& expected)
{
    EXPECT_FLOAT_EQ(actual.x, expected.x);
    EXPECT_FLOAT_EQ(actual.y, expected.y);
    EXPECT_FLOAT_EQ(actual.width, expected.width);
    EXPECT_FLOAT_EQ(actual.height, expected.height);
}

TEST_F(BarGaugeTest, ABarFillsUpwardsFromTheBottomToTheClampedValue)
{
    loadLayout("EGTDisplayType=BAR\nEGTBox=0,100,100,300\n");
    setEngines(1, 50);

    std::vector<DrawCommand> fills = fillsAtEgt(50);
    ASSERT_EQ(fills.size(), 1u);
    expectRect(fills[0].rect, { 40, 200, 20, 100 });
    EXPECT_EQ(fills[0].brush.colour, Colour::White);

    fills = fillsAtEgt(150);
    ASSERT_EQ(fills.size(), 1u);
    expectRect(fills[0].rect, { 40, 100, 20, 200 });

    fills = fillsAtEgt(-5);
    ASSERT_EQ(fills.size(), 1u);
    expectRect(fills[0].rect, { 40, 300, 20, 0 });
}

TEST_F(BarGaugeTest, ABarScaleStartsAtItsMinimum)
{
    loadLayout("EGTDisplayType=BAR\nEGTBox=0,100,100,300\nEGTMin=20\nEGTMax=120\n");
    setEngines(1, 50);
    expectRect(fillsAtEgt(70).at(0).rect, { 40, 200, 20, 100 });
    expectRect(fillsAtEgt(10).at(0).rect, { 40, 300, 20, 0 });
}

TEST_F(BarGaugeTest, AStackShowsOnlyTheWholeBlocksTheValueReaches)
{
    loadLayout("FFDisplayType=STACK\nFFBox=0,0,100,250\nFFStackBlockSize=20\nFFStackBlockInterval=5\n");
    setEngines(1, 50);
    EXPECT_EQ(fillsAtFuelFlow(40).size(), 4u);
    EXPECT_EQ(fillsAtFuelFlow(39).size(), 3u);

    std::vector<DrawCommand> const full = fillsAtFuelFlow(100);
    ASSERT_EQ(full.size(), 10u);
    expectRect(full[0].rect, { 40, 230, 20, 20 }); // on the bottom edge
    expectRect(full[1].rect, { 40, 205, 20, 20 });
    expectRect(full[9].rect, { 40, 5, 20, 20 }); // 5 units below the top
}

TEST_F(BarGaugeTest, EachEngineColumnIsOutlinedOverTheFullBoxHeight)
{
    loadLayout("FFDisplayType=STACK\nFFBox=0,0,200,250\nFFStackThickness=12\nFFStackFrame=YES\nFrameNormalColor=GREEN\n");
    setEngines(2, 50);
    std::vector<DrawCommand> const outlines = withOp(frame(), DrawOp::Rect);
    ASSERT_EQ(outlines.size(), 2u);
    expectRect(outlines[0].rect, { 44, 0, 12, 250 });
    expectRect(outlines[1].rect, { 144, 0, 12, 250 });
    EXPECT_EQ(outlines[0].pen.colour, Colour::Green);
}

TEST_F(BarGaugeTest, AStoppedEngineChangesOnlyItsOutlinePen)
{
    loadLayout("EGTDisplayType=BAR\nEGTBox=0,0,200,200\nEngineOffManaged=YES\nFrameOffColor=GREY\n");
    setEngines(2, 50);
    sim().n1Percent[1] = 0;
    std::vector<DrawCommand> const fills = fillsAtEgt(50);
    std::vector<DrawCommand> const commands = frame();
    EXPECT_EQ(fills.size(), 2u);
    std::vector<DrawCommand> const outlines = withOp(commands, DrawOp::Rect);
    ASSERT_EQ(outlines.size(), 2u);
    EXPECT_EQ(outlines[0].pen.colour, Colour::White);
    EXPECT_EQ(outlines[1].pen.colour, 0xFF646464u);
}

TEST_F(BarGaugeTest, EngineOutlinesLieOverTheFillAndSingleFillsOverTheOutline)
{
    loadLayout("EGTDisplayType=BAR\nEGTBox=0,0,100,200\nTotalFuelDisplayType=BAR\nTotalFuelBox=200,0,300,200\nTotalFuelMax=10000\n");
    setEngines(1, 50);
    sim().totalFuelLbs = 5000;
    for (double& egt : sim().egtC)
        egt = 50;
    std::vector<DrawOp> ops;
    for (DrawCommand const& c : frame()) {
        if (c.op == DrawOp::Rect || c.op == DrawOp::FillRect)
            ops.push_back(c.op);
    }
    EXPECT_EQ(ops, (std::vector<DrawOp> { DrawOp::FillRect, DrawOp::Rect, DrawOp::Rect, DrawOp::FillRect }));
}

TEST_F(BarGaugeTest, BarsAreVerticalWhateverTheirOrientationKeySays)
{
    loadLayout("EGTDisplayType=BAR\nEGTBox=0,100,100,300\nEGTBarOrientation=HORIZONTAL\n");
    setEngines(1, 50);
    expectRect(fillsAtEgt(50).at(0).rect, { 40, 200, 20, 100 });
}

TEST_F(BarGaugeTest, TheThresholdAloneTurnsTheFillToTheDangerColour)
{
    loadLayout("EGTDisplayType=BAR\nEGTBox=0,100,100,300\nEGTDangerThreshold=80\nEGTDangerZone=NO\nBarStackDangerColor=RED\n");
    setEngines(1, 50);
    EXPECT_EQ(fillsAtEgt(79).at(0).brush.colour, Colour::White);
    EXPECT_EQ(fillsAtEgt(80).at(0).brush.colour, Colour::Red);
}

TEST_F(BarGaugeTest, ColumnsWithoutAUsableScaleDrawNothingAndStacksWithoutABlockStepOnlyTheirOutline)
{
    setEngines(2, 50);
    for (std::string_view layout : {
             "EGTDisplayType=BAR\nEGTBox=0,0,100,200\nEGTMin=100\nEGTMax=100\n",
             "EGTDisplayType=STACK\nEGTBox=0,0,100,200\nEGTMin=100\nEGTMax=100\n",
         }) {
        loadLayout(layout);
        std::vector<DrawCommand> const commands = frame();
        EXPECT_TRUE(withOp(commands, DrawOp::FillRect).empty()) << layout;
        EXPECT_TRUE(withOp(commands, DrawOp::Rect).empty()) << layout;
        EXPECT_TRUE(allFinite(commands)) << layout;
    }
    for (std::string_view layout : {
             "EGTDisplayType=STACK\nEGTBox=0,0,100,200\nEGTStackBlockSize=0\nEGTStackBlockInterval=0\n",
             "EGTDisplayType=STACK\nEGTBox=0,0,100,200\nEGTStackBlockSize=2\nEGTStackBlockInterval=-5\n",
         }) {
        loadLayout(layout);
        std::vector<DrawCommand> const commands = frame();
        EXPECT_TRUE(withOp(commands, DrawOp::FillRect).empty()) << layout;
        EXPECT_EQ(withOp(commands, DrawOp::Rect).size(), 2u) << layout;
        EXPECT_TRUE(allFinite(commands)) << layout;
    }
}

TEST_F(BarGaugeTest, AStackInAHugeBoxStillEndsTheFrame)
{
    loadLayout("FFDisplayType=STACK\nFFBox=0,0,100,100000000\nFFStackBlockSize=1\nFFStackBlockInterval=0\n");
    setEngines(1, 50);
    EXPECT_EQ(fillsAtFuelFlow(100).size(), 1000u);
}

} // namespace
