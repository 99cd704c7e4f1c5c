#include "gauges/gauge_scale.h"
#include "gauges/gauge_test_fixture.h"

#include <cmath>

namespace {

// An N1 dial of one engine: centre (100, 100), radius 100, scale 0 to 100
// from 180 degrees (left) to 360 degrees (right) over the top.
constexpr std::string_view kHalfDial = "N1DisplayType=QUADRANT\n"
                                       "N1Box=0,0,200,200\n"
                                       "N1Min=0\n"
                                       "N1Max=100\n"
                                       "N1StartAngle=180\n"
                                       "N1EndAngle=360\n";
// The needle in cyan, so that the white lines are the ticks.
constexpr std::string_view kCyanNeedle = "NeedleNormalColor=CYAN\nNeedleDangerColor=CYAN\n";

class DialGaugeTest : public GaugeTest {
protected:
    std::vector<DrawCommand> linesInColour(Argb colour)
    {
        std::vector<DrawCommand> result;
        for (DrawCommand const& c : withOp(frame(), DrawOp::Line)) {
            if (c.pen.colour == colour)
                result.push_back(c);
        }
        return result;
    }
    // The needle of a one-engine dial, drawn in its own colour.
    DrawCommand needleAt(double n1)
    {
        setEngines(1, n1);
        std::vector<DrawCommand> const needles = linesInColour(Colour::Cyan);
        EXPECT_EQ(needles.size(), 1u);
        return needles.empty() ? DrawCommand {} : needles.front();
    }
    static float angleOf(DrawCommand const& line)
    {
        float const degrees = std::atan2(line.points[1].y - line.points[0].y, line.points[1].x - line.points[0].x) * 180 / 3.14159265f;
        return degrees < 0 ? degrees + 360 : degrees;
    }
};

TEST_F(DialGaugeTest, TheNeedlePointsAtTheValueAndStopsAtTheScaleEnds)
{
    loadLayout(std::string(kHalfDial) + std::string(kCyanNeedle));

    DrawCommand const half = needleAt(50);
    EXPECT_NEAR(half.points[0].x, 100, 1e-3);
    EXPECT_NEAR(half.points[0].y, 100, 1e-3);
    EXPECT_NEAR(half.points[1].x, 100, 1e-3); // straight up: 270 degrees
    EXPECT_NEAR(half.points[1].y, 0, 1e-3);

    DrawCommand const over = needleAt(150);
    EXPECT_NEAR(over.points[1].x, 200, 1e-3); // 360 degrees
    EXPECT_NEAR(over.points[1].y, 100, 1e-3);

    DrawCommand const under = needleAt(-10);
    EXPECT_NEAR(under.points[1].x, 0, 1e-3); // 180 degrees
    EXPECT_NEAR(under.points[1].y, 100, 1e-3);
}

TEST_F(DialGaugeTest, TheNeedleRunsBetweenItsRadiusRatios)
{
    loadLayout(std::string(kHalfDial) + std::string(kCyanNeedle) + "N1NeedleStartRadiusRatio=0.25\nN1NeedleEndRadiusRatio=0.75\n");
    DrawCommand const needle = needleAt(100);
    EXPECT_NEAR(needle.points[0].x, 125, 1e-3);
    EXPECT_NEAR(needle.points[1].x, 175, 1e-3);
    EXPECT_NEAR(needle.points[1].y, 100, 1e-3);
}

TEST_F(DialGaugeTest, ThePieSweepsFromTheMinimumToTheClampedValue)
{
    loadLayout("N1DisplayType=QUADRANT\nN1Box=0,0,200,200\nN1Min=20\nN1Max=120\nN1StartAngle=180\nN1EndAngle=360\nPieNormalColor=GREEN\n");
    for (auto [n1, sweep] : { std::pair { 70.0, 90.0f }, { 10.0, 0.0f }, { 200.0, 180.0f } }) {
        setEngines(1, n1);
        std::vector<DrawCommand> const pies = withOp(frame(), DrawOp::Pie);
        ASSERT_EQ(pies.size(), 1u) << n1;
        EXPECT_EQ(pies[0].brush.colour, Colour::Green);
        EXPECT_FLOAT_EQ(pies[0].startAngle, 180);
        EXPECT_NEAR(pies[0].sweepAngle, sweep, 1e-4) << n1;
        EXPECT_FLOAT_EQ(pies[0].rect.x, 0);
        EXPECT_FLOAT_EQ(pies[0].rect.width, 200);
    }
}

TEST_F(DialGaugeTest, TransparentPieColoursDrawNoPie)
{
    loadLayout(kHalfDial);
    setEngines(1, 50);
    EXPECT_TRUE(display.pieNormalTransparent);
    EXPECT_TRUE(withOp(frame(), DrawOp::Pie).empty());
}

TEST_F(DialGaugeTest, AHighDangerZoneSplitsTheArcAndColoursTicksNeedleAndReadout)
{
    loadLayout(std::string(kHalfDial)
        + "N1DangerZone=YES\nN1DangerThreshold=80\nN1TickInterval=10\nN1TickSize=10\nN1ValueDisplayed=YES\n"
          "QuadrantDangerColor=RED\nNeedleNormalColor=CYAN\nNeedleDangerColor=AMBER\nTextNormalColor=BLUE\nTextDangerColor=MAGENTA\n");
    setEngines(1, 79);
    std::vector<DrawCommand> const commands = frame();

    std::vector<DrawCommand> const arcs = withOp(commands, DrawOp::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0].pen.colour, Colour::White); // normal part
    EXPECT_FLOAT_EQ(arcs[0].startAngle, 180);
    EXPECT_NEAR(arcs[0].sweepAngle, 144, 1e-4);
    EXPECT_EQ(arcs[1].pen.colour, Colour::Red); // danger part, from a(80)
    EXPECT_NEAR(arcs[1].startAngle, 324, 1e-4);
    EXPECT_NEAR(arcs[1].sweepAngle, 36, 1e-4);

