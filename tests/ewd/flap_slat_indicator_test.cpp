#include "ewd/flap_slat_indicator.h"
#include "render/recording_fonts.h"
#include "render/recording_graphics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr Argb kWhite = 0xFFFFFFFF;
constexpr Argb kCyan = 0xFF00FFFF;
constexpr Argb kGreen = 0xFF00FF00;
constexpr Argb kDimGreen = 0xFF007F00;

constexpr double kLeverPerDetent = 3276.8;

class FlapSlatIndicatorTest : public ::testing::Test {
protected:
    FlapSlatIndicatorTest()
    {
        completeDetentAngles(flaps, 0, kDefaultFlapDetentAngles);
        completeDetentAngles(slats, 0, kDefaultSlatDetentAngles);
    }

    std::vector<DrawCommand> const& drawFrame(double lever, double flapAngle, double slatAngle,
        std::optional<double> slatAlphaLock = std::nullopt, double simTime = 0)
    {
        // The flag as the page reads it from the aircraft's value.
        SimData data;
        if (slatAlphaLock)
            data.aircraft.set(AircraftValue::SlatAlphaLock, 0, *slatAlphaLock);
        FlapSlatReadings const readings { lever, flapAngle, slatAngle, aircraftSwitch(data, AircraftValue::SlatAlphaLock), simTime };
        graphics.clearCommands();
        FlapSlatPaint const paint { &wingPen, &whiteBrush, &targetPen, &cyanBrush, &symbolPen, &greenBrush, &font };
        indicator.draw(graphics, readings, flaps, slats, paint, format);
        return graphics.commands();
    }

    std::vector<DrawCommand> of(DrawOp op, Argb colour = 0) const
    {
        std::vector<DrawCommand> found;
        for (DrawCommand const& c : graphics.commands()) {
            Argb const used = op == DrawOp::Text || op == DrawOp::Ellipse ? c.brush.colour : c.pen.colour;
            if (c.op == op && (colour == 0 || used == colour))
                found.push_back(c);
        }
        return found;
    }

    DrawCommand const* text(std::u16string_view s) const
    {
        for (DrawCommand const& c : graphics.commands())
            if (c.op == DrawOp::Text && c.text == s)
                return &c;
        return nullptr;
    }

    // The symbol outline of a surface: slat symbols lie left of the wing.
    DrawCommand symbol(Argb colour, bool slat) const
    {
        for (DrawCommand const& c : of(DrawOp::Polygon, colour))
            if (c.points.size() == 3 && (c.points[0].x < 741) == slat)
                return c;
        ADD_FAILURE() << "no symbol";
        return {};
    }

    RecordingGraphics graphics;
    RecordingFont font { "Arial", 30, FontStyleRegular };
    Pen wingPen { kWhite, 2 };
    Pen targetPen { kCyan, 2 };
    Pen symbolPen { kGreen, 3 };
    Brush whiteBrush { kWhite };
    Brush cyanBrush { kCyan };
    Brush greenBrush { kGreen };
    StringFormat format;
    DetentAngles flaps {};
    DetentAngles slats {};
    FlapSlatIndicator indicator;
};

void expectPoint(PointF actual, float x, float y)
{
    EXPECT_NEAR(actual.x, x, 0.01) << "x";
    EXPECT_NEAR(actual.y, y, 0.01) << "y";
}

float distance(PointF a, PointF b) { return std::hypot(a.x - b.x, a.y - b.y); }

}

