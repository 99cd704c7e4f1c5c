#include "app/window_placement.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <tuple>

namespace {

// A primary 1920 x 1040 work area and a second monitor to its left, lower.
constexpr std::array<WindowRect, 2> kTwoMonitors { { { 0, 0, 1920, 1040 }, { -1280, 200, 0, 1184 } } };

std::tuple<int, int, int, int> placed(WindowGeometry const& saved, std::span<WindowRect const> areas = kTwoMonitors)
{
    WindowGeometry const g = placeOnScreens(saved, areas);
    return { g.x, g.y, g.width, g.height };
}

} // namespace

TEST(WindowPlacement, AWindowShowingAUsablePartOnAnyMonitorStaysWhereItWas)
{
    EXPECT_EQ(placed({ 40, 30, 640, 480 }), std::make_tuple(40, 30, 640, 480));
    EXPECT_EQ(placed({ -1000, 300, 640, 480 }), std::make_tuple(-1000, 300, 640, 480)); // the left monitor
    // Mostly off the right edge, but its last 64 pixels show.
    EXPECT_EQ(placed({ 1920 - 64, 1040 - 32, 640, 480 }), std::make_tuple(1856, 1008, 640, 480));
    // Straddling both monitors: each shows part of it.
    EXPECT_EQ(placed({ -300, 250, 640, 480 }), std::make_tuple(-300, 250, 640, 480));
}

TEST(WindowPlacement, AWindowWithoutAUsablePartOnAnyMonitorComesUpOnThePrimary)
{
    EXPECT_EQ(placed({ -100000, 30, 640, 480 }), std::make_tuple(0, 0, 640, 480));
    EXPECT_EQ(placed({ 1920 - 63, 100, 640, 480 }), std::make_tuple(0, 0, 640, 480));
    EXPECT_EQ(placed({ 100, 1040 - 31, 640, 480 }), std::make_tuple(0, 0, 640, 480));
    // Only in the gap below the left monitor's top, where no screen is.
    EXPECT_EQ(placed({ -1000, 0, 300, 150 }), std::make_tuple(0, 0, 300, 150));
    EXPECT_EQ(placed({ INT_MAX, INT_MAX, 640, 480 }), std::make_tuple(0, 0, 640, 480));
    EXPECT_EQ(placed({ INT_MIN + 1, INT_MIN, 640, 480 }), std::make_tuple(0, 0, 640, 480));
    // A primary monitor that does not start at the origin.
    std::array<WindowRect, 1> const shifted { { { 100, 50, 1100, 850 } } };
    EXPECT_EQ(placed({ 5000, 5000, 640, 480 }, shifted), std::make_tuple(100, 50, 640, 480));
}

TEST(WindowPlacement, SizesLargerThanTheScreensAreCutToTheAreaTheySpan)
{
    EXPECT_EQ(placed({ 0, 0, 100000, 100000 }), std::make_tuple(0, 0, 3200, 1184));
    EXPECT_EQ(placed({ 10, 10, INT_MAX, 500 }), std::make_tuple(10, 10, 3200, 500));
    // The system's default position keeps; the size is still cut.
    EXPECT_EQ(placed({ kUseDefaultPosition, 0, 9000, 300 }), std::make_tuple(kUseDefaultPosition, 0, 3200, 300));
}

TEST(WindowPlacement, DefaultsTinySizesAndUnknownScreensAreLeftAlone)
{
    EXPECT_EQ(placed({}), std::make_tuple(kUseDefaultPosition, 0, kUseDefaultPosition, 0));
    // A default size at a saved position: judged as a window of the usable size.
    EXPECT_EQ(placed({ 200, 100, kUseDefaultPosition, 0 }), std::make_tuple(200, 100, kUseDefaultPosition, 0));
    EXPECT_EQ(placed({ -100000, 100, kUseDefaultPosition, 0 }), std::make_tuple(0, 0, kUseDefaultPosition, 0));
    EXPECT_EQ(placed({ -100000, 10, 640, 480 }, {}), std::make_tuple(-100000, 10, 640, 480));
}

TEST(WindowPlacement, ASmallWindowIsJudgedAtItsOwnSizeThenMadeAsLargeAsItsUsablePart)
{
    struct Case {
        WindowGeometry saved;
        std::tuple<int, int, int, int> expected;
    };
    Case const cases[] = {
        // Wholly on screen at the right and bottom edges: they stay.
        { { 1900, 500, 20, 20 }, { 1900, 500, 64, 32 } },
        { { 500, 1030, 20, 10 }, { 500, 1030, 64, 32 } },
        { { 1900, 1020, 20, 20 }, { 1900, 1020, 64, 32 } },
        // Half off the edge: not all of it shows.
        { { 1910, 500, 20, 20 }, { 0, 0, 64, 32 } },
        // No size, or less than none: a pixel where it was.
        { { 10, 10, 0, -40 }, { 10, 10, 64, 32 } },
        { { -1000, 500, -5, INT_MIN + 1 }, { -1000, 500, 64, 32 } },
        { { -100000, 10, 0, 0 }, { 0, 0, 64, 32 } },
    };
    for (Case const& c : cases)
        EXPECT_EQ(placed(c.saved), c.expected) << c.saved.x << "," << c.saved.y << " " << c.saved.width << "x" << c.saved.height;
}

TEST(WindowPlacement, WithNoMonitorsKnownTheSizeIsStillHeldToItsBounds)
{
    EXPECT_EQ(placed({ 10, 10, 100000, -40 }, {}), std::make_tuple(10, 10, kMaxWindowSide, kUsableHeight));
    EXPECT_EQ(placed({ 10, 10, 3, INT_MAX }, {}), std::make_tuple(10, 10, kUsableWidth, kMaxWindowSide));
}
