#include "gauges/efis_display.h"
#include "gauges/table_rows.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A display that keeps the base message set; the test writes its simulator
// data directly.
class BaseAlertDisplay : public EfisDisplay {
public:
    using EfisDisplay::EfisDisplay;
    using EfisDisplay::alertRecords;
    using EfisDisplay::brush;

protected:
    void acquireData() override { }
};

class EicasAlertsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform.layouts.embed("[EICAS]\nAlertFont=Arial\nAlertFontSize=30\nHighAlertColor=RED\nAlertBox=0,700,500,1000\n"
                               "StatusBox=500,700,1000,1000\n");
        display = std::make_unique<BaseAlertDisplay>(platform.services, platform.services.userProfilePath, "ExternalEWD");
        display->loadConfiguration("eicas-alerts-test-absent.bin");
        SimData& d = display->simulatorData();
        d.onGround = 1;
        d.totalFuelKg = 5000;
    }

    std::vector<std::u16string> alertTexts()
    {
        platform.render.recording().clearCommands();
        display->paint();
        std::vector<std::u16string> texts;
        for (DrawCommand const& c : platform.render.recording().commands())
            if (c.op == DrawOp::Text && c.origin.y >= 700)
                texts.push_back(c.text);
        return texts;
    }

    TestPlatform platform;
    std::unique_ptr<BaseAlertDisplay> display;
};

}

TEST_F(EicasAlertsTest, TheBaseSetHasItsShortTexts)
{
    auto const& records = display->alertRecords;
    EXPECT_EQ(records[0].textView(), u"SLRS ARM");
    EXPECT_EQ(records[5].textView(), u"ENG1 SHUT");
    EXPECT_EQ(records[12].textView(), u"ENG4 FIRE");
    EXPECT_EQ(records[31].textView(), u"TAXI LGTS");
    EXPECT_EQ(records[32].textView(), u"ENG1 OIL PRESS");
    EXPECT_EQ(records[39].textView(), u"ENG4 FUEL PRESS");
    EXPECT_EQ(records[39].level, 2);
    EXPECT_EQ(records[76].textView(), u"PRK BRK SET");
    EXPECT_EQ(records[2].textView(), u"");
}

TEST_F(EicasAlertsTest, FuelQuantityWarnsBelowTheLimitInTheHighAlertColour)
{
    display->simulatorData().totalFuelKg = 2000;
    EXPECT_TRUE(alertTexts().empty());
    display->simulatorData().totalFuelKg = 1999;
    EXPECT_EQ(alertTexts(), std::vector<std::u16string> { u"FUEL QTY" });
    auto const& commands = platform.render.recording().commands();
    for (DrawCommand const& c : commands)
        if (c.op == DrawOp::Text && c.text == u"FUEL QTY") {
            EXPECT_EQ(c.brush.colour, display->brush(ColourRow::HighAlert)->colour);
            EXPECT_EQ(c.fontStyle, FontStyleRegular);
            EXPECT_EQ(c.origin.x, 0);
            EXPECT_EQ(c.origin.y, 700);
        }
}

TEST_F(EicasAlertsTest, ConditionsFollowTheSimulatorFrameByFrame)
{
    SimData& d = display->simulatorData();
    d.overspeed = 1;
    d.spoilersArmed = 1;
    EXPECT_EQ(alertTexts(), (std::vector<std::u16string> { u"OVERSPD", u"SLRS ARM" }));
    d.overspeed = 0;
    d.exitsOpen = 1;
    EXPECT_EQ(alertTexts(), (std::vector<std::u16string> { u"SLRS ARM" }));
    d.onGround = 0;
    EXPECT_EQ(alertTexts(), (std::vector<std::u16string> { u"DOOR", u"SLRS ARM" }));
}

TEST_F(EicasAlertsTest, ThePlainLineDrawsExclamationMarks)
{
    display->alertRecords[2].build(u"!FUEL! LOW", 1);
    display->alertRecords[2].active = 1;
    EXPECT_EQ(alertTexts(), std::vector<std::u16string> { u"!FUEL! LOW" });
}
