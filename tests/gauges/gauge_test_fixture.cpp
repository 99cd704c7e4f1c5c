#include "gauges/gauge_test_fixture.h"

#include "render/utf8_text.h"

#include <cmath>
#include <fstream>

GaugeTest::GaugeTest()
{
    platform.window.client = { 1000, 1000 };
    // Enough fuel that the base message list stays empty.
    sim().totalFuelKg = 5000;
}

void GaugeTest::loadLayout(std::string_view keys)
{
    std::string const file = platform.folder.file("layout.ini");
    std::ofstream(file, std::ios::binary) << "[EICAS]\n" << keys << "\n";
    display.readLayout(file);
    // As at start-up, the next frame lays the new layout out.
    display.setLayoutPending();
}

std::vector<DrawCommand> const& GaugeTest::frame()
{
    platform.render.recording().recording().clearCommands();
    display.paint();
    return platform.render.recording().recording().commands();
}

void GaugeTest::setEngines(int count, double n1)
{
    sim().engineCount = static_cast<std::uint16_t>(count);
    for (int k = 0; k < SimData::kMaxEngines; ++k)
        sim().n1Percent[k] = n1;
}

std::vector<DrawCommand> withOp(std::vector<DrawCommand> const& commands, DrawOp op)
{
    std::vector<DrawCommand> result;
    for (DrawCommand const& c : commands) {
        if (c.op == op)
            result.push_back(c);
    }
    return result;
}

std::vector<std::string> textsOf(std::vector<DrawCommand> const& commands)
{
    std::vector<std::string> result;
    for (DrawCommand const& c : commands) {
        if (c.op == DrawOp::Text)
            result.push_back(utf16ToUtf8(c.text));
    }
    return result;
}

DrawCommand textCommand(std::vector<DrawCommand> const& commands, std::string_view text)
{
    for (DrawCommand const& c : commands) {
        if (c.op == DrawOp::Text && utf16ToUtf8(c.text) == text)
            return c;
    }
    ADD_FAILURE() << "no text \"" << text << "\" was drawn";
    return {};
}

bool allFinite(std::vector<DrawCommand> const& commands)
{
    auto finite = [](float v) { return std::isfinite(v); };
    for (DrawCommand const& c : commands) {
        if (!finite(c.rect.x) || !finite(c.rect.y) || !finite(c.rect.width) || !finite(c.rect.height))
            return false;
        if (!finite(c.startAngle) || !finite(c.sweepAngle) || !finite(c.origin.x) || !finite(c.origin.y))
            return false;
        for (PointF const& p : c.points) {
            if (!finite(p.x) || !finite(p.y))
                return false;
        }
    }
    return true;
}
