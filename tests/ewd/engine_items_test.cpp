#include "ewd/ewd_test_display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <string>

namespace {

constexpr Argb kGreen = 0xFF00FF00;
constexpr Argb kRed = 0xFFFF0000;
constexpr Argb kAmber = 0xFFFF9600;
constexpr Argb kCyan = 0xFF00FFFF;
constexpr Argb kGrey = 0xFF646464;

// Two engines. The N1 and EGT dials are half circles from the left (180)
// clockwise over the top to the right (360), radius 100, centred at x 100
// and 300; N1 runs 0 to 100 (red line 90) at y 100, EGT 0 to 1000 (red line
// 950) at y 400. N2 digits (red line 105) stand at y 625.
constexpr std::string_view kDials = R"(
TextNormalColor=GREEN
TextDangerColor=RED
QuadrantDangerColor=RED
QuadrantDangerThickness=5
ThrottleLeverColor=CYAN
ThrottleLeverThickness=2
ForegroundThickness=2
DigitFont=Arial
DigitFontSize=40
LabelFont=Arial
LabelFontSize=30
N1DisplayType=QUADRANT
N1Box=0,0,400,200
N1Max=100
N1StartAngle=180
N1EndAngle=360
N1DangerThreshold=90
N1ValueDisplayed=YES
N1Decimals=1
EPRDisplayType=QUADRANT
EPRBox=0,0,400,200
EPRMin=1
EPRMax=2
EPRStartAngle=180
EPREndAngle=360
EGTDisplayType=QUADRANT
EGTBox=0,300,400,500
EGTMax=1000
EGTStartAngle=180
EGTEndAngle=360
EGTDangerThreshold=950
EGTValueDisplayed=YES
N2DisplayType=TEXT
N2Box=0,600,400,650
N2Max=110
N2Decimals=1
N2DangerThreshold=105
)";

// Every engine item, with the CFM figures.
constexpr std::string_view kItems = R"(
StartEndN2=58
EGTStartLimit=725
EGTRunLimit=915
ThrustLeverN1=-20:70,0:0,100:100
ThrustLeverCircle=6
ThrustLimitMark=8
N1PeakMark=10
EGTPeakMark=10
EGTLimitMark=12
N2CrossOffset=90,0
AvailOffset=0,40
RevOffset=0,-40
N2StartBackground=GREY
)";

constexpr PointF kN1Centre { 100, 100 };
constexpr PointF kEgtCentre { 100, 400 };

// The point at value v of a 180-to-360 dial of that range, beyond its rim.
PointF onDial(PointF centre, double v, double max, float beyond = 0, double min = 0)
{
    double const angle = (180 + 180 * (v - min) / (max - min)) * std::numbers::pi / 180;
    double const r = 100 + beyond;
    return { static_cast<float>(centre.x + r * std::cos(angle)), static_cast<float>(centre.y + r * std::sin(angle)) };
}

class EngineItemsTest : public EwdPageTest {
protected:
    void loadWith(std::string_view items, std::string_view extra = "")
    {
        load("[EICAS]\n" + std::string(kDials) + std::string(items) + std::string(extra));
        data().engineCount = 2;
        for (int e = 0; e < 2; ++e)
            run(e, 80, 90, 600);
    }

    void run(int engine, double n1, double n2, double egt)
    {
        data().n1Percent[engine] = n1;
        data().n2Percent[engine] = n2;
        data().egtC[engine] = egt;
    }

    void set(AircraftValue value, double number, int engine = 0) { data().aircraft.set(value, engine, number); }

    std::vector<DrawCommand> const& frameAt(double time)
    {
        data().simTime = time;
        return frame();
    }

    DrawCommand const* lineFrom(PointF from, PointF to)
    {
        for (DrawCommand const& c : commands())
            if (c.op == DrawOp::Line && near(c.points[0], from) && near(c.points[1], to))
                return &c;
        return nullptr;
    }

    // The colour of the mark from the rim outward, 0 when there is none.
    Argb markColour(PointF centre, double v, double max, float length, double min = 0)
    {
        DrawCommand const* line = lineFrom(onDial(centre, v, max, 0, min), onDial(centre, v, max, length, min));
        return line ? line->pen.colour : 0;
    }

    DrawCommand const* circleAround(PointF at, float radius)
    {
        for (DrawCommand const& c : commands())
            if (c.op == DrawOp::Arc && c.sweepAngle == 360 && near({ c.rect.x, c.rect.y }, { at.x - radius, at.y - radius })
                && std::abs(c.rect.width - 2 * radius) < 0.01f)
                return &c;
        return nullptr;
    }

