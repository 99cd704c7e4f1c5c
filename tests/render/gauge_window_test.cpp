#include "render/gauge_window.h"
#include "support/test_gauge_display.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class GaugeWindowTest : public ::testing::Test {
protected:
    GaugeWindowTest() { platform.window.client = { 500, 250 }; }

    // Creates the window, which loads the layout embedded in the platform.
    void createWith(std::string_view layoutText)
    {
        platform.layouts.embed(layoutText);
        ASSERT_TRUE(display.createWindow("A320 CFM E/WD", 32781));
    }

    void connect() { display.linkControl().connected = true; }

    std::vector<DrawCommand> frame()
    {
        recording().clearCommands();
        display.paint();
        return recording().commands();
    }

    static std::vector<DrawCommand> withOp(std::vector<DrawCommand> const& commands, DrawOp op)
    {
        std::vector<DrawCommand> result;
        for (DrawCommand const& c : commands) {
            if (c.op == op)
                result.push_back(c);
        }
        return result;
    }

    RecordingGraphics& recording() { return platform.render.recording(); }

    TestPlatform platform;
    TestGaugeDisplay display { platform.services, platform.services.userProfilePath };
};

TEST_F(GaugeWindowTest, ThePageIsStretchedIndependentlyInXAndYToTheClientArea)
{
    createWith("[EICAS]\nLine0=0-0-1000-1000\n");
    connect();
    std::vector<DrawCommand> const commands = frame();
    EXPECT_EQ(platform.render.bufferWidth(), 500);
    EXPECT_EQ(platform.render.bufferHeight(), 250);
    EXPECT_FLOAT_EQ(recording().scaleX(), 0.5f);
    EXPECT_FLOAT_EQ(recording().scaleY(), 0.25f);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].op, DrawOp::Clear);
    EXPECT_EQ(commands[0].colour, 0xFF000000u);
    ASSERT_EQ(commands[1].op, DrawOp::Line);
    EXPECT_FLOAT_EQ(commands[1].points[1].x * recording().scaleX(), 500);
    EXPECT_FLOAT_EQ(commands[1].points[1].y * recording().scaleY(), 250);
}

TEST_F(GaugeWindowTest, AWiderPageMovesTheNotConnectedTextToAQuarterOfTheWindow)
{
    createWith("[EICAS]\nSizeX=2000\n");
    std::vector<DrawCommand> const texts = withOp(frame(), DrawOp::Text);
    EXPECT_FLOAT_EQ(recording().scaleX(), 0.25f);
    EXPECT_FLOAT_EQ(recording().scaleY(), 0.25f);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_FLOAT_EQ(texts[0].origin.x * recording().scaleX(), 125);
}

TEST_F(GaugeWindowTest, ARectangleDecorationIsDrawnWithTheForegroundPenOnlyWhileTheLinkIsUp)
{
    createWith("[EICAS]\nTestColour=AMBER\nRect0=100-100-300-200\n");
    connect();
    std::vector<DrawCommand> const rects = withOp(frame(), DrawOp::Rect);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_FLOAT_EQ(rects[0].rect.x, 100);
    EXPECT_FLOAT_EQ(rects[0].rect.y, 100);
    EXPECT_FLOAT_EQ(rects[0].rect.width, 200);
    EXPECT_FLOAT_EQ(rects[0].rect.height, 100);
    EXPECT_EQ(rects[0].pen.colour, 0xFFFF9600u);
    EXPECT_FLOAT_EQ(rects[0].pen.width, 2);

    display.linkControl().connected = false;
    EXPECT_TRUE(withOp(frame(), DrawOp::Rect).empty());
}

TEST_F(GaugeWindowTest, DecorationsAreDrawnInListOrderLinesFirst)
{
    createWith("[EICAS]\nRect0=1-2-3-4\nLine0=10-20-30-40\nLine1=50-60\n");
    connect();
    std::vector<DrawCommand> const commands = frame();
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[1].op, DrawOp::Line);
    EXPECT_FLOAT_EQ(commands[1].points[0].x, 10);
    EXPECT_FLOAT_EQ(commands[1].points[1].y, 40);
    EXPECT_EQ(commands[2].op, DrawOp::Line);
    EXPECT_FLOAT_EQ(commands[2].points[1].x, 0); // missing numbers are 0
    EXPECT_EQ(commands[3].op, DrawOp::Rect);
}

