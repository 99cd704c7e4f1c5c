#include "gauges/gauge_test_fixture.h"

namespace {

class InfoFieldsTest : public GaugeTest {
protected:
    InfoFieldsTest() { sim().totalFuelKg = 5000; }
};

TEST_F(InfoFieldsTest, WithoutPositionsNoFieldIsDrawn)
{
    loadLayout("InfoSATPrefix=X\nInfoGearColor=RED\n");
    EXPECT_TRUE(textsOf(frame()).empty());
}

TEST_F(InfoFieldsTest, TheFuelFieldShowsTheQuantityCutToTensWithItsAffixes)
{
    loadLayout("InfoTotalFuelPosition=500,300\nInfoTotalFuelSuffix=_KG\nUnits=METRIC\n");
    sim().totalFuelKg = 12345.6;
    std::vector<DrawCommand> const texts = withOp(frame(), DrawOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(textsOf(texts)[0], "12340 KG");
    EXPECT_FLOAT_EQ(texts[0].origin.x, 500);
    EXPECT_FLOAT_EQ(texts[0].origin.y, 300);
    EXPECT_EQ(texts[0].format.align, StringAlignment::Center); // default alignment: centred ...
    EXPECT_EQ(texts[0].format.lineAlign, StringAlignment::Near); // ... with its top on the anchor
    EXPECT_EQ(texts[0].brush.colour, Colour::White);
    EXPECT_EQ(texts[0].fontFace, "Courier");
}

TEST_F(InfoFieldsTest, QuantitiesBelowTenShowAsZero)
{
    loadLayout("InfoTotalFuelPosition=500,300\n");
    for (double pounds : { 9.9, -9.9 }) {
        sim().totalFuelLbs = pounds;
        EXPECT_EQ(textsOf(frame()), (std::vector<std::string> { "0" })) << pounds;
    }
}

TEST_F(InfoFieldsTest, OnlyTheExactHiddenPositionHidesAField)
{
    loadLayout("InfoGearPosition=-1000,-1000\nInfoSpoilerPosition=-1000,-999\nInfoSATPosition=10,10\nInfoTATPosition=20,20\n");
    EXPECT_EQ(textsOf(frame()), (std::vector<std::string> { "SAT", "TAT", "SPLR" }));
}

TEST_F(InfoFieldsTest, ABaselineAlignmentPutsTheBaselineOnTheAnchor)
{
    loadLayout("InfoSATPosition=100,200\nInfoSATAlignment=BASE_LEFT\nInfoSATFontSize=40\n");
    std::vector<DrawCommand> const texts = withOp(frame(), DrawOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_FLOAT_EQ(texts[0].origin.x, 100);
    EXPECT_FLOAT_EQ(texts[0].origin.y, 200 - 40 * RecordingFont::kCellAscent / RecordingFont::kEmHeight);
    EXPECT_EQ(texts[0].format.align, StringAlignment::Near);
    EXPECT_EQ(texts[0].format.lineAlign, StringAlignment::Near);
}

TEST_F(InfoFieldsTest, AffixesAreCutToNineteenCharacters)
{
    loadLayout("InfoSATPosition=100,200\nInfoSATPrefix=" + std::string(25, 'P') + "\nInfoSATSuffix=_C\n");
    EXPECT_EQ(textsOf(frame()), (std::vector<std::string> { std::string(19, 'P') + "SAT C" }));
}

TEST_F(InfoFieldsTest, TheNextGaugePassCentresTextAgain)
{
    loadLayout("InfoSATPosition=100,200\nInfoSATAlignment=BOTTOM_RIGHT\nN1Label=N1\n");
    frame();
    std::vector<DrawCommand> const texts = withOp(frame(), DrawOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].format.align, StringAlignment::Center); // the N1 label
    EXPECT_EQ(texts[0].format.lineAlign, StringAlignment::Center);
    EXPECT_EQ(texts[1].format.align, StringAlignment::Far);
    EXPECT_EQ(texts[1].format.lineAlign, StringAlignment::Far);
}

TEST_F(InfoFieldsTest, AUserMessageIsDrawnWithItsOwnColourAndFont)
{
    loadLayout("UserMessage3Label=CHECK_FLAPS\nUserMessage3Position=100,900\nUserMessage3Font=Arial\nForegroundColor=GREEN\n"
               "UserMessage7Label=SEVEN\nUserMessage7Position=10,10\nUserMessage7Color=RED\nUserMessage7Alignment=CENTER_RIGHT\n");
    std::vector<DrawCommand> const texts = withOp(frame(), DrawOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(textsOf(texts), (std::vector<std::string> { "CHECK FLAPS", "SEVEN" }));
    EXPECT_FLOAT_EQ(texts[0].origin.x, 100);
    EXPECT_FLOAT_EQ(texts[0].origin.y, 900);
    EXPECT_EQ(texts[0].brush.colour, Colour::Green);
    EXPECT_EQ(texts[0].fontFace, "Arial");
    EXPECT_EQ(texts[1].brush.colour, Colour::Red);
    EXPECT_EQ(texts[1].format.align, StringAlignment::Far);
    EXPECT_EQ(texts[1].format.lineAlign, StringAlignment::Center);
}

TEST_F(InfoFieldsTest, AUserMessageWithoutALabelIsNeverDrawn)
{
    loadLayout("UserMessage4Position=100,100\nUserMessage5Label=" + std::string(60, 'M') + "\n");
    std::vector<std::string> const texts = textsOf(frame());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], std::string(49, 'M'));
    EXPECT_FLOAT_EQ(withOp(frame(), DrawOp::Text)[0].origin.x, -1000); // a label without a position
}

TEST_F(InfoFieldsTest, TheAlertBoxClipRegionIsRebuiltAfterEveryResize)
{
    loadLayout("AlertBox=0,600,1000,1000\nStatusBox=600,700,1000,1000\n");
    frame();
    ASSERT_TRUE(display.regions[0].has_value());
    EXPECT_FLOAT_EQ(display.regions[0]->x, 0);
    EXPECT_FLOAT_EQ(display.regions[0]->y, 600);
    EXPECT_FLOAT_EQ(display.regions[0]->width, 1000);
    EXPECT_FLOAT_EQ(display.regions[0]->height, 400);
    EXPECT_FLOAT_EQ(display.regions[1]->x, 600);

    RecordingFontFactory const& fonts = platform.render.recording().recordingFonts();
    display.regions[0].reset();
    int const fontsBefore = fonts.fontsMade();
    frame(); // same size: nothing is rebuilt
    EXPECT_FALSE(display.regions[0].has_value());
    EXPECT_EQ(fonts.fontsMade(), fontsBefore);

    platform.window.client = { 640, 480 };
    frame();
    ASSERT_TRUE(display.regions[0].has_value());
    EXPECT_FLOAT_EQ(display.regions[0]->height, 400);
    EXPECT_EQ(fonts.fontsMade(), fontsBefore + EfisDisplay::kFontCount);
}

} // namespace
