#include "render/draw_log.h"
#include "render/recording_fonts.h"
#include "render/retained_frame.h"
#include "support/allocation_counter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

// A 400 x 200 pixel buffer showing a 200 x 100 unit page: two pixels a unit.
// What reaches the target is kept as draw log lines.
class RetainedFrameTest : public ::testing::Test {
protected:
    RetainedFrameTest() { start(); }

    void start()
    {
        frame.restart(target, 400, 200);
        frame.scaleWorld(2, 2);
    }

    // Draws one frame and returns what reached the target.
    std::vector<std::string> draw(std::function<void(Graphics&)> const& calls)
    {
        target.clearCommands();
        calls(frame);
        std::span<PixelRect const> const redrawn = frame.flush();
        damage.assign(redrawn.begin(), redrawn.end());
        return played();
    }
    std::vector<std::string> played() const
    {
        std::vector<std::string> lines;
        for (DrawCommand const& c : target.commands())
            lines.push_back(formatDrawCommand(c));
        return lines;
    }

    RecordingGraphics target;
    RecordingFontFactory fonts;
    RetainedFrame frame { fonts };
    RecordingFont font { "Arial", 10, FontStyleRegular };
    std::vector<PixelRect> damage;
};

Pen const kGreen { 0xFF00FF00, 1 };
Brush const kWhite { kOpaqueWhite };

void page(Graphics& g, float needleX)
{
    g.clear(kOpaqueBlack);
    g.drawRectangle(kGreen, { 150, 10, 40, 20 });
    g.drawLine(kGreen, { needleX, 50 }, { needleX, 90 });
}

TEST_F(RetainedFrameTest, TheFirstFrameIsDrawnWholeAndAnUnchangedFrameNotAtAll)
{
    std::vector<std::string> const first = draw([](Graphics& g) { page(g, 20); });
    EXPECT_EQ(damage, (std::vector<PixelRect> { { 0, 0, 400, 200 } }));
    EXPECT_EQ(first,
        (std::vector<std::string> { "noclip", "fillrect -0.25 -0.25 200.00 100.00 brush=#FF000000",
            "rect 150.00 10.00 40.00 20.00 pen=#FF00FF00/1.00", "line 20.00 50.00 20.00 90.00 pen=#FF00FF00/1.00", "noclip" }));

    EXPECT_TRUE(draw([](Graphics& g) { page(g, 20); }).empty());
    EXPECT_TRUE(damage.empty());
}

TEST_F(RetainedFrameTest, AMovedLineRedrawsWhereItWasAndWhereItIsAndNothingElse)
{
    draw([](Graphics& g) { page(g, 20); });
    std::vector<std::string> const moved = draw([](Graphics& g) { page(g, 30); });
    // Lines at x 40 and 60 px, rows 100 to 180, one pen width and smoothing
    // around them: one rectangle, as the two are close.
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_EQ(damage[0], (PixelRect { 36, 96, 29, 89 }));
    EXPECT_EQ(moved,
        (std::vector<std::string> { "noclip", "fillrect 17.75 47.75 14.50 44.50 brush=#FF000000",
            "line 30.00 50.00 30.00 90.00 pen=#FF00FF00/1.00", "noclip" }));
}

TEST_F(RetainedFrameTest, CallsAddedOrDroppedInTheMiddleLeaveTheCallsAfterThemAlone)
{
    auto const list = [this](bool withExtraLine) {
        return [this, withExtraLine](Graphics& g) {
            g.clear(kOpaqueBlack);
            for (int row = 0; row < 8; ++row) {
                if (withExtraLine && row == 4)
                    g.drawString(u"EXTRA", font, { 100, 5 }, {}, kWhite);
                g.drawString(u"LINE", font, { 10, 10.0f * row }, {}, kWhite);
            }
        };
    };
    draw(list(false));
    draw(list(true));
    ASSERT_EQ(damage.size(), 1u);
    // Only the new text's box (30 x 11.5 units at 100, 5) and its overhang.
    EXPECT_GE(damage[0].x, 180);
    EXPECT_LE(damage[0].y, 10);
    EXPECT_LE(damage[0].y + damage[0].height, 60);
    draw(list(false));
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_GE(damage[0].x, 180);
}

