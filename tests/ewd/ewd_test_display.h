#pragma once

#include "ewd/ewd_display.h"
#include "render/recording_graphics.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

#include <cmath>

#include <memory>
#include <string_view>
#include <vector>

// The E/WD page over the test platform, with its protected state open to the
// test. Its link never connects; tests write the simulator data directly.
class TestEwdDisplay : public EwdDisplay {
public:
    using EwdDisplay::EwdDisplay;
    using EwdDisplay::alertLineHeight;
    using EwdDisplay::brush;
    using EwdDisplay::colours;
    using EwdDisplay::flapPositions;
    using EwdDisplay::slatPositions;
    using EwdDisplay::efisStyle;
    using EwdDisplay::engineType;
    using EwdDisplay::alertRecords;
};

// Loads a layout into a fresh page and draws frames on the recording graphics.
class EwdPageTest : public ::testing::Test {
protected:
    void load(std::string_view layout)
    {
        platform.layouts.embed(layout);
        display = std::make_unique<TestEwdDisplay>(platform.services, platform.services.userProfilePath, "ExternalEWD");
        // No such file beside the tests: the embedded layout is read.
        display->loadConfiguration("ewd-page-test-absent.bin");
    }

    std::vector<DrawCommand> const& frame()
    {
        platform.render.recording().clearCommands();
        display->paint();
        return commands();
    }

    std::vector<DrawCommand> const& commands() { return platform.render.recording().commands(); }
    SimData& data() { return display->simulatorData(); }
    Argb colourOf(int row) const { return display->brush(row)->colour; }

    std::vector<DrawCommand> texts()
    {
        std::vector<DrawCommand> found;
        for (DrawCommand const& c : commands())
            if (c.op == DrawOp::Text)
                found.push_back(c);
        return found;
    }

    DrawCommand const* findText(std::u16string_view text)
    {
        for (DrawCommand const& c : commands())
            if (c.op == DrawOp::Text && c.text == text)
                return &c;
        return nullptr;
    }

    bool hasLine(PointF from, PointF to)
    {
        for (DrawCommand const& c : commands())
            if (c.op == DrawOp::Line && near(c.points[0], from) && near(c.points[1], to))
                return true;
        return false;
    }

    static bool near(PointF a, PointF b) { return std::abs(a.x - b.x) < 0.01f && std::abs(a.y - b.y) < 0.01f; }

    TestPlatform platform;
    std::unique_ptr<TestEwdDisplay> display;
};
