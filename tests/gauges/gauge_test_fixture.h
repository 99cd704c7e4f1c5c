#pragma once

#include "gauges/efis_display.h"
#include "render/recording_backend.h"
#include "sim/fake_ipc_transport.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

// A Graphics that passes every call on and counts the text measurements.
class MeasureCountingGraphics final : public Graphics {
public:
    explicit MeasureCountingGraphics(Graphics& target)
        : m_target(target)
    {
    }
    int measurements() const { return m_measurements; }

    void scaleWorld(float sx, float sy) override { m_target.scaleWorld(sx, sy); }
    void clear(Argb colour) override { m_target.clear(colour); }
    void drawLine(Pen const& p, PointF from, PointF to) override { m_target.drawLine(p, from, to); }
    void drawRectangle(Pen const& p, RectF const& r) override { m_target.drawRectangle(p, r); }
    void fillRectangle(Brush const& b, RectF const& r) override { m_target.fillRectangle(b, r); }
    void drawArc(Pen const& p, RectF const& r, float start, float sweep) override { m_target.drawArc(p, r, start, sweep); }
    void fillPie(Brush const& b, RectF const& r, float start, float sweep) override { m_target.fillPie(b, r, start, sweep); }
    void fillEllipse(Brush const& b, RectF const& r) override { m_target.fillEllipse(b, r); }
    void drawPolygon(Pen const& p, std::span<PointF const> points) override { m_target.drawPolygon(p, points); }
    void drawString(std::u16string_view text, Font const& f, PointF origin, StringFormat const& format, Brush const& b) override
    {
        m_target.drawString(text, f, origin, format, b);
    }
    RectF measureString(std::u16string_view text, Font const& f, PointF origin, StringFormat const& format) override
    {
        ++m_measurements;
        return m_target.measureString(text, f, origin, format);
    }
    void setClip(RectF const& r) override { m_target.setClip(r); }
    void resetClip() override { m_target.resetClip(); }

private:
    Graphics& m_target;
    int m_measurements = 0;
};

// The recording backend, with its text measurements counted.
class GaugeTestBackend final : public RenderBackend {
public:
    FontFactory& fonts() override { return m_recording.fonts(); }
    Graphics& recreateBackBuffer(int width, int height) override
    {
        m_recording.recreateBackBuffer(width, height);
        return m_counting;
    }
    void present() override { m_recording.present(); }

    RecordingBackend& recording() { return m_recording; }
    int measurements() const { return m_counting.measurements(); }

private:
    RecordingBackend m_recording;
    MeasureCountingGraphics m_counting { m_recording.recording() };
};

// The test platform's ports, drawing into GaugeTestBackend, with a simulator
// inside the IPC transport.
struct GaugeTestPlatform {
    TempFolder folder;
    FakeWindowHost window;
    GaugeTestBackend render;
    IniProfileStore profiles;
    FakeIpcTransport ipc;
    TestLayoutPlatform layouts { folder.path() };
    PlatformServices services { window, render, profiles, ipc, layouts, folder.file("QuorvelEFIS.cfg") };
};

// An EfisDisplay whose layout the test writes and whose simulator data the
// test sets; the link counts as up, so the page draws its decorations rather
// than the not-connected screen.
class GaugeTestDisplay final : public EfisDisplay {
public:
    explicit GaugeTestDisplay(PlatformServices& services)
        : EfisDisplay(services, services.userProfilePath, "ExternalEWD")
    {
        link.connected = true;
    }

    void readLayout(std::string const& layoutFile) { readDisplaySettings(layoutFile); }
    // One simulator cycle through the display's own link.
    void acquireFromSimulator(LinkState& state) { dataAcquisition.acquire(state); }
    void setLayoutPending() { layoutPending = true; }

    using EfisDisplay::colours;
    using EfisDisplay::engineGauges;
    using EfisDisplay::engineOffChar;
    using EfisDisplay::engineOffManaged;
    using EfisDisplay::font;
    using EfisDisplay::fontDefs;
    using EfisDisplay::pieDangerTransparent;
    using EfisDisplay::pieNormalTransparent;
    using EfisDisplay::regions;

protected:
    void acquireData() override { }
};

// Opaque drawing colours of the profile's colour keywords.
namespace Colour {
constexpr Argb Black = 0xFF000000;
constexpr Argb White = 0xFFFFFFFF;
constexpr Argb Red = 0xFFFF0000;
constexpr Argb Green = 0xFF00FF00;
constexpr Argb Blue = 0xFF0000FF;
constexpr Argb Cyan = 0xFF00FFFF;
constexpr Argb Amber = 0xFFFF9600;
constexpr Argb Magenta = 0xFFFF00FF;
constexpr Argb Yellow = 0xFFFFFF00;
}

// Drawing tests of the gauge engine: a layout from INI lines, frames drawn on
// a 1000 x 1000 client area (page units equal pixels), the calls recorded.
class GaugeTest : public ::testing::Test {
protected:
    GaugeTest();

    // Reads the keys (one "Key=Value" per line) as the layout's section EICAS.
    void loadLayout(std::string_view keys);
    // One paint; returns the drawing calls of the frame.
    std::vector<DrawCommand> const& frame();

    SimData& sim() { return display.simulatorData(); }
    void setEngines(int count, double n1);

    GaugeTestPlatform platform;
    GaugeTestDisplay display { platform.services };
};

std::vector<DrawCommand> withOp(std::vector<DrawCommand> const& commands, DrawOp op);
// The texts drawn, as UTF-8, in order.
std::vector<std::string> textsOf(std::vector<DrawCommand> const& commands);
// The text command drawing exactly this text; fails the test when none.
DrawCommand textCommand(std::vector<DrawCommand> const& commands, std::string_view text);
// True when every coordinate and angle of every command is finite.
bool allFinite(std::vector<DrawCommand> const& commands);
