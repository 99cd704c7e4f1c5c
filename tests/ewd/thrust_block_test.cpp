#include "ewd_test_display.h"

#include "gauges/table_rows.h"

namespace {

using V = AircraftValue;

constexpr std::string_view kBlockLayout = "[EICAS]\nSizeX=1000\nSizeY=1000\nLegendColor=CYAN\nTextNormalColor=GREEN\n"
                                          "MediumAlertColor=AMBER\nThrustLimitPosition=660,40\n"
                                          "IdlePosition=500,30\nAlphaFloorPosition=20,30\n";

class ThrustBlockTest : public EwdPageTest {
protected:
    ThrustBlockTest() { reload(kBlockLayout); }
    // A fresh page with that layout, two engines on the ground.
    void reload(std::string_view layout)
    {
        load(layout);
        data().engineCount = 2;
        data().onGround = 1;
    }
    void set(AircraftValue value, double number, int instance = 0) { data().aircraft.set(value, instance, number); }
    void levers(double percent)
    {
        set(V::ThrottleLever, percent, 0);
        set(V::ThrottleLever, percent, 1);
    }
    int amberXX()
    {
        int count = 0;
        for (DrawCommand const& c : texts())
            count += c.text == u"XX" && c.brush.colour == colourOf(ColourRow::MediumAlert);
        return count;
    }
};

// FLX from the levers with the aircraft's limit and flex temperature, each
// in its place and colour; the limit's digits end where the unit starts.
TEST_F(ThrustBlockTest, FlexShowsModeLimitAndTemperature)
{
    levers(80);
    set(V::FlexTemp, 58);
    set(V::N1Limit, 85.43);
    frame();
    ASSERT_NE(findText(u"FLX"), nullptr);
    EXPECT_EQ(findText(u"FLX")->brush.colour, colourOf(ColourRow::Legend));
    ASSERT_NE(findText(u"85.4"), nullptr);
    EXPECT_EQ(findText(u"85.4")->brush.colour, colourOf(ColourRow::TextNormal));
    EXPECT_EQ(findText(u"85.4")->format.align, StringAlignment::Far);
    EXPECT_FLOAT_EQ(findText(u"85.4")->origin.x, 830);
    EXPECT_FLOAT_EQ(findText(u"%")->origin.x, 830);
    ASSERT_NE(findText(u"+58\u00B0C"), nullptr);
    EXPECT_FLOAT_EQ(findText(u"+58\u00B0C")->origin.x, 660);
}

// No number is made up: what the aircraft does not give is an amber XX, and
// the mode still follows the levers.
TEST_F(ThrustBlockTest, MissingValuesAreAmberXX)
{
    levers(80);
    set(V::FlexTemp, 58);
    frame();
    ASSERT_NE(findText(u"FLX"), nullptr);
    EXPECT_EQ(amberXX(), 1); // the limit; the flex temperature is given

    data().aircraft = {};
    frame();
    EXPECT_EQ(findText(u"FLX"), nullptr);
    EXPECT_EQ(findText(u"%"), nullptr);
    EXPECT_EQ(amberXX(), 1); // no lever, no mode: only the mode's XX
}

TEST_F(ThrustBlockTest, ClimbHidesTheFlexTemperatureAndIdleAndAlphaFloorFollowTheirConditions)
{
    levers(60);
    set(V::FlexTemp, 58);
    set(V::N1Limit, 89.5);
    frame();
    EXPECT_NE(findText(u"CL"), nullptr);
    EXPECT_EQ(findText(u"+58\u00B0C"), nullptr);
    EXPECT_EQ(findText(u"IDLE"), nullptr);
    EXPECT_EQ(findText(u"A.FLOOR"), nullptr);

    data().onGround = 0;
    set(V::AutothrustActive, 1);
    set(V::AlphaFloor, 1);
    data().n1Percent[0] = data().n1Percent[1] = 24;
    frame();
    ASSERT_NE(findText(u"IDLE"), nullptr);
    EXPECT_EQ(findText(u"IDLE")->brush.colour, colourOf(ColourRow::TextNormal));
    ASSERT_NE(findText(u"A.FLOOR"), nullptr);
    EXPECT_EQ(findText(u"A.FLOOR")->brush.colour, colourOf(ColourRow::MediumAlert));
}

// A page led by EPR shows the limit as the EPR that N1 commands: 85 % between
// N1 25 (EPR 1.0) and N1 100 (EPR 1.6) is 1.480.
TEST_F(ThrustBlockTest, AnEprPageShowsTheLimitAsAnEpr)
{
    reload(std::string(kBlockLayout) + "EngineType=EPR_DRIVEN\nThrustLimitDecimals=3\nCEPR_N1Idle=25\nCEPR_N1Max=100\n"
                                     "CEPR_EPRMin=1.0\nCEPR_EPRMax=1.6\n");
    levers(60);
    set(V::N1Limit, 85);
    frame();
    EXPECT_NE(findText(u"1.480"), nullptr);
}

// A layout that places none of them draws none of them.
TEST_F(ThrustBlockTest, UnplacedItemsAreNotDrawn)
{
    reload("[EICAS]\nSizeX=1000\nSizeY=1000\n");
    levers(99);
    set(V::AlphaFloor, 1);
    frame();
    EXPECT_EQ(findText(u"TOGA"), nullptr);
    EXPECT_EQ(findText(u"XX"), nullptr);
    EXPECT_EQ(findText(u"A.FLOOR"), nullptr);
}

} // namespace