TEST_F(FlapSlatIndicatorTest, StowedShowsSymbolsArmsAndWingOnly)
{
    drawFrame(0, 0, 0);
    EXPECT_TRUE(of(DrawOp::Ellipse).empty());
    EXPECT_TRUE(of(DrawOp::Text).empty());
    EXPECT_TRUE(of(DrawOp::Polygon, kCyan).empty());

    DrawCommand const slat = symbol(kGreen, true);
    expectPoint(slat.points[0], 709, 484);
    expectPoint(slat.points[1], 744, 484); // 35 towards the wing root W3
    DrawCommand const flap = symbol(kGreen, false);
    expectPoint(flap.points[0], 835, 484);
    expectPoint(flap.points[1], 789, 484); // 46 towards the wing root W2

    auto const wing = of(DrawOp::Polygon, kWhite);
    ASSERT_EQ(wing.size(), 1u);
    ASSERT_EQ(wing[0].points.size(), 4u);
    expectPoint(wing[0].points[0], 741, 465);
    expectPoint(wing[0].points[3], 749, 484);

    auto const arms = of(DrawOp::Line, kGreen);
    ASSERT_EQ(arms.size(), 4u);
    expectPoint(arms[0].points[0], 749, 484);
    expectPoint(arms[0].points[1], 749, 484);
    expectPoint(arms[1].points[1], 744, 484);
    expectPoint(arms[2].points[0], 784, 484);
    expectPoint(arms[3].points[1], 789, 484);
    EXPECT_EQ(graphics.commands().back().op, DrawOp::Polygon); // the wing comes last
}

TEST_F(FlapSlatIndicatorTest, SlatsAreInterpolatedWithinTheirSegment)
{
    drawFrame(3 * kLeverPerDetent, 15, 20);
    expectPoint(symbol(kGreen, true).points[0], 647, 510);
    expectPoint(symbol(kGreen, false).points[0], 935, 522);
    drawFrame(2 * kLeverPerDetent, 5, 9);
    expectPoint(symbol(kGreen, true).points[0], 682.5f, 487.5f);
    expectPoint(symbol(kGreen, false).points[0], 858.5f, 486);
}

TEST_F(FlapSlatIndicatorTest, ArmsSwingFromThePivotsBeyondDetentThree)
{
    drawFrame(5 * kLeverPerDetent, 17, 22);
    auto arms = of(DrawOp::Line, kGreen);
    ASSERT_EQ(arms.size(), 4u);
    expectPoint(arms[0].points[1], 749, 484); // slats at 22 still hang from W3
    expectPoint(arms[2].points[0], 784, 484);
    expectPoint(arms[2].points[1], 882, 512);
    DrawCommand const flap = symbol(kGreen, false);
    expectPoint(arms[3].points[0], 882, 512);
    expectPoint(arms[3].points[1], flap.points[1].x, flap.points[1].y);
    EXPECT_NEAR(distance(flap.points[0], flap.points[1]), 46, 0.01);

    drawFrame(5 * kLeverPerDetent, 17, 22.5);
    arms = of(DrawOp::Line, kGreen);
    expectPoint(arms[0].points[1], 693, 508);
    DrawCommand const slat = symbol(kGreen, true);
    expectPoint(arms[1].points[0], 693, 508);
    expectPoint(arms[1].points[1], slat.points[1].x, slat.points[1].y);
    // Vertex 1 lies on the way from the symbol's point back to the pivot.
    EXPECT_NEAR(distance(slat.points[0], slat.points[1]) + distance(slat.points[1], { 693, 508 }),
        distance(slat.points[0], { 693, 508 }), 0.01);
}

TEST_F(FlapSlatIndicatorTest, TargetOutlinesShowWhereTravellingSurfacesGo)
{
    drawFrame(1 * kLeverPerDetent, 0, 0);
    auto targets = of(DrawOp::Polygon, kCyan);
    ASSERT_EQ(targets.size(), 1u); // the flaps are already at detent 1's angle
    expectPoint(targets[0].points[0], 656, 491);
    // Turned from the wing root W3: vertex 1 lies 35 units towards it.
    PointF const w3 { 749, 484 };
    EXPECT_NEAR(distance(targets[0].points[0], targets[0].points[1]) + distance(targets[0].points[1], w3),
        distance(targets[0].points[0], w3), 0.01);
    EXPECT_TRUE(of(DrawOp::Text).empty()); // nothing is out yet

    drawFrame(5 * kLeverPerDetent, 20, 22);
    targets = of(DrawOp::Polygon, kCyan);
    ASSERT_EQ(targets.size(), 2u);
    expectPoint(targets[0].points[0], 633, 577);
    expectPoint(targets[1].points[0], 961, 620);
    // Detents 4 and 5 take their orientation from the pivots.
    PointF const flapPivot { 882, 512 };
    EXPECT_NEAR(distance(targets[1].points[0], targets[1].points[1]) + distance(targets[1].points[1], flapPivot),
        distance(targets[1].points[0], flapPivot), 0.01);
}

