#pragma once

#include "config/profile_reader.h"
#include "render/gauge_window.h"

#include <functional>
#include <vector>

// The smallest concrete display: the base drawing of GaugeWindow, a layout key
// "TestColour" for colour entry 0 (a 2-unit pen), and a simulator cycle the
// test scripts. Its protected tables are open to the test.
class TestGaugeDisplay : public GaugeWindow {
public:
    TestGaugeDisplay(PlatformServices& services, std::string profilePath = {}, std::string profileSection = "ExternalEWD")
        : GaugeWindow(services, std::move(profilePath), std::move(profileSection))
    {
        setTableSizes(45, 20, 2);
    }

    void loadConfiguration(std::string_view fileName) override
    {
        layoutSection = "EICAS";
        loadConfigurationFile(fileName);
    }

    // Runs as the frame's simulator cycle.
    std::function<void(TestGaugeDisplay&)> cycle;
    int cycles = 0;
    std::vector<bool> layoutPendingAtDraw;
    std::vector<bool> readyForRedrawAtDraw;

    LinkState& linkControl() { return link; }
    void readLayout(std::string const& layoutFile) { readDisplaySettings(layoutFile); }

    using GaugeWindow::brush;
    using GaugeWindow::colours;
    using GaugeWindow::createFonts;
    using GaugeWindow::createPensAndBrushes;
    using GaugeWindow::font;
    using GaugeWindow::fontDefs;
    using GaugeWindow::lines;
    using GaugeWindow::pen;
    using GaugeWindow::rects;
    using GaugeWindow::refreshColours;
    using GaugeWindow::updateColour;

protected:
    void readDisplaySettings(std::string const& layoutFile) override
    {
        ProfileReader const layout(services.profiles, layoutFile, layoutSection);
        colours[0] = { ColourKindPen, kOpaqueBlack, layout.readColour("TestColour", "WHITE"), 2 };
        refreshColours();
        GaugeWindow::readDisplaySettings(layoutFile);
    }
    void acquireData() override
    {
        ++cycles;
        if (cycle)
            cycle(*this);
    }
    void rebuildResources() override { }
    void draw() override
    {
        layoutPendingAtDraw.push_back(layoutPending);
        readyForRedrawAtDraw.push_back(readyForRedraw);
        GaugeWindow::draw();
    }
};
