#include "gauges/gauge_test_fixture.h"

namespace {

// Digits of the default 75-unit digit font measure 45 x 86.25 on the
// recording graphics; engine readouts take 0.8 of the sample's width, single
// readouts 0.7.
constexpr float kDigitWidth = 45;
constexpr float kDigitHeight = 86.25f;

class ReadoutTest : public GaugeTest {
protected:
    std::vector<std::string> readoutsAtN1(std::initializer_list<double> n1)
    {
        sim().engineCount = static_cast<std::uint16_t>(n1.size());
        int k = 0;
        for (double value : n1)
            sim().n1Percent[k++] = value;
        return textsOf(frame());
    }
};

TEST_F(ReadoutTest, TheReadoutBoxFitsTheMaximumWrittenInZeros)
{
    loadLayout("N1DisplayType=TEXT\nN1Box=0,0,400,100\nN1Max=100\nN1Decimals=1\nN1Frame=YES\n");
    setEngines(1, 50);
    std::vector<DrawCommand> const frames = withOp(frame(), DrawOp::Rect);
    ASSERT_EQ(frames.size(), 1u);
    // "100.0" becomes the sample "00000": the point counts as a digit.
    EXPECT_FLOAT_EQ(frames[0].rect.width, 5 * kDigitWidth * 0.8f);
    EXPECT_FLOAT_EQ(frames[0].rect.height, kDigitHeight);
    EXPECT_FLOAT_EQ(frames[0].rect.x, 0);
    EXPECT_FLOAT_EQ(frames[0].rect.y, 50 - kDigitHeight / 2);
}

TEST_F(ReadoutTest, AReadoutWithoutDecimalsHasRoomForOneMoreDigit)
{
    setEngines(1, 50);
    loadLayout("N1DisplayType=TEXT\nN1Box=0,0,400,100\nN1Max=1000\nN1Frame=YES\n");
    EXPECT_FLOAT_EQ(withOp(frame(), DrawOp::Rect).at(0).rect.width, 5 * kDigitWidth * 0.8f);
    loadLayout("N1DisplayType=TEXT\nN1Box=0,0,400,100\nN1Max=100\nN1Frame=YES\nN1LabelValueDivider=10\n");
    EXPECT_FLOAT_EQ(withOp(frame(), DrawOp::Rect).at(0).rect.width, 3 * kDigitWidth * 0.8f);
}

TEST_F(ReadoutTest, TextReadoutsSpreadFromTheLeftEdgeToTheRightEdgeOfTheBox)
{
    loadLayout("N1DisplayType=TEXT\nN1Box=0,0,400,100\nN1Max=100\nN1Decimals=1\n");
    setEngines(2, 50);
    std::vector<DrawCommand> texts = withOp(frame(), DrawOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    float const width = 5 * kDigitWidth * 0.8f;
    EXPECT_FLOAT_EQ(texts[0].origin.x, width / 2);
    EXPECT_FLOAT_EQ(texts[1].origin.x, 400 - width / 2);
    EXPECT_FLOAT_EQ(texts[0].origin.y, 50);
    EXPECT_EQ(texts[0].format.align, StringAlignment::Center);
    EXPECT_EQ(texts[0].format.lineAlign, StringAlignment::Center);

    setEngines(1, 50);
    texts = withOp(frame(), DrawOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_FLOAT_EQ(texts[0].origin.x, width / 2);
}

TEST_F(ReadoutTest, ASingleTextReadoutStandsAtTheLeftEdgeOfItsBox)
{
    loadLayout("ApuEGTDisplayType=TEXT\nApuEGTBox=100,0,500,100\nApuEGTMax=100\nApuEGTDecimals=1\n");
    sim().aircraft.set(AircraftValue::ApuEGT, 0, 12.5);
    DrawCommand const text = textCommand(frame(), "12.5");
    EXPECT_FLOAT_EQ(text.origin.x, 100 + 5 * kDigitWidth * 0.7f / 2);
    EXPECT_FLOAT_EQ(text.origin.y, 50);
}

TEST_F(ReadoutTest, ShapeReadoutsStandAtTheValueOffsetFromTheShapeCentre)
{
    loadLayout("N1DisplayType=QUADRANT\nN1Box=0,0,400,200\nN1ValueDisplayed=YES\nN1ValueOffset=30,-20\n");
    setEngines(2, 50);
    std::vector<DrawCommand> const texts = withOp(frame(), DrawOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_FLOAT_EQ(texts[0].origin.x, 130);
    EXPECT_FLOAT_EQ(texts[0].origin.y, 80);
    EXPECT_FLOAT_EQ(texts[1].origin.x, 330);
}

TEST_F(ReadoutTest, APrecisionAboveOneCutsTheValueTowardsZero)
{
    loadLayout("N1DisplayType=TEXT\nN1Box=0,0,400,100\nN1Max=10000\nN1Precision=10\n");
    EXPECT_EQ(readoutsAtN1({ 1234, -1234 }), (std::vector<std::string> { "1230", "-1230" }));
    loadLayout("N1DisplayType=TEXT\nN1Box=0,0,400,100\nN1Max=10000\nN1Precision=0.5\n");
    EXPECT_EQ(readoutsAtN1({ 1234, 1234.4 }), (std::vector<std::string> { "1234", "1234" }));
}

TEST_F(ReadoutTest, ReadoutsAreDividedAndHoldAtMostNineCharacters)
{
    loadLayout("N1DisplayType=TEXT\nN1Box=0,0,400,100\nN1Decimals=1\nN1LabelValueDivider=1000\n");
    EXPECT_EQ(readoutsAtN1({ 12345, -250 }), (std::vector<std::string> { "12.3", "-0.2" }));
    loadLayout("N1DisplayType=TEXT\nN1Box=0,0,400,100\nN1Decimals=2\n");
    EXPECT_EQ(readoutsAtN1({ 1234567890.25 }), (std::vector<std::string> { "123456789" }));
}

TEST_F(ReadoutTest, AStoppedEngineShowsTheSubstituteCharacterAcrossTheMaximumsWidth)
{
    std::string const layout = "N1DisplayType=TEXT\nN1Box=0,0,400,100\nN1Max=100\nN1Decimals=1\nEngineOffChar=X\n"
                               "TextNormalColor=BLUE\nQuadrantOffColor=GREY\n";
    loadLayout(layout);
    setEngines(2, 50);
    sim().n1Percent[1] = 0.5;
    std::vector<DrawCommand> texts = withOp(frame(), DrawOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(textsOf(texts), (std::vector<std::string> { "50.0", "XXXXX" }));
    EXPECT_EQ(texts[1].brush.colour, Colour::Blue);

    loadLayout(layout + "EngineOffManaged=YES\n");
    texts = withOp(frame(), DrawOp::Text);
    EXPECT_EQ(textsOf(texts), (std::vector<std::string> { "50.0", "XXXXX" }));
    EXPECT_EQ(texts[1].brush.colour, 0xFF646464u);
}

TEST_F(ReadoutTest, WithoutASubstituteCharacterAStoppedEngineShowsItsValue)
{
    loadLayout("N1DisplayType=TEXT\nN1Box=0,0,400,100\nEngineOffManaged=YES\nTextNormalColor=BLUE\n");
    setEngines(1, 0.5);
    std::vector<DrawCommand> const texts = withOp(frame(), DrawOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(textsOf(texts), (std::vector<std::string> { "0" }));
    EXPECT_EQ(texts[0].brush.colour, Colour::Blue);
}

TEST_F(ReadoutTest, AnUnderscoreSubstituteShowsAsSpaces)
{
    loadLayout("N1DisplayType=TEXT\nN1Box=0,0,400,100\nN1Max=100\nEngineOffChar=_\n");
    EXPECT_EQ(readoutsAtN1({ 0 }), (std::vector<std::string> { "   " }));
}

} // namespace