TEST_F(GaugeWindowTest, AGapEndsTheShapeList)
{
    createWith("[EICAS]\nLine0=1-1-2-2\nLine1=3-3-4-4\nLine3=5-5-6-6\n");
    EXPECT_EQ(display.lines.size(), 2u);
    EXPECT_TRUE(display.rects.empty());
}

TEST_F(GaugeWindowTest, WithoutAForegroundPenNoDecorationIsDrawn)
{
    createWith("[EICAS]\nLine0=0-0-1000-1000\nRect0=100-100-300-200\n");
    display.colours[0].kind = ColourKindBrush;
    display.createPensAndBrushes();
    connect();
    EXPECT_EQ(frame().size(), 1u); // the clear alone
}

TEST_F(GaugeWindowTest, ColourKindsMakeTheirPensAndBrushes)
{
    display.colours[1] = { ColourKindBrush, 0, 0x000096FF, 3 };
    display.colours[2] = { ColourKindPenAndBrush, 0, 0x00FFFF00, 1.5f };
    display.colours[3] = { ColourKindDashedPen, 0, 0x0000FF00, 2 };
    display.colours[4] = { ColourKindPen, 0, 0x00FF0000, 4 };
    display.colours[5] = { 3, 0, 0x00FFFFFF, 1 };
    display.refreshColours();

    EXPECT_EQ(display.pen(1), nullptr);
    ASSERT_NE(display.brush(1), nullptr);
    EXPECT_EQ(display.brush(1)->colour, 0xFFFF9600u);

    ASSERT_NE(display.pen(2), nullptr);
    ASSERT_NE(display.brush(2), nullptr);
    EXPECT_EQ(display.pen(2)->colour, 0xFF00FFFFu);
    EXPECT_EQ(display.brush(2)->colour, 0xFF00FFFFu);
    EXPECT_FLOAT_EQ(display.pen(2)->width, 1.5f);
    EXPECT_FALSE(display.pen(2)->dashed);

    ASSERT_NE(display.pen(3), nullptr);
    EXPECT_TRUE(display.pen(3)->dashed);
    EXPECT_EQ(display.brush(3), nullptr);

    ASSERT_NE(display.pen(4), nullptr);
    EXPECT_EQ(display.pen(4)->colour, 0xFF0000FFu);
    EXPECT_EQ(display.brush(4), nullptr);

    EXPECT_EQ(display.pen(5), nullptr);
    EXPECT_EQ(display.brush(5), nullptr);
    EXPECT_EQ(display.pen(45), nullptr);
    EXPECT_EQ(display.pen(-1), nullptr);

    // A new kind releases what the row held before.
    display.colours[2].kind = ColourKindNone;
    display.createPensAndBrushes();
    EXPECT_EQ(display.pen(2), nullptr);
    EXPECT_EQ(display.brush(2), nullptr);
}

TEST_F(GaugeWindowTest, FontsAreMadeFromTheTableWithTheSansSerifFallback)
{
    display.fontDefs[0] = { 24, FontStyleBold, "Arial" };
    display.fontDefs[1] = { 12, FontStyleItalic, "No Such Face" };
    display.createFonts();
    ASSERT_NE(display.font(0), nullptr);
    EXPECT_EQ(display.font(0)->face(), "Arial");
    EXPECT_FLOAT_EQ(display.font(0)->size(), 24);
    EXPECT_EQ(display.font(0)->style(), FontStyleBold);
    ASSERT_NE(display.font(1), nullptr);
    EXPECT_EQ(display.font(1)->face(), RecordingFontFactory::kGenericSansSerif);
    EXPECT_FLOAT_EQ(display.font(1)->size(), 12);
    EXPECT_EQ(display.font(1)->style(), FontStyleItalic);
}

TEST_F(GaugeWindowTest, AResizeRemakesTheBufferOnceAndSetsLayoutPendingForExactlyOneFrame)
{
    createWith("[EICAS]\n");
    display.paint();
    display.paint();
    platform.window.client = { 600, 300 };
    display.paint();
    display.paint();
    EXPECT_EQ(display.layoutPendingAtDraw, (std::vector<bool> { true, false, true, false }));
    EXPECT_EQ(platform.render.backBuffersMade(), 2);
    EXPECT_EQ(platform.render.framesPresented(), 4);
    EXPECT_FLOAT_EQ(recording().scaleX(), 0.6f);
    EXPECT_FLOAT_EQ(recording().scaleY(), 0.3f);
    EXPECT_FALSE(display.isLayoutPending());
}