TEST_F(FlapSlatIndicatorTest, SettledConfigurationShowsDotsAndTextsInSettledColours)
{
    drawFrame(2 * kLeverPerDetent, 10, 18);
    EXPECT_TRUE(of(DrawOp::Polygon, kCyan).empty());
    auto const dots = of(DrawOp::Ellipse, kWhite);
    ASSERT_EQ(dots.size(), 7u);
    EXPECT_FLOAT_EQ(dots[0].rect.x, 651);
    EXPECT_FLOAT_EQ(dots[0].rect.y, 486);
    EXPECT_FLOAT_EQ(dots[0].rect.width, 10);
    EXPECT_FLOAT_EQ(dots[6].rect.x, 956);
    EXPECT_FLOAT_EQ(dots[6].rect.y, 615);

    ASSERT_NE(text(u"FLAP"), nullptr);
    EXPECT_EQ(text(u"FLAP")->brush.colour, kWhite);
    expectPoint(text(u"FLAP")->origin, 765, 410);
    ASSERT_NE(text(u"1+F"), nullptr);
    EXPECT_EQ(text(u"1+F")->brush.colour, kGreen);
    expectPoint(text(u"1+F")->origin, 766, 534);
    EXPECT_EQ(text(u"1+F")->fontFace, "Arial");
    ASSERT_NE(text(u"S"), nullptr);
    expectPoint(text(u"S")->origin, 645, 410);
    ASSERT_NE(text(u"F"), nullptr);
    expectPoint(text(u"F")->origin, 935, 410);
    EXPECT_EQ(text(u"F")->format.align, StringAlignment::Center);
    EXPECT_EQ(text(u"F")->format.lineAlign, StringAlignment::Near);
    EXPECT_EQ(format.align, StringAlignment::Center);
}

TEST_F(FlapSlatIndicatorTest, TextsTakeTheHandleColourWhileASurfaceTravels)
{
    drawFrame(1 * kLeverPerDetent, 0, 17.85);
    EXPECT_EQ(text(u"FLAP")->brush.colour, kCyan);
    EXPECT_EQ(text(u"1")->brush.colour, kCyan);
    EXPECT_EQ(text(u"S")->brush.colour, kWhite);
    drawFrame(1 * kLeverPerDetent, 0, 17.95);
    EXPECT_EQ(text(u"FLAP")->brush.colour, kWhite);
    EXPECT_EQ(text(u"1")->brush.colour, kGreen);
}

TEST_F(FlapSlatIndicatorTest, LeverDetentsChangeHalfWayBetweenPositions)
{
    struct Case {
        double lever;
        std::u16string_view label;
    };
    Case const cases[] = {
        { 0, u"0" }, { 1638, u"0" }, { 1639, u"1" }, { 4915, u"1" }, { 4916, u"1+F" }, { 8191, u"1+F" },
        { 8192, u"2" }, { 11468, u"2" }, { 11469, u"3" }, { 14745, u"3" }, { 14746, u"FULL" }, { 16383, u"FULL" },
    };
    for (Case const& c : cases) {
        drawFrame(c.lever, 1, 1);
        EXPECT_EQ(indicator.configLabel(), c.label) << "lever " << c.lever;
    }
}

