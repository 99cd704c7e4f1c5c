#pragma once

#include "app/platform_services.h"
#include "sim/link_state.h"

#include <string>
#include <string_view>

// The main window's state and the logic of its window procedure: view flags,
// window settings kept in the user profile, key and menu commands. The window
// itself is the platform's WindowHost; the display object derives from this.
class AppWindow {
public:
    AppWindow(PlatformServices& services, std::string profilePath, std::string profileSection);
    virtual ~AppWindow();
    AppWindow(AppWindow const&) = delete;
    AppWindow& operator=(AppWindow const&) = delete;

    virtual void paint() = 0;
    virtual void loadConfiguration(std::string_view fileName) = 0;

    // If connectionAttempts equals the limit, re-arm the attempts.
    virtual void resetConnectionAttempts();

    LinkState const& linkState() const { return link; }
    bool isLayoutPending() const { return layoutPending; }

protected:
    PlatformServices& services;
    std::string profilePath;
    std::string profileSection;

    // True while the paint in progress has just remade the back buffer, or the
    // layout changed; every layout step recomputes its cached positions then.
    bool layoutPending = false;
    int lastClientWidth = -1;
    int lastClientHeight = -1;

    LinkState link;
};
