#include "app/snapshot.h"
#include "platform/linux/cairo_offscreen_backend.h"
#include "support/test_gauge_display.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// The snapshot of the test display: a layout with one green rectangle, and a
// simulator cycle that fails one connection attempt per frame.
class SnapshotTest : public ::testing::Test {
protected:
    int run(SnapshotOptions const& options)
    {
        SnapshotPorts const ports { platform.profiles, platform.ipc, platform.layouts, offscreen, platform.services.userProfilePath };
        return runSnapshot(options, ports, [](PlatformServices& services, std::string path, std::string section) {
            auto display = std::make_unique<TestGaugeDisplay>(services, path, section);
            display->cycle = [](TestGaugeDisplay& d) {
                d.linkControl().connectionAttempts++;
                d.linkControl().linkErrorText = "Cannot link to \"FSUIPC\"";
            };
            return display;
        }, errors);
    }
    SnapshotOptions options(int frames)
    {
        SnapshotOptions o;
        o.pngPath = platform.folder.file("out.png");
        o.drawLogPath = platform.folder.file("frame.log");
        o.width = 400;
        o.height = 200;
        o.frames = frames;
        return o;
    }
    std::vector<std::string> logLines()
    {
        std::ifstream in(platform.folder.file("frame.log"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    TestPlatform platform;
    CairoOffscreenBackend offscreen;
    std::ostringstream errors;
};

TEST_F(SnapshotTest, WritesTheLastFrameAsPngAndItsDrawingCallsAsTheDrawLog)
{
    platform.layouts.embed("[EICAS]\nTestColour=GREEN\nRect0=100-100-300-200\n");
    ASSERT_EQ(run(options(3)), 0) << errors.str();
    EXPECT_EQ(errors.str(), "");

    std::vector<std::string> const lines = logLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "clear #FF000000");
    EXPECT_TRUE(lines[1].starts_with("fillrect ")) << lines[1];
    EXPECT_TRUE(lines[1].ends_with(" brush=#FFFF0000")) << lines[1];
    EXPECT_EQ(lines[2], "text 500.00 100.00 \"Cannot link to \\\"FSUIPC\\\"\" font=\"Arial\" size=30.00 style=1 brush=#FFFFFFFF halign=center valign=near");
    EXPECT_EQ(lines[4], "text 500.00 150.00 \"Attempt #3\" font=\"Arial\" size=30.00 style=1 brush=#FFFFFFFF halign=center valign=near");

    cairo_surface_t* image = cairo_image_surface_create_from_png(platform.folder.file("out.png").c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(image), 400);
    EXPECT_EQ(cairo_image_surface_get_height(image), 200);
    cairo_surface_destroy(image);
    // The first line's red box, just under its top edge at the page's centre.
    EXPECT_EQ(offscreen.pixel(200, 21) & 0xFFFF0000u, 0xFFFF0000u);
}

TEST_F(SnapshotTest, ALayoutThatFailsToLoadIsReportedAndTheSnapshotIsStillTaken)
{
    ASSERT_EQ(run(options(1)), 0);
    EXPECT_EQ(errors.str(), "Parsing Error: Resource not found\n");
    EXPECT_EQ(logLines().back(), "text 500.00 150.00 \"Attempt #1\" font=\"Arial\" size=30.00 style=1 brush=#FFFFFFFF halign=center valign=near");
}

TEST_F(SnapshotTest, TheUserProfileIsReadButNeverWritten)
{
    platform.layouts.embed("[EICAS]\n");
    ASSERT_EQ(run(options(2)), 0);
    EXPECT_FALSE(std::ifstream(platform.services.userProfilePath).good());
}

TEST_F(SnapshotTest, AnUnwritableOutputIsOneSentenceAndAFailure)
{
    platform.layouts.embed("[EICAS]\n");
    SnapshotOptions o = options(1);
    o.pngPath = platform.folder.file("missing/out.png");
    EXPECT_NE(run(o), 0);
    std::string const text = errors.str();
    EXPECT_TRUE(text.starts_with("Cannot write the snapshot ")) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

} // namespace