    // Ticks at 0, 10, ... 100: the tick at 80 is normal, 90 and 100 are danger ticks.
    std::vector<DrawCommand> ticks;
    for (DrawCommand const& line : withOp(commands, DrawOp::Line)) {
        if (line.pen.colour == Colour::White || line.pen.colour == Colour::Red)
            ticks.push_back(line);
    }
    ASSERT_EQ(ticks.size(), 11u);
    EXPECT_EQ(ticks[8].pen.colour, Colour::White);
    EXPECT_EQ(ticks[9].pen.colour, Colour::Red);
    EXPECT_EQ(ticks[10].pen.colour, Colour::Red);
    EXPECT_EQ(textCommand(commands, "79").brush.colour, Colour::Blue);
    EXPECT_EQ(linesInColour(Colour::Cyan).size(), 1u);

    // At exactly the threshold the needle and readout are in danger.
    setEngines(1, 80);
    EXPECT_EQ(linesInColour(Colour::Amber).size(), 1u);
    EXPECT_EQ(textCommand(frame(), "80").brush.colour, Colour::Magenta);
}

TEST_F(DialGaugeTest, DangerTicksNeedTheDangerZoneAndAPenNoThickerThanTheNormalOne)
{
    std::string const layout = std::string(kHalfDial) + std::string(kCyanNeedle) + "N1DangerThreshold=80\nN1TickInterval=10\nN1TickSize=10\nQuadrantDangerColor=RED\n";
    setEngines(1, 0);
    loadLayout(layout); // no danger zone
    EXPECT_TRUE(linesInColour(Colour::Red).empty());
    loadLayout(layout + "N1DangerZone=YES\nQuadrantDangerThickness=3\n");
    EXPECT_TRUE(linesInColour(Colour::Red).empty());
    loadLayout(layout + "N1DangerZone=YES\nQuadrantNormalThickness=3\n"); // danger width follows: 3
    EXPECT_EQ(linesInColour(Colour::Red).size(), 2u);
}

