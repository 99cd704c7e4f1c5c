// The window redraws only what changed between frames. These tests draw the
// real E/WD page from a live tarnex-sim flying the demo, every frame twice
// with Cairo: whole into one buffer, and through RetainedFrame into another
// whose redrawn rectangles are then copied to a third standing in for the
// window. After every frame the window must equal the whole frame to the byte.
// The demo moves a fixed step of scenario time per exchange, so every run
// draws the same frames however fast the machine draws them.

#include "app/application.h"
#include "app/headless_window_host.h"
#include "app/menu_commands.h"
#include "config/ini_profile_store.h"
#include "ewd/ewd_display.h"
#include "platform/linux/cairo_fonts.h"
#include "platform/linux/cairo_graphics.h"
#include "platform/linux/posix_ipc_transport.h"
#include "render/render_backend.h"
#include "render/retained_frame.h"
#include "sim_process.h"
#include "support/temp_folder.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string fromEnvironment(char const* name, char const* fallback)
{
    char const* value = std::getenv(name);
    return value && *value ? value : fallback;
}

// Every call goes to the whole-frame graphics and to the retained frame.
class TeeGraphics final : public Graphics {
public:
    TeeGraphics(Graphics& whole, Graphics& retained)
        : m_whole(whole)
        , m_retained(retained)
    {
    }
    void scaleWorld(float sx, float sy) override { both([&](Graphics& g) { g.scaleWorld(sx, sy); }); }
    void clear(Argb colour) override { both([&](Graphics& g) { g.clear(colour); }); }
    void drawLine(Pen const& pen, PointF from, PointF to) override { both([&](Graphics& g) { g.drawLine(pen, from, to); }); }
    void drawRectangle(Pen const& pen, RectF const& r) override { both([&](Graphics& g) { g.drawRectangle(pen, r); }); }
    void fillRectangle(Brush const& brush, RectF const& r) override { both([&](Graphics& g) { g.fillRectangle(brush, r); }); }
    void drawArc(Pen const& pen, RectF const& r, float start, float sweep) override
    {
        both([&](Graphics& g) { g.drawArc(pen, r, start, sweep); });
    }
    void fillPie(Brush const& brush, RectF const& r, float start, float sweep) override
    {
        both([&](Graphics& g) { g.fillPie(brush, r, start, sweep); });
    }
    void fillEllipse(Brush const& brush, RectF const& r) override { both([&](Graphics& g) { g.fillEllipse(brush, r); }); }
    void drawPolygon(Pen const& pen, std::span<PointF const> points) override { both([&](Graphics& g) { g.drawPolygon(pen, points); }); }
    void drawString(std::u16string_view text, Font const& font, PointF origin, StringFormat const& format, Brush const& brush) override
    {
        both([&](Graphics& g) { g.drawString(text, font, origin, format, brush); });
    }
    RectF measureString(std::u16string_view text, Font const& font, PointF origin, StringFormat const& format) override
    {
        return m_whole.measureString(text, font, origin, format);
    }
    void setClip(RectF const& r) override { both([&](Graphics& g) { g.setClip(r); }); }
    void resetClip() override { both([](Graphics& g) { g.resetClip(); }); }

private:
    template<typename Call> void both(Call const& call)
    {
        call(m_whole);
        call(m_retained);
    }
    Graphics& m_whole;
    Graphics& m_retained;
};

struct FrameTally {
    int frames = 0;
    int unchanged = 0;
    int partial = 0;
    int whole = 0;
    std::string firstDifference;
};

// Two buffers of the window's format, compared at every present.
class ComparingBackend final : public RenderBackend {
public:
    ~ComparingBackend() override { release(); }