TEST_F(FlapSlatIndicatorTest, ALeverBeyondTheLastDetentActsAsTheLastAndKeepsTheLabel)
{
    drawFrame(2 * kLeverPerDetent, 10, 18);
    ASSERT_EQ(indicator.configLabel(), u"1+F");
    drawFrame(20000, 35, 27);
    EXPECT_EQ(indicator.configLabel(), u"1+F");
    EXPECT_TRUE(of(DrawOp::Polygon, kCyan).empty()); // settled at the last detent
    EXPECT_EQ(text(u"1+F")->brush.colour, kGreen);
    drawFrame(4294967295.0, 20, 27);
    auto const targets = of(DrawOp::Polygon, kCyan);
    ASSERT_EQ(targets.size(), 1u);
    expectPoint(targets[0].points[0], 961, 620);
}

TEST_F(FlapSlatIndicatorTest, TheLabelIsKeptWhileNothingIsOut)
{
    drawFrame(5 * kLeverPerDetent, 35, 27);
    drawFrame(0, 0, 0);
    EXPECT_EQ(indicator.configLabel(), u"FULL");
}

TEST_F(FlapSlatIndicatorTest, AnAngleBeyondTheLastDetentStaysAtTheEndOfTheTrack)
{
    drawFrame(5 * kLeverPerDetent, 40, 30);
    expectPoint(symbol(kGreen, false).points[0], 961, 620);
    expectPoint(symbol(kGreen, true).points[0], 633, 577);
}

TEST_F(FlapSlatIndicatorTest, ConfiguredDetentAnglesMoveTargetsAndTracks)
{
    flaps = { 0, 0, 5, 15, 20, 40 };
    drawFrame(2 * kLeverPerDetent, 5, 18);
    EXPECT_TRUE(of(DrawOp::Polygon, kCyan).empty());
    expectPoint(symbol(kGreen, false).points[0], 882, 488);
    drawFrame(5 * kLeverPerDetent, 40, 27);
    EXPECT_TRUE(of(DrawOp::Polygon, kCyan).empty());
    expectPoint(symbol(kGreen, false).points[0], 961, 620);
}

namespace {

FlapIndicatorLayout fullMode()
{
    FlapIndicatorLayout layout;
    layout.mode = FlapIndicatorMode::Full;
    return layout;
}

// The dots' colours in drawing order, B1 to B3 then F1 to F4: W white, C
// cyan, G green.
std::string dotColours(std::vector<DrawCommand> const& dots)
{
    std::string colours;
    for (DrawCommand const& dot : dots)
        colours += dot.brush.colour == kCyan ? 'C' : dot.brush.colour == kGreen ? 'G' : dot.brush.colour == kWhite ? 'W' : '?';
    return colours;
}

}

TEST_F(FlapSlatIndicatorTest, TheFullModeColoursEachSurfacesTargetDotByWhetherItHasArrived)
{
    struct Case {
        bool full;
        int detent;
        double flapAngle;
        double slatAngle;
        char const* dots;
    };
    Case const cases[] = {
        { false, 2, 5, 18, "WWWWWWW" }, // the basic page leaves every dot white
        { true, 2, 5, 18, "GWWCWWW" }, // slats at B1, flaps on their way to F1
        { true, 2, 10, 18, "GWWGWWW" },
        { true, 1, 0, 9, "CWWWWWW" }, // flaps stay at F0, which has no dot
        { true, 3, 15, 20, "WCWWGWW" },
        { true, 5, 20, 22, "WWCWWWC" },
        { true, 5, 35, 27, "WWGWWWG" },
        { true, 0, 5, 10, "WWWWWWW" }, // retracting: B0 and F0 have no dot
    };
    for (Case const& c : cases) {
        indicator.setLayout(c.full ? fullMode() : FlapIndicatorLayout {});
        drawFrame(c.detent * kLeverPerDetent, c.flapAngle, c.slatAngle);
        EXPECT_EQ(dotColours(of(DrawOp::Ellipse)), c.dots) << c.full << " detent " << c.detent << " " << c.flapAngle << "/" << c.slatAngle;
    }
}