    Argb textColour(std::u16string_view text)
    {
        DrawCommand const* c = findText(text);
        return c ? c->brush.colour : 0;
    }
};

} // namespace

TEST_F(EngineItemsTest, TheLeverCircleAndRatingMarkStandOnTheN1DialWhileTheEngineRuns)
{
    loadWith(kItems);
    set(AircraftValue::ThrottleLever, -10); // through the table: N1 35, not the raw lever
    set(AircraftValue::ThrustLimitMode, 4);
    set(AircraftValue::N1Limit, 85);
    frameAt(0);
    DrawCommand const* circle = circleAround(onDial(kN1Centre, 35, 100), 6);
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->pen.colour, kCyan);
    EXPECT_EQ(circle->pen.width, 2);
    EXPECT_EQ(markColour(kN1Centre, 85, 100, 8), kAmber);

    run(0, 0, 0, 15);
    frameAt(1);
    EXPECT_EQ(circleAround(onDial(kN1Centre, 35, 100), 6), nullptr);
    EXPECT_EQ(markColour(kN1Centre, 85, 100, 8), 0u);
}

TEST_F(EngineItemsTest, OnAPageLedByEprTheLeverCircleAndLimitMarkStandOnTheEprDial)
{
    loadWith(kItems, "EngineType=EPR_DRIVEN\nN1DisplayType=TEXT\nCEPR_N1Idle=0\nCEPR_N1Max=100\nCEPR_EPRMin=1\nCEPR_EPRMax=2\n");
    set(AircraftValue::ThrottleLever, 50);
    set(AircraftValue::ThrustLimitMode, 4);
    set(AircraftValue::N1Limit, 70);
    frameAt(0);
    EXPECT_NE(circleAround(onDial(kN1Centre, 1.5, 2, 0, 1), 6), nullptr);
    EXPECT_EQ(markColour(kN1Centre, 1.7, 2, 8, 1), kAmber);
}

TEST_F(EngineItemsTest, AboveTheRedLinesN1TurnsRedAndTheN1AndEgtPeaksStayMarkedUntilTheNextStart)
{
    loadWith(kItems);
    set(AircraftValue::Starter, 0);
    run(0, 100, 95, 975);
    frameAt(0);
    EXPECT_EQ(textColour(u"100.0"), kRed);
    run(0, 60, 80, 600);
    frameAt(1);
    EXPECT_EQ(textColour(u"60.0"), kGreen);
    DrawCommand const* peak = lineFrom(onDial(kN1Centre, 100, 100), onDial(kN1Centre, 100, 100, 10));
    ASSERT_NE(peak, nullptr) << "the peak mark went with the exceedance";
    EXPECT_EQ(peak->pen.colour, kRed);
    EXPECT_EQ(peak->pen.width, 5);
    EXPECT_EQ(markColour(kEgtCentre, 975, 1000, 10), kRed);

    run(0, 0, 10, 100);
    set(AircraftValue::Starter, 1);
    frameAt(2);
    EXPECT_EQ(markColour(kN1Centre, 100, 100, 10), 0u) << "a new start clears the peak";
}

TEST_F(EngineItemsTest, TheEgtCautionMarksItsLimitAndTurnsTheDigitsAmberBelowTheRedLine)
{
    struct Case {
        bool starting;
        double egt;
        double mark;
        Argb digits;
    };
    Case const cases[] = {
        { false, 920, 915, kAmber },
        { false, 960, 915, kRed }, // the red line wins
        { true, 730, 725, kAmber },
    };
    for (Case const& c : cases) {
        loadWith(kItems);
        set(AircraftValue::ThrustLimitMode, 1);
        set(AircraftValue::Starter, c.starting ? 1 : 0);
        run(0, c.starting ? 15 : 80, c.starting ? 40 : 90, c.egt);
        frameAt(0);
        std::string const number = std::to_string(static_cast<int>(c.egt));
        EXPECT_EQ(textColour(std::u16string(number.begin(), number.end())), c.digits) << c.egt;
        for (double limit : { 725.0, 915.0 })
            EXPECT_EQ(markColour(kEgtCentre, limit, 1000, 12), limit == c.mark ? kAmber : 0u) << c.egt << " at " << limit;
    }
}

