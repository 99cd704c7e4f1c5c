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
        return runSnapshot(options, ports, [&](PlatformServices& services, std::string path, std::string section) {
            auto display = std::make_unique<TestGaugeDisplay>(services, path, section);
            display->cycle = cycle;
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
    std::function<void(TestGaugeDisplay&)> cycle = [](TestGaugeDisplay& d) {
        d.linkControl().connectionAttempts++;
        d.linkControl().linkErrorText = "Cannot link to \"FSUIPC\"";
    };
};

TEST_F(SnapshotTest, WritesTheLastFrameAsPngAndItsDrawingCallsAsTheDrawLog)
{
    platform.layouts.embed("[EICAS]\nTestColour=GREEN\nRect0=100-100-300-200\n");
    ASSERT_EQ(run(options(3)), 0) << errors.str();
    EXPECT_EQ(errors.str(), "tarnex: no simulator data: Cannot link to \"FSUIPC\"; the snapshot shows the not-connected page.\n");

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
    EXPECT_TRUE(errors.str().starts_with("Parsing Error: Resource not found\ntarnex: no simulator data: ")) << errors.str();
    EXPECT_EQ(logLines().back(), "text 500.00 150.00 \"Attempt #1\" font=\"Arial\" size=30.00 style=1 brush=#FFFFFFFF halign=center valign=near");
}

TEST_F(SnapshotTest, ALastFrameWithoutSimulatorDataSaysWhyInOneLineAndStillSucceeds)
{
    struct Case {
        bool connectedAtLastFrame;
        char const* help;
        char const* told;
    };
    Case const cases[] = {
        { false, "", "tarnex: no simulator data: Cannot link; the snapshot shows the not-connected page.\n" },
        { false, "No tarnex-sim answers at /ipc: start tarnex-sim",
            "tarnex: no simulator data: Cannot link (No tarnex-sim answers at /ipc: start tarnex-sim); the snapshot shows the not-connected page.\n" },
        { true, "", "" },
    };
    platform.layouts.embed("[EICAS]\n");
    for (Case const& c : cases) {
        errors.str("");
        int frame = 0;
        cycle = [&](TestGaugeDisplay& d) {
            bool const last = ++frame == 2;
            d.linkControl().connected = last && c.connectedAtLastFrame;
            d.linkControl().linkErrorText = "Cannot link";
            d.linkControl().noServerHelp = c.help;
        };
        EXPECT_EQ(run(options(2)), 0);
        EXPECT_EQ(errors.str(), c.told);
    }
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