TEST_F(GaugeWindowTest, APaintRunsTheSimulatorCycleAndIsNotReadyForRedrawUntilItEnds)
{
    createWith("[EICAS]\n");
    display.paint();
    EXPECT_EQ(display.cycles, 1);
    EXPECT_EQ(display.readyForRedrawAtDraw, std::vector<bool> { false });
    EXPECT_TRUE(display.isReadyForRedraw());
}

TEST_F(GaugeWindowTest, TheNotConnectedScreenShowsTheErrorAndTheAttemptOnRedBoxes)
{
    createWith("[EICAS]\n");
    display.linkControl().linkErrorText = "Cannot link to FSUIPC or WideClient";
    display.linkControl().connectionAttempts = 3;
    std::vector<DrawCommand> const commands = frame();
    ASSERT_EQ(commands.size(), 5u);
    DrawCommand const& box = commands[1];
    DrawCommand const& error = commands[2];
    EXPECT_EQ(box.op, DrawOp::FillRect);
    EXPECT_EQ(box.brush.colour, 0xFFFF0000u);
    ASSERT_EQ(error.op, DrawOp::Text);
    EXPECT_EQ(error.text, u"Cannot link to FSUIPC or WideClient");
    EXPECT_EQ(error.fontFace, "Arial");
    EXPECT_FLOAT_EQ(error.fontSize, 30);
    EXPECT_EQ(error.fontStyle, FontStyleBold);
    EXPECT_EQ(error.brush.colour, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(error.origin.x, 500);
    EXPECT_FLOAT_EQ(error.origin.y, 100);
    EXPECT_EQ(error.format.align, StringAlignment::Center);
    EXPECT_EQ(error.format.lineAlign, StringAlignment::Near);
    // The box is the measured text: centred on 500, its top on 100.
    EXPECT_FLOAT_EQ(box.rect.x + box.rect.width / 2, 500);
    EXPECT_FLOAT_EQ(box.rect.y, 100);
    EXPECT_FLOAT_EQ(box.rect.width, 35 * 0.6f * 30);

    EXPECT_EQ(commands[3].op, DrawOp::FillRect);
    EXPECT_EQ(commands[4].text, u"Attempt #3");
    EXPECT_FLOAT_EQ(commands[4].origin.y, 150);
    // The two boxes do not overlap.
    EXPECT_LE(box.rect.y + box.rect.height, commands[3].rect.y);
}

TEST_F(GaugeWindowTest, AfterTwentyFailedAttemptsTheSecondLineSaysTooManyAttemptsAndHowOftenItRetries)
{
    createWith("[EICAS]\n");
    display.linkControl().connectionAttempts = 20;
    display.linkControl().retryInterval = std::chrono::seconds(10);
    std::vector<DrawCommand> const texts = withOp(frame(), DrawOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, u"Too many attempts... retrying every 10 s");
    display.linkControl().retryInterval = std::chrono::seconds(30);
    EXPECT_EQ(withOp(frame(), DrawOp::Text)[1].text, u"Too many attempts... retrying every 30 s");
    display.linkControl().connectionAttempts = 19;
    EXPECT_EQ(withOp(frame(), DrawOp::Text)[1].text, u"Attempt #19");
}

TEST_F(GaugeWindowTest, ThePlatformsHelpLineStandsBelowTheAttemptLineWhenThereIsOne)
{
    createWith("[EICAS]\n");
    display.linkControl().connectionAttempts = 2;
    int const fontsBefore = platform.render.recordingFonts().fontsMade();
    EXPECT_EQ(withOp(frame(), DrawOp::Text).size(), 2u); // no help: the page as on Windows

    display.linkControl().noServerHelp = "Waiting for FlightGear at 127.0.0.1:5500";
    std::vector<DrawCommand> const commands = frame();
    std::vector<DrawCommand> const texts = withOp(commands, DrawOp::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2].text, u"Waiting for FlightGear at 127.0.0.1:5500");
    EXPECT_FLOAT_EQ(texts[2].fontSize, 20);
    EXPECT_FLOAT_EQ(texts[2].origin.x, 500);
    EXPECT_FLOAT_EQ(texts[2].origin.y, 200);
    // On its own red box, below the attempt line's.
    std::vector<DrawCommand> const boxes = withOp(commands, DrawOp::FillRect);
    ASSERT_EQ(boxes.size(), 3u); // one per line
    EXPECT_LE(boxes[1].rect.y + boxes[1].rect.height, boxes[2].rect.y);
    frame();
    EXPECT_EQ(platform.render.recordingFonts().fontsMade(), fontsBefore + 2);
}

