#pragma once

#include "app/app_window.h"
#include "sim/aircraft_sources.h"

#include <functional>
#include <memory>
#include <string>

// The user profile of the display and its section.
constexpr std::string_view kProfileSection = "ExternalEWD";
constexpr std::string_view kWindowTitle = "A320 CFM E/WD";

using DisplayFactory = std::function<std::unique_ptr<AppWindow>(PlatformServices&, std::string profilePath, std::string profileSection)>;

class FolderWatcher;

// A layout file given on the command line, and what watches its folder so
// the window follows its saves (none: read once).
struct LayoutChoice {
    std::string path; // empty: the usual layout
    FolderWatcher* watcher = nullptr;
};

// The program's life: makes the display, creates its window, runs the loop in
// the mode the saved period chose, and ends the display. Returns the exit code
// (0 also when the window cannot be made).
// The display reads the named values where aircraft says.
int runApplication(PlatformServices& services, DisplayFactory const& makeDisplay, LayoutChoice const& layout = {},
    AircraftSources const& aircraft = standardAircraftSources());