TEST_F(RetainedFrameTest, AClearOnlyReachesTheDamageAndAChangedClipRedrawsAll)
{
    auto const clipped = [](Argb clearColour, float clipWidth, float boxX) {
        return [=](Graphics& g) {
            g.setClip({ 0, 0, clipWidth, 100 });
            g.clear(clearColour);
            g.fillRectangle(kWhite, { boxX, 40, 10, 10 });
            g.resetClip();
        };
    };
    // An opaque clear fills the damage; the frame's own clip still applies.
    draw(clipped(kOpaqueBlack, 100, 20));
    std::vector<std::string> const opaque = draw(clipped(kOpaqueBlack, 100, 24));
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_EQ(damage[0], (PixelRect { 38, 78, 33, 25 }));
    EXPECT_EQ(opaque,
        (std::vector<std::string> { "noclip", "clip 0.00 0.00 100.00 100.00", "fillrect 18.75 38.75 16.50 12.50 brush=#FF000000",
            "fillrect 24.00 40.00 10.00 10.00 brush=#FFFFFFFF", "noclip", "noclip" }));

    // A translucent one clears through the frame's clip narrowed to the damage.
    draw(clipped(0x80102030, 100, 20));
    std::vector<std::string> const translucent = draw(clipped(0x80102030, 100, 24));
    EXPECT_EQ(translucent,
        (std::vector<std::string> { "noclip", "clip 0.00 0.00 100.00 100.00", "clip 18.75 38.75 16.50 12.50", "clear #80102030",
            "clip 0.00 0.00 100.00 100.00", "fillrect 24.00 40.00 10.00 10.00 brush=#FFFFFFFF", "noclip", "noclip" }));

    draw(clipped(0x80102030, 120, 24));
    EXPECT_EQ(damage, (std::vector<PixelRect> { { 0, 0, 400, 200 } }));
}

TEST_F(RetainedFrameTest, AClipLeftSetStartsTheNextFrameClipped)
{
    auto const leavesClip = [](Graphics& g) {
        g.clear(kOpaqueBlack);
        g.fillRectangle(kWhite, { 10, 10, 5, 5 });
        g.setClip({ 0, 0, 50, 50 });
    };
    draw(leavesClip);
    // The same calls, but now under the clip the first frame left.
    draw(leavesClip);
    EXPECT_EQ(damage, (std::vector<PixelRect> { { 0, 0, 400, 200 } }));
    EXPECT_TRUE(draw(leavesClip).empty());
}

TEST_F(RetainedFrameTest, FarApartChangesAreRedrawnSeparatelyAndANewBufferWhole)
{
    auto const corners = [](float dx) {
        return [dx](Graphics& g) {
            g.clear(kOpaqueBlack);
            g.fillRectangle(kWhite, { 5 + dx, 5, 5, 5 });
            g.fillRectangle(kWhite, { 180 + dx, 80, 5, 5 });
        };
    };
    draw(corners(0));
    draw(corners(1));
    ASSERT_EQ(damage.size(), 2u);
    EXPECT_LT(damage[0].width + damage[1].width, 60);

    start();
    draw(corners(1));
    EXPECT_EQ(damage, (std::vector<PixelRect> { { 0, 0, 400, 200 } }));
}