TEST_F(DialGaugeTest, ALowDangerZoneHidesTheMinimumTickUnlessTheExtremumTickIsSet)
{
    std::string const layout = std::string(kHalfDial) + std::string(kCyanNeedle) + "N1DangerZone=YES\nN1DangerThreshold=20\nN1TickInterval=50\nN1TickSize=10\n";
    setEngines(1, 0);
    loadLayout(layout);
    std::vector<DrawCommand> ticks = linesInColour(Colour::White);
    ASSERT_EQ(ticks.size(), 2u); // 50 and 100
    EXPECT_NEAR(angleOf(ticks[0]), 90, 1e-2); // inward at 270 degrees

    loadLayout(layout + "N1ExtremumTick=YES\n");
    ticks = linesInColour(Colour::White);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_NEAR(ticks[0].points[0].x, 0, 1e-3); // from the arc at 180 degrees ...
    EXPECT_NEAR(ticks[0].points[1].x, 10, 1e-3); // ... 10 units inwards

    // The low arc parts: danger from the start, normal after it.
    std::vector<DrawCommand> const arcs = withOp(frame(), DrawOp::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_NEAR(arcs[0].startAngle, 216, 1e-4);
    EXPECT_NEAR(arcs[0].sweepAngle, 144, 1e-4);
    EXPECT_FLOAT_EQ(arcs[1].startAngle, 180);
    EXPECT_NEAR(arcs[1].sweepAngle, 36, 1e-4);
}

TEST_F(DialGaugeTest, AHighExtremumTickMarksTheScaleEndBeyondTheLastTick)
{
    loadLayout("N1DisplayType=QUADRANT\nN1Box=0,0,200,200\nN1Max=105\nN1StartAngle=180\nN1EndAngle=360\n"
               "N1DangerThreshold=90\nN1ExtremumTick=YES\nN1TickInterval=10\nN1TickSize=10\nNeedleNormalColor=CYAN\n");
    setEngines(1, 0);
    std::vector<DrawCommand> const ticks = linesInColour(Colour::White);
    ASSERT_EQ(ticks.size(), 12u); // 0 ... 100, then 105
    EXPECT_NEAR(ticks[11].points[0].x, 200, 1e-3); // at the end angle, 360 degrees
    EXPECT_NEAR(ticks[11].points[0].y, 100, 1e-3);
    EXPECT_NEAR(ticks[11].points[1].x, 190, 1e-3);
}

TEST_F(DialGaugeTest, TickLabelsShowEveryLabelIntervalDividedAndFormatted)
{
    std::string const layout = std::string(kHalfDial) + std::string(kCyanNeedle) + "N1TickInterval=10\nN1TickSize=5\nN1TickLabelInterval=20\nN1TickValueDivider=10\n";
    setEngines(1, 0);
    loadLayout(layout);
    std::vector<DrawCommand> const commands = frame();
    EXPECT_EQ(textsOf(commands), (std::vector<std::string> { "0", "2", "4", "6", "8", "10" }));
    // Labels stand at 0.6 of the radius, centred on that point.
    DrawCommand const two = textCommand(commands, "2");
    float const a = (180 + 36) * 3.14159265f / 180;
    EXPECT_NEAR(two.origin.x, 100 + 60 * std::cos(a), 1e-3);
    EXPECT_NEAR(two.origin.y, 100 + 60 * std::sin(a), 1e-3);
    EXPECT_EQ(two.format.align, StringAlignment::Center);
    EXPECT_EQ(two.format.lineAlign, StringAlignment::Center);
    EXPECT_EQ(two.fontSize, 75);

    loadLayout(layout + "N1DisplayZero=NO\nN1TickLabelDecimals=1\n");
    EXPECT_EQ(textsOf(frame()), (std::vector<std::string> { "2.0", "4.0", "6.0", "8.0", "10.0" }));

    loadLayout(std::string(kHalfDial) + std::string(kCyanNeedle) + "N1TickInterval=10\nN1TickSize=5\n"); // no label interval
    std::vector<DrawCommand> const unlabelled = frame();
    EXPECT_TRUE(textsOf(unlabelled).empty());
    EXPECT_EQ(withOp(unlabelled, DrawOp::Line).size(), 11u + 1); // and the needle
}

TEST_F(DialGaugeTest, TickValuesDoNotDriftAlongTheScale)
{
    loadLayout("N1DisplayType=QUADRANT\nN1Box=0,0,200,200\nN1Max=1\nN1StartAngle=180\nN1EndAngle=360\n"
               "N1TickInterval=0.1\nN1TickSize=5\nN1TickLabelInterval=0.5\nN1TickLabelDecimals=1\nNeedleNormalColor=CYAN\n");
    setEngines(1, 0);
    std::vector<DrawCommand> const commands = frame();
    std::vector<DrawCommand> const ticks = linesInColour(Colour::White);
    ASSERT_EQ(ticks.size(), 11u); // 0.0 ... 1.0: the last one is not lost to rounding
    EXPECT_NEAR(ticks[10].points[0].x, 200, 1e-3);
    EXPECT_EQ(textsOf(commands), (std::vector<std::string> { "0.0", "0.5", "1.0" }));
}

TEST_F(DialGaugeTest, AFineScaleRunsToItsEndAndAnEndlessOneStopsAtTheCapOrWhereTicksStopGrowing)
{
    // 2,001 ticks, 0 to 2000: the last at the end angle.
    loadLayout("N1DisplayType=QUADRANT\nN1Box=0,0,200,200\nN1Max=2000\nN1StartAngle=180\nN1EndAngle=360\n"
               "N1TickInterval=1\nN1TickSize=5\nNeedleNormalColor=CYAN\n");
    setEngines(1, 0);
    std::vector<DrawCommand> const fine = linesInColour(Colour::White);
    ASSERT_EQ(fine.size(), 2001u);
    EXPECT_NEAR(fine.back().points[0].x, 200, 1e-3);
    EXPECT_NEAR(fine.back().points[0].y, 100, 1e-3);

    loadLayout("N1DisplayType=QUADRANT\nN1Box=0,0,200,200\nN1Max=1000000000\nN1StartAngle=180\nN1EndAngle=360\n"
               "N1TickInterval=0.0001\nN1TickSize=5\nNeedleNormalColor=CYAN\n");
    EXPECT_EQ(linesInColour(Colour::White).size(), static_cast<std::size_t>(kMaxScaleTicks));

    // Beyond 2^24 a float step of 1 adds nothing: one tick, not the cap's worth.
    loadLayout("N1DisplayType=QUADRANT\nN1Box=0,0,200,200\nN1Min=100000000\nN1Max=200000000\nN1StartAngle=180\n"
               "N1EndAngle=360\nN1TickInterval=1\nN1TickSize=5\nNeedleNormalColor=CYAN\n");
    EXPECT_EQ(linesInColour(Colour::White).size(), 1u);
}

TEST_F(DialGaugeTest, AScaleWithMaxEqualToMinDrawsNoDialButItsReadoutAndLabel)
{
    loadLayout("N1DisplayType=QUADRANT\nN1Box=0,0,200,200\nN1Min=50\nN1Max=50\nN1TickInterval=10\nN1TickSize=5\n"
               "N1ValueDisplayed=YES\nN1Label=N1\nPieNormalColor=GREEN\n"
               "N2DisplayType=RING\nN2Box=200,0,400,200\nN2Min=0\nN2Max=0\n");
    setEngines(2, 60);
    std::vector<DrawCommand> const commands = frame();
    EXPECT_TRUE(allFinite(commands));
    EXPECT_TRUE(withOp(commands, DrawOp::Arc).empty());
    EXPECT_TRUE(withOp(commands, DrawOp::Pie).empty());
    EXPECT_TRUE(withOp(commands, DrawOp::Line).empty());
    EXPECT_EQ(textsOf(commands), (std::vector<std::string> { "60", "60", "N1" }));
}

TEST_F(DialGaugeTest, EngineDialsStandInEqualColumnsOfTheBox)
{
    loadLayout("N1DisplayType=QUADRANT\nN1Box=100,200,300,400\nN1StartAngle=180\nN1EndAngle=360\n");
    setEngines(2, 50);
    std::vector<DrawCommand> arcs = withOp(frame(), DrawOp::Arc);
    ASSERT_EQ(arcs.size(), 2u); // radius = half the box height: 100
    EXPECT_FLOAT_EQ(arcs[0].rect.x, 50); // centre (150, 300)
    EXPECT_FLOAT_EQ(arcs[0].rect.y, 200);
    EXPECT_FLOAT_EQ(arcs[0].rect.width, 200);
    EXPECT_FLOAT_EQ(arcs[1].rect.x, 150); // centre (250, 300)

    // Four engines in the next frame: four columns, laid out again.
    setEngines(4, 50);
    arcs = withOp(frame(), DrawOp::Arc);
    ASSERT_EQ(arcs.size(), 4u);
    EXPECT_FLOAT_EQ(arcs[0].rect.x + 100, 125);
    EXPECT_FLOAT_EQ(arcs[3].rect.x + 100, 275);
}

TEST_F(DialGaugeTest, EnginesBeyondTheFourthAreNotDrawn)
{
    loadLayout("N1DisplayType=QUADRANT\nN1Box=0,0,800,200\nN1ValueDisplayed=YES\n");
    setEngines(6, 50);
    std::vector<DrawCommand> const commands = frame();
    EXPECT_EQ(withOp(commands, DrawOp::Arc).size(), 4u);
    EXPECT_EQ(textsOf(commands).size(), 4u);
}

TEST_F(DialGaugeTest, ASingleDialFitsTheSmallerSideOfItsBox)
{
    loadLayout("ApuRPMDisplayType=QUADRANT\nApuRPMBox=0,0,400,200\nApuRPMStartAngle=90\nApuRPMEndAngle=270\n");
    std::vector<DrawCommand> const arcs = withOp(frame(), DrawOp::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_FLOAT_EQ(arcs[0].rect.x, 100); // centre (200, 100), radius 100
    EXPECT_FLOAT_EQ(arcs[0].rect.y, 0);
    EXPECT_FLOAT_EQ(arcs[0].rect.width, 200);
    EXPECT_FLOAT_EQ(arcs[0].startAngle, 90);
    EXPECT_FLOAT_EQ(arcs[0].sweepAngle, 180);
}

TEST_F(DialGaugeTest, ARingFillsASectorBetweenItsTwoRadiusRatios)
{
    loadLayout("N2DisplayType=RING\nN2Box=0,0,200,200\nN2StartAngle=180\nN2EndAngle=360\n"
               "N2NeedleStartRadiusRatio=0.6\nN2NeedleEndRadiusRatio=1\nN2TickInterval=50\nN2TickSize=5\n"
               "BackgroundColor=BLUE\n");
    setEngines(1, 50);
    sim().n2Percent[0] = 50;
    std::vector<DrawCommand> const commands = frame();
    EXPECT_TRUE(withOp(commands, DrawOp::Arc).empty()); // rings have no arc ...
    EXPECT_EQ(withOp(commands, DrawOp::Line).size(), 3u); // ... only ticks, and no needle
    std::vector<DrawCommand> const pies = withOp(commands, DrawOp::Pie);
    std::vector<DrawCommand> const discs = withOp(commands, DrawOp::Ellipse);
    ASSERT_EQ(pies.size(), 1u);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(pies[0].brush.colour, Colour::White);
    EXPECT_FLOAT_EQ(pies[0].rect.width, 200);
    EXPECT_NEAR(pies[0].sweepAngle, 90, 1e-4);
    EXPECT_EQ(discs[0].brush.colour, Colour::Blue);
    EXPECT_FLOAT_EQ(discs[0].rect.x, 40);
    EXPECT_FLOAT_EQ(discs[0].rect.width, 120);
}

TEST_F(DialGaugeTest, AStoppedEngineShowsOnlyItsArcAndReadoutInTheOffColour)
{
    loadLayout("N1DisplayType=QUADRANT\nN1Box=0,0,400,200\nN1StartAngle=180\nN1EndAngle=360\nN1TickInterval=50\nN1TickSize=5\n"
               "N1TickLabelInterval=50\nN1ValueDisplayed=YES\nEngineOffManaged=YES\nEngineOffChar=X\nQuadrantOffColor=GREY\n"
               "PieNormalColor=GREEN\nNeedleNormalColor=CYAN\n");
    setEngines(2, 50);
    sim().n1Percent[1] = 1.0; // not above 1 %: stopped
    std::vector<DrawCommand> const commands = frame();

    std::vector<DrawCommand> const arcs = withOp(commands, DrawOp::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0].pen.colour, Colour::White);
    EXPECT_EQ(arcs[1].pen.colour, 0xFF646464u);
    EXPECT_EQ(withOp(commands, DrawOp::Pie).size(), 1u);
    EXPECT_EQ(linesInColour(Colour::Cyan).size(), 1u);
    // Engine 1's ticks and labels: 0, 50, 100; engine 2 has none.
    EXPECT_EQ(linesInColour(Colour::White).size(), 3u);
    EXPECT_EQ(textsOf(commands), (std::vector<std::string> { "0", "50", "100", "50", "XXX" }));
    EXPECT_EQ(textCommand(commands, "XXX").brush.colour, 0xFF646464u);
}

} // namespace