TEST_F(FlapSlatIndicatorTest, ALockPulsesOnSimulatorTimeFromTheMomentTheSlatsLock)
{
    indicator.setLayout(fullMode());
    struct Step {
        double simTime;
        std::optional<double> lock;
        Argb shown; // 0: no caption
    };
    Step const steps[] = {
        { 100, std::nullopt, 0 }, // the aircraft gives no flag
        { 100, 0, 0 },
        { 100.25, 1, kGreen }, // the pulse starts bright
        { 101.249, 1, kGreen },
        { 101.25, 1, kDimGreen },
        { 101.749, 1, kDimGreen },
        { 101.75, 1, kGreen },
        { 102.75, 1, kDimGreen },
        { 103.25, 1, kGreen },
        { 103.25, 1, kGreen }, // a paused simulator holds it
        { 103.5, 0, 0 },
        { 103.75, 0.98, kGreen }, // a new lock starts bright again
        { 104.75, 1, kDimGreen },
        { 50, 1, kGreen }, // time went back: a new start
        { 50.5, std::nullopt, 0 },
    };
    for (Step const& step : steps) {
        drawFrame(0, 0, 0, step.lock, step.simTime);
        DrawCommand const* caption = text(u"A LOCK");
        EXPECT_EQ(caption ? caption->brush.colour : 0, step.shown) << "at " << step.simTime;
        if (caption) {
            expectPoint(caption->origin, 673, 590);
            EXPECT_EQ(caption->format.align, StringAlignment::Center);
        }
    }

    indicator.setLayout({});
    drawFrame(0, 0, 0, 1, 200);
    EXPECT_EQ(text(u"A LOCK"), nullptr) << "the basic page shows no A LOCK";
}

TEST_F(FlapSlatIndicatorTest, TheLayoutMovesAndScalesTheWholeIndicator)
{
    FlapIndicatorLayout layout = fullMode();
    layout.position = { 900, 300 };
    layout.scale = 2;
    layout.alphaLockOffset = { 10, 200 };
    indicator.setLayout(layout);
    // Corner (633, 410) goes to (900, 300); every other point twice as far from it.
    auto at = [](float x, float y) { return PointF { 900 + (x - 633) * 2, 300 + (y - 410) * 2 }; };

    drawFrame(5 * kLeverPerDetent, 20, 22, 1);
    auto const wing = of(DrawOp::Polygon, kWhite);
    ASSERT_EQ(wing.size(), 1u);
    expectPoint(wing[0].points[0], at(741, 465).x, at(741, 465).y);
    expectPoint(wing[0].points[2], at(784, 484).x, at(784, 484).y);

    auto const dots = of(DrawOp::Ellipse);
    ASSERT_EQ(dots.size(), 7u);
    EXPECT_FLOAT_EQ(dots[0].rect.x, at(656, 491).x - 10);
    EXPECT_FLOAT_EQ(dots[0].rect.width, 20);
    expectPoint(text(u"FLAP")->origin, at(765, 410).x, at(765, 410).y);
    expectPoint(text(u"FULL")->origin, at(766, 534).x, at(766, 534).y);
    expectPoint(text(u"A LOCK")->origin, 920, 700);

    auto const targets = of(DrawOp::Polygon, kCyan);
    ASSERT_EQ(targets.size(), 2u);
    expectPoint(targets[0].points[0], at(633, 577).x, at(633, 577).y);
    expectPoint(targets[1].points[0], at(961, 620).x, at(961, 620).y);
    // The flap symbol's arm ends twice as far from its point, still towards the pivot.
    auto const symbols = of(DrawOp::Polygon, kGreen);
    ASSERT_EQ(symbols.size(), 2u);
    DrawCommand const& flap = symbols[1];
    expectPoint(flap.points[0], at(952, 569).x, at(952, 569).y);
    EXPECT_NEAR(distance(flap.points[0], flap.points[1]), 92, 0.01);
    PointF const pivot = at(882, 512);
    EXPECT_NEAR(distance(flap.points[0], flap.points[1]) + distance(flap.points[1], pivot), distance(flap.points[0], pivot), 0.01);
}