TEST_F(RetainedFrameTest, ACallReachingTwoDamagedRectanglesIsDrawnOnce)
{
    auto const frameWith = [](float dx) {
        return [dx](Graphics& g) {
            g.clear(kOpaqueBlack);
            g.drawLine(kGreen, { 0, 50 }, { 200, 50 });
            g.fillRectangle(kWhite, { 5 + dx, 45, 5, 5 });
            g.fillRectangle(kWhite, { 180 + dx, 45, 5, 5 });
        };
    };
    draw(frameWith(0));
    std::vector<std::string> const played = draw(frameWith(1));
    ASSERT_EQ(damage.size(), 2u);
    EXPECT_EQ(std::count(played.begin(), played.end(), "line 0.00 50.00 200.00 50.00 pen=#FF00FF00/1.00"), 1);
    EXPECT_EQ(std::count_if(played.begin(), played.end(), [](std::string const& call) { return call.ends_with("brush=#FF000000"); }), 2);
}

TEST_F(RetainedFrameTest, RedrawAllDrawsAnUnchangedFrameWhole)
{
    draw([](Graphics& g) { page(g, 20); });
    frame.redrawAll();
    EXPECT_EQ(draw([](Graphics& g) { page(g, 20); }).size(), 5u);
    EXPECT_EQ(damage, (std::vector<PixelRect> { { 0, 0, 400, 200 } }));
}

TEST_F(RetainedFrameTest, TextIsDrawnAgainAfterItsFontIsGone)
{
    // A display may remake its fonts halfway through a frame.
    auto shortLived = std::make_unique<RecordingFont>("Courier New", 12, FontStyleBold);
    frame.drawString(u"N1", *shortLived, { 10, 10 }, {}, kWhite);
    shortLived.reset();
    frame.flush();
    ASSERT_EQ(target.commands().size(), 3u);
    EXPECT_EQ(formatDrawCommand(target.commands()[1]),
        "text 10.00 10.00 \"N1\" font=\"Courier New\" size=12.00 style=1 brush=#FFFFFFFF halign=near valign=near");
}

// Makes every font as the fallback face, counting them.
class FallbackFontFactory final : public FontFactory {
public:
    int made = 0;
    std::unique_ptr<Font> createFont(std::string_view, float size, int style) override
    {
        ++made;
        return std::make_unique<RecordingFont>("Fallback Sans", size, style);
    }
};

TEST(RetainedFrame, MakesEachFontOnceEvenWhenItFallsBackToAnotherFace)
{
    FallbackFontFactory fonts;
    RecordingGraphics target;
    RetainedFrame frame(fonts);
    frame.restart(target, 100, 100);
    RecordingFont const arial("Arial", 10, FontStyleRegular);
    for (int tick = 0; tick < 5; ++tick) {
        frame.drawString(u"A", arial, { 0, 0 }, {}, kWhite);
        frame.drawString(u"B", arial, { 0, static_cast<float>(tick) }, {}, kWhite);
        frame.flush();
    }
    EXPECT_EQ(fonts.made, 1);
}

TEST_F(RetainedFrameTest, ShapesThatAreNotNumbersRedrawTheWholeBuffer)
{
    draw([](Graphics& g) { page(g, 20); });
    draw([](Graphics& g) { page(g, std::numeric_limits<float>::quiet_NaN()); });
    EXPECT_EQ(damage, (std::vector<PixelRect> { { 0, 0, 400, 200 } }));
}

TEST_F(RetainedFrameTest, FramesLikeTheLastAllocateNothing)
{
    auto const frameAt = [this](int tick) {
        return [this, tick](Graphics& g) {
            char16_t const digit = static_cast<char16_t>(u'0' + tick % 10);
            std::u16string_view const value(&digit, 1);
            page(g, static_cast<float>(20 + tick % 7));
            g.drawString(value, font, { 100, 50 }, {}, kWhite);
        };
    };
    target.setRecording(false);
    for (int tick = 0; tick < 3; ++tick) {
        frameAt(tick)(frame);
        frame.flush();
    }
    AllocationCounter allocations;
    for (int tick = 3; tick < 50; ++tick) {
        frameAt(tick)(frame);
        frame.flush();
    }
    EXPECT_EQ(allocations.count(), 0u);
}

} // namespace