    FontFactory& fonts() override { return m_fonts; }
    Graphics& recreateBackBuffer(int width, int height) override
    {
        release();
        m_width = width;
        m_height = height;
        m_wholeSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        m_retainedSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        m_windowSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        m_windowContext = cairo_create(m_windowSurface);
        cairo_set_operator(m_windowContext, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(m_windowContext, m_retainedSurface, 0, 0);
        m_whole = std::make_unique<CairoGraphics>(m_wholeSurface);
        m_retainedTarget = std::make_unique<CairoGraphics>(m_retainedSurface);
        m_retained.restart(*m_retainedTarget, width, height);
        m_tee = std::make_unique<TeeGraphics>(*m_whole, m_retained);
        return *m_tee;
    }
    void present() override
    {
        std::span<PixelRect const> const redrawn = m_retained.flush();
        ++tally.frames;
        if (redrawn.empty())
            ++tally.unchanged;
        else if (redrawn.size() == 1 && redrawn[0] == PixelRect { 0, 0, m_width, m_height })
            ++tally.whole;
        else
            ++tally.partial;
        for (PixelRect const& rect : redrawn) {
            cairo_rectangle(m_windowContext, rect.x, rect.y, rect.width, rect.height);
            cairo_fill(m_windowContext);
        }
        if (tally.firstDifference.empty())
            compare();
    }

    FrameTally tally;

private:
    void compare()
    {
        cairo_surface_flush(m_wholeSurface);
        cairo_surface_flush(m_windowSurface);
        int const stride = cairo_image_surface_get_stride(m_wholeSurface);
        unsigned char const* whole = cairo_image_surface_get_data(m_wholeSurface);
        unsigned char const* retained = cairo_image_surface_get_data(m_windowSurface);
        for (int y = 0; y < m_height; ++y) {
            auto const* a = reinterpret_cast<std::uint32_t const*>(whole + y * stride);
            auto const* b = reinterpret_cast<std::uint32_t const*>(retained + y * stride);
            for (int x = 0; x < m_width; ++x) {
                // The unused byte of RGB24 is left as drawing leaves it.
                if ((a[x] & 0xFFFFFF) != (b[x] & 0xFFFFFF)) {
                    std::ostringstream where;
                    where << "frame " << tally.frames << ", pixel " << x << "," << y << ": whole #" << std::hex
                          << (a[x] & 0xFFFFFF) << ", window #" << (b[x] & 0xFFFFFF);
                    tally.firstDifference = where.str();
                    return;
                }
            }
        }
    }
    void release()
    {
        m_tee.reset();
        m_whole.reset();
        m_retainedTarget.reset();
        if (m_windowContext)
            cairo_destroy(m_windowContext);
        m_windowContext = nullptr;
        for (cairo_surface_t* surface : { m_wholeSurface, m_retainedSurface, m_windowSurface }) {
            if (surface)
                cairo_surface_destroy(surface);
        }
        m_wholeSurface = m_retainedSurface = m_windowSurface = nullptr;
    }

    CairoFontFactory m_fonts;
    int m_width = 0;
    int m_height = 0;
    cairo_surface_t* m_wholeSurface = nullptr;
    cairo_surface_t* m_retainedSurface = nullptr;
    cairo_surface_t* m_windowSurface = nullptr;
    cairo_t* m_windowContext = nullptr;
    std::unique_ptr<CairoGraphics> m_whole;
    std::unique_ptr<CairoGraphics> m_retainedTarget;
    RetainedFrame m_retained { m_fonts };
    std::unique_ptr<TeeGraphics> m_tee;
};

class RetainedFramePixelsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/tarnex-ipc-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        ipcDirectory = pattern;
        std::ifstream layout(fromEnvironment("TARNEX_SOURCE_DIR", TARNEX_SOURCE_DIR) + "/layouts/a320cfm.ini");
        std::ostringstream text;
        text << layout.rdbuf();
        layouts.embed(text.str());
    }
    void TearDown() override { std::filesystem::remove_all(ipcDirectory); }

    // Flies the demo from the given second, the given scenario seconds per
    // frame, and draws frames of the page in a window of the given size.
    FrameTally fly(std::string const& from, std::string const& secondsPerFrame, ClientSize size, int frames)
    {
        SimProcess sim;
        std::string error;
        std::string const program = SimProcess::programIn(fromEnvironment("TARNEX_BUILD_DIR", TARNEX_BUILD_DIR));
        if (!sim.start(program, { "--scenario", "demo", "--at", from, "--seconds-per-exchange", secondsPerFrame },
                ipcDirectory, "UIPCMAIN", error)) {
            ADD_FAILURE() << error;
            return {};
        }
        std::ostringstream messages;
        HeadlessWindowHost window(size, messages);
        ComparingBackend backend;
        IniProfileStore profiles;
        PosixIpcTransport ipc(ipcDirectory);
        PlatformServices services { window, backend, profiles, ipc, layouts, folder.file("QuorvelEFIS.cfg") };
        EwdDisplay display(services, services.userProfilePath, std::string(kProfileSection));
        EXPECT_TRUE(display.createWindow(kWindowTitle, MenuCommand::AlwaysOnTop));
        for (int frame = 0; frame < frames && backend.tally.firstDifference.empty(); ++frame)
            display.paint();
        EXPECT_TRUE(display.linkState().connected) << display.linkState().linkErrorText;
        EXPECT_EQ(messages.str(), "");
        return backend.tally;
    }

    TempFolder folder;
    TestLayoutPlatform layouts { folder.path() };
    std::string ipcDirectory;
};

TEST_F(RetainedFramePixelsTest, EngineStartAndTaxiRedrawnInPartsEqualTheWholeFrames)
{
    FrameTally const tally = fly("0", "0.25", { 1000, 1000 }, 250);
    EXPECT_EQ(tally.firstDifference, "");
    EXPECT_EQ(tally.frames, 250);
    // Most frames change a few values; only the first is whole.
    EXPECT_GT(tally.partial, 100);
    EXPECT_EQ(tally.whole, 1);
}

TEST_F(RetainedFramePixelsTest, AFlightAtOddScalesRedrawnInPartsEqualsTheWholeFrames)
{
    FrameTally const tally = fly("120", "1.5", { 777, 555 }, 250);
    EXPECT_EQ(tally.firstDifference, "");
    EXPECT_GT(tally.partial, 100);
}

} // namespace