TEST_F(GaugeWindowTest, TheErrorTextIsShownAsDisplayText)
{
    createWith("[EICAS]\n");
    display.linkControl().linkErrorText = "No_link \xB0";
    EXPECT_EQ(withOp(frame(), DrawOp::Text)[0].text, u"No link \u00B0");
    display.linkControl().linkErrorText = "Other";
    EXPECT_EQ(withOp(frame(), DrawOp::Text)[0].text, u"Other");
}

TEST_F(GaugeWindowTest, TheOverlayFontIsMadeOnceForTheLifeOfTheWindow)
{
    createWith("[EICAS]\n");
    int const before = platform.render.recordingFonts().fontsMade();
    frame();
    frame();
    EXPECT_EQ(platform.render.recordingFonts().fontsMade(), before + 1);
}

TEST_F(GaugeWindowTest, ALayoutThatFailsToLoadShowsOneParsingErrorAndTheDisplayRunsWithoutIt)
{
    ASSERT_TRUE(display.createWindow("A320 CFM E/WD", 32781)); // nothing embedded
    ASSERT_EQ(platform.window.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.window.messageBoxes[0].text, "Resource not found");
    EXPECT_EQ(platform.window.messageBoxes[0].caption, "Parsing Error");
    EXPECT_EQ(platform.window.messageBoxes[0].icon, MessageIcon::Error);
    EXPECT_FLOAT_EQ(display.pageWidthUnits(), 1000);
    EXPECT_EQ(display.pen(0), nullptr);
    connect();
    EXPECT_EQ(frame().size(), 1u);
}

TEST_F(GaugeWindowTest, TheUnpackedLayoutFileIsGoneAfterTheLoad)
{
    createWith("[EICAS]\nSizeY=500\n");
    EXPECT_FLOAT_EQ(display.pageHeightUnits(), 500);
    EXPECT_TRUE(platform.window.messageBoxes.empty());
    EXPECT_FALSE(std::ifstream(platform.folder.file("A320CFM.dll")).good());
}

TEST_F(GaugeWindowTest, APageSideThatIsNotAPositiveNumberKeepsTheDefault)
{
    createWith("[EICAS]\nSizeX=0\nSizeY=junk\n");
    EXPECT_FLOAT_EQ(display.pageWidthUnits(), 1000);
    EXPECT_FLOAT_EQ(display.pageHeightUnits(), 1000);
    platform.window.client = { 400, 400 };
    display.paint();
    EXPECT_FLOAT_EQ(recording().scaleX(), 0.4f);
    EXPECT_FLOAT_EQ(recording().scaleY(), 0.4f);
}

TEST_F(GaugeWindowTest, AnEmptyClientAreaIsNotPaintedAndTheFirstRealSizeLaysThePageOut)
{
    createWith("[EICAS]\nLine0=0-0-1000-1000\n");
    connect();
    for (ClientSize const empty : { ClientSize { 0, 0 }, ClientSize { 0, 100 }, ClientSize { 100, 0 } }) {
        platform.window.client = empty;
        EXPECT_TRUE(frame().empty());
    }
    EXPECT_EQ(platform.render.backBuffersMade(), 0);
    EXPECT_EQ(platform.render.framesPresented(), 0);
    EXPECT_TRUE(display.isReadyForRedraw());
    platform.window.client = { 100, 100 };
    display.paint();
    EXPECT_FLOAT_EQ(recording().scaleX(), 0.1f);
    EXPECT_EQ(display.layoutPendingAtDraw.back(), true);
}

} // namespace