TEST_F(EngineItemsTest, N2StandsOnTheStartFillWhileStartingAndKeepsACrossAfterAnExceedance)
{
    loadWith(kItems);
    set(AircraftValue::Starter, 1, 1);
    run(1, 5, 30.0, 300);
    frameAt(0);
    // Engine 2's digits, and the grey fill drawn just before them.
    auto const& drawn = commands();
    auto digits = std::find_if(drawn.begin(), drawn.end(), [](DrawCommand const& c) { return c.op == DrawOp::Text && c.text == u"30.0"; });
    ASSERT_NE(digits, drawn.end());
    ASSERT_NE(digits, drawn.begin());
    EXPECT_EQ(std::prev(digits)->op, DrawOp::FillRect);
    EXPECT_EQ(std::prev(digits)->brush.colour, kGrey);
    EXPECT_EQ(std::count_if(drawn.begin(), drawn.end(), [](DrawCommand const& c) { return c.op == DrawOp::FillRect && c.brush.colour == kGrey; }), 1);

    run(0, 80, 106, 600);
    frameAt(1);
    EXPECT_EQ(textColour(u"106.0"), kRed);
    run(0, 80, 95, 600);
    frameAt(2);
    int redLines = 0;
    for (DrawCommand const& c : commands())
        redLines += c.op == DrawOp::Line && c.pen.colour == kRed && c.pen.width == 2 ? 1 : 0;
    EXPECT_EQ(redLines, 2) << "one cross of two strokes beside engine 1's N2";
}

TEST_F(EngineItemsTest, AvailShowsForTenSecondsAfterAStartReachesIdle)
{
    loadWith(kItems);
    set(AircraftValue::Starter, 1);
    run(0, 10, 40, 500);
    frameAt(100);
    EXPECT_EQ(findText(u"AVAIL"), nullptr);
    set(AircraftValue::Starter, 0);
    set(AircraftValue::Combustion, 1);
    run(0, 19.5, 58, 500);
    frameAt(101);
    DrawCommand const* avail = findText(u"AVAIL");
    ASSERT_NE(avail, nullptr);
    EXPECT_EQ(avail->brush.colour, kGreen);
    EXPECT_TRUE(near(avail->origin, { 100, 140 }));
    frameAt(110.9);
    EXPECT_NE(findText(u"AVAIL"), nullptr);
    frameAt(111);
    EXPECT_EQ(findText(u"AVAIL"), nullptr);
}

TEST_F(EngineItemsTest, RevIsBoxedAmberWhileTheDoorsMoveAndGreenOnceDeployed)
{
    loadWith(kItems);
    struct Case {
        double doors;
        Argb colour; // 0: no REV
    };
    Case const cases[] = { { 0, 0 }, { 0.5, kAmber }, { 1, kGreen } };
    for (Case const& c : cases) {
        set(AircraftValue::ReverserPosition, c.doors, 1);
        frameAt(0);
        DrawCommand const* rev = findText(u"REV");
        EXPECT_EQ(rev ? rev->brush.colour : 0, c.colour) << c.doors;
        if (!rev)
            continue;
        EXPECT_TRUE(near(rev->origin, { 300, 60 }));
        auto const box = std::find_if(commands().begin(), commands().end(), [&](DrawCommand const& d) {
            return d.op == DrawOp::Rect && d.pen.colour == c.colour && d.rect.x < 300 && d.rect.x + d.rect.width > 300 && d.rect.y < 60 && d.rect.y + d.rect.height > 60;
        });
        EXPECT_NE(box, commands().end()) << c.doors;
    }
}

TEST_F(EngineItemsTest, WithoutTheItemKeysNothingAnEngineWentThroughShows)
{
    // An exceedance, a start, a reverser out: then the same moment on a page
    // that saw none of it draws the same.
    loadWith("");
    set(AircraftValue::Starter, 1);
    run(0, 100, 40, 990);
    frameAt(0);
    set(AircraftValue::Starter, 0);
    set(AircraftValue::Combustion, 1);
    set(AircraftValue::ReverserPosition, 1);
    set(AircraftValue::ThrustLimitMode, 4);
    set(AircraftValue::N1Limit, 95);
    set(AircraftValue::ThrottleLever, 50);
    run(0, 50, 60, 700);
    std::vector<DrawCommand> const seen = frameAt(1);

    SimData const now = data();
    loadWith("");
    data() = now;
    std::vector<DrawCommand> const fresh = frameAt(1);
    ASSERT_EQ(seen.size(), fresh.size());
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_TRUE(seen[i].op == fresh[i].op && seen[i].pen.colour == fresh[i].pen.colour && seen[i].brush.colour == fresh[i].brush.colour
            && seen[i].text == fresh[i].text) << i;
}
