#include "alerts/ecam_alerts.h"
#include "ewd/ewd_test_display.h"
#include "gauges/table_rows.h"

#include <gtest/gtest.h>

namespace {

constexpr std::string_view kListLayout = R"([EICAS]
AlertFont=Arial
AlertFontSize=30
HighAlertColor=RED
MediumAlertColor=AMBER
LowAlertColor=GREEN
InhibitColor=MAGENTA
AlertBox=10,690,570,1000
StatusBox=600,690,1000,1000
)";

class EwdAlertListsTest : public EwdPageTest {
protected:
    void SetUp() override
    {
        load(kListLayout);
        // A powered aircraft at the gate: nothing to say.
        SimData& d = data();
        d.engineCount = 2;
        d.onGround = 1;
        d.lights = 1 << 4;
        d.autopilotMaster = 1;
        d.autobrake = 1;
        d.pushbackState = 3;
        d.leftMainLbs = d.rightMainLbs = 5000;
    }

    // Texts drawn inside the box, top to bottom.
    std::vector<DrawCommand> linesIn(float left, float right)
    {
        std::vector<DrawCommand> found;
        for (DrawCommand const& c : texts())
            if (c.origin.y >= 690 && c.origin.x >= left && c.origin.x < right)
                found.push_back(c);
        return found;
    }
};

}

TEST_F(EwdAlertListsTest, MemosAreListedByLevelInTheStatusBox)
{
    data().landingLights = 1;
    frame();
    data().parkingBrake = 1;
    data().autobrake = 5;
    frame();
    auto const memos = linesIn(600, 1000);
    ASSERT_EQ(memos.size(), 3u);
    EXPECT_EQ(memos[0].text, u"LDG LT");
    EXPECT_EQ(memos[1].text, u"PARK BRK");
    EXPECT_EQ(memos[2].text, u"AUTO BRK MAX");
    EXPECT_FLOAT_EQ(memos[0].origin.x, 600);
    EXPECT_FLOAT_EQ(memos[0].origin.y, 690);
    EXPECT_FLOAT_EQ(memos[1].origin.y, 690 + 34.5f);
    EXPECT_FLOAT_EQ(memos[2].origin.y, 690 + 69);
    EXPECT_EQ(memos[0].brush.colour, colourOf(ColourRow::LowAlert));
}

TEST_F(EwdAlertListsTest, ParkBrakeTurnsAmberInPlaceWhenAnEngineRunsUp)
{
    data().landingLights = 1;
    frame();
    data().parkingBrake = 1;
    frame();
    data().n1Percent[1] = 85;
    frame();
    auto memos = linesIn(600, 1000);
    ASSERT_EQ(memos.size(), 2u);
    // A caution now, but it keeps its place after the older memo.
    EXPECT_EQ(memos[1].text, u"PARK BRK");
    EXPECT_EQ(memos[1].brush.colour, colourOf(ColourRow::MediumAlert));
    EXPECT_EQ(memos[0].brush.colour, colourOf(ColourRow::LowAlert));

    data().n1Percent[1] = 20;
    frame();
    memos = linesIn(600, 1000);
    ASSERT_EQ(memos.size(), 2u);
    EXPECT_EQ(memos[1].brush.colour, colourOf(ColourRow::LowAlert));
}

TEST_F(EwdAlertListsTest, WarningTitlesAreUnderlinedInTheAlertBox)
{
    data().leftMainLbs = 1000; // 453.6 kg
    frame();
    auto const warnings = linesIn(10, 570);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].text, u"FUEL");
    EXPECT_EQ(warnings[0].fontStyle & FontStyleUnderline, FontStyleUnderline);
    EXPECT_EQ(warnings[0].fontFace, "Arial");
    EXPECT_FLOAT_EQ(warnings[0].fontSize, 30);
    EXPECT_EQ(warnings[1].text, u" L WING TK LO LVL");
    EXPECT_EQ(warnings[1].fontStyle, FontStyleRegular);
    EXPECT_FLOAT_EQ(warnings[1].origin.x, 10 + 4 * 0.6f * 30);
    for (DrawCommand const& c : warnings)
        EXPECT_EQ(c.brush.colour, colourOf(ColourRow::HighAlert));
}

TEST_F(EwdAlertListsTest, ListsAreClippedToTheirBoxes)
{
    data().landingLights = 1;
    frame();
    auto const& drawn = commands();
    bool statusClip = false;
    for (std::size_t i = 0; i + 2 < drawn.size(); ++i) {
        if (drawn[i].op == DrawOp::Clip && drawn[i].rect.x == 600) {
            statusClip = drawn[i].rect.y == 690 && drawn[i].rect.width == 400 && drawn[i].rect.height == 310;
            EXPECT_EQ(drawn[i + 1].text, u"LDG LT");
            EXPECT_EQ(drawn[i + 2].op, DrawOp::NoClip);
        }
    }
    EXPECT_TRUE(statusClip);
}

TEST_F(EwdAlertListsTest, AListStopsAtTheLastLineMoreThanALineAboveTheBoxBottom)
{
    std::string shortBox(kListLayout);
    shortBox.replace(shortBox.find("StatusBox=600,690,1000,1000"), 27, "StatusBox=600,690,1000,800");
    load(shortBox);
    SimData& d = data();
    d.engineCount = 2;
    d.onGround = 1;
    d.lights = 1 << 4;
    d.autopilotMaster = 1;
    d.pushbackState = 3;
    d.leftMainLbs = d.rightMainLbs = 5000;
    d.parkingBrake = 1;
    d.landingLights = 1;
    d.autobrake = 5;
    d.structuralDeice = 1;
    d.spoilerLeft = d.spoilerRight = 100;
    frame();
    auto const memos = linesIn(600, 1000);
    // Tops 690, 724.5 and 759; the next would start at 793.5, not above 765.5.
    ASSERT_EQ(memos.size(), 3u);
    EXPECT_FLOAT_EQ(memos[2].origin.y, 759);
}

TEST_F(EwdAlertListsTest, InhibitMessagesComeFirstInTheInhibitColour)
{
    data().landingLights = 1;
    frame();
    // No condition switches the inhibit memos; one forced on stays on.
    display->alertRecords[87].active = 1;
    frame();
    auto const memos = linesIn(600, 1000);
    ASSERT_EQ(memos.size(), 2u);
    EXPECT_EQ(memos[0].text, u"T.O INHIBIT");
    EXPECT_EQ(memos[0].brush.colour, 0xFFFF00FFu);
}

TEST_F(EwdAlertListsTest, TheBaseFuelQuantityWarningIsNeverShownOnThePage)
{
    data().leftMainLbs = data().rightMainLbs = 0;
    data().totalFuelKg = 0;
    frame();
    EXPECT_EQ(findText(u"FUEL QTY"), nullptr);
    EXPECT_NE(findText(u" L + R WING TK LO LVL"), nullptr);
}
