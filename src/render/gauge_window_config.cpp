#include "render/gauge_window.h"

#include "app/window_host.h"
#include "config/layout_file.h"
#include "config/layout_unpacker.h"
#include "config/profile_reader.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

// A page side from the layout; a side that is not a positive number would
// scale the page to nothing or to infinity, so it keeps the default.
float pageSide(ProfileReader const& layout, std::string_view key, float defaultValue)
{
    float const value = layout.readFloat(key, defaultValue);
    return std::isfinite(value) && value > 0 ? value : defaultValue;
}

} // namespace

void GaugeWindow::loadConfigurationFile(std::string_view fileName)
{
    if (layoutFileChosen()) {
        std::string const path(fileName);
        loadChosenLayout(path, readLayoutFile(path));
        return;
    }
    UnpackResult const unpacked = unpackLayout(services.layouts, fileName);
    if (!unpacked.ok) {
        host.showMessageBox(unpacked.errorText, "Parsing Error", MessageIcon::Error);
        return;
    }
    readDisplaySettings(unpacked.path);
    std::remove(unpacked.path.c_str());
}

void GaugeWindow::reloadLayout(WholeFile const& file)
{
    loadChosenLayout(layoutFile(), layoutFileTextOf(file));
}

void GaugeWindow::loadChosenLayout(std::string const& path, LayoutFileText const& file)
{
    // The file's name alone: a whole path would not fit on the page.
    std::string const name = std::filesystem::path(path).filename().string();
    std::string const state = m_layoutRead ? "; the last good layout stays." : ".";
    if (!file.text) {
        m_layoutNotice.show("Layout " + name + " not read: " + file.problem + state);
        return;
    }
    UnpackResult const unpacked = writeUnpackedLayout(services.layouts, name, *file.text);
    if (!unpacked.ok) {
        m_layoutNotice.show("Layout " + name + " not read: " + unpacked.errorText + state);
        return;
    }
    readDisplaySettings(unpacked.path);
    std::remove(unpacked.path.c_str());
    m_layoutNotice.show({});
    m_layoutRead = true;
    // The page size may have changed: the next paint rescales the page and
    // lays everything out again.
    lastClientWidth = -1;
    lastClientHeight = -1;
}

void GaugeWindow::readDisplaySettings(std::string const& layoutFile)
{
    ProfileReader const layout(services.profiles, layoutFile, layoutSection);
    fontQuality = layout.readKeyword("FontQuality", Vocabulary::FontQuality, 2);
    antiAliasing = layout.readBool("AntiAliasing", 1);
    dayBrightness = layout.readDouble("DayBrightness", 1.0);
    nightBrightness = layout.readDouble("NightBrightness", 0.4);
    pageWidth = pageSide(layout, "SizeX", 1000);
    pageHeight = pageSide(layout, "SizeY", 1000);
    ignoredRedraws = layout.readInt("IgnoredRedraws", 0);
    redrawEveryFrame = ignoredRedraws == 0;
    readShapeList(layout, lines, "Line");
    readShapeList(layout, rects, "Rect");
}

void GaugeWindow::readShapeList(ProfileReader const& layout, std::vector<ShapeSegment>& list, std::string_view prefix)
{
    list.clear();
    for (int index = 0;; ++index) {
        char key[64];
        std::snprintf(key, sizeof key, "%.*s%d", static_cast<int>(prefix.size()), prefix.data(), index);
        if (!layout.readRaw(key))
            break;
        std::array<double, 4> edges {};
        layout.readNumberList(key, edges);
        list.push_back({ static_cast<float>(edges[0]), static_cast<float>(edges[1]), static_cast<float>(edges[2]), static_cast<float>(edges[3]) });
    }
}
