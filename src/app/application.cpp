#include "app/application.h"

#include "app/live_layout.h"
#include "app/menu_commands.h"

int runApplication(PlatformServices& services, DisplayFactory const& makeDisplay, LayoutChoice const& layout,
    AircraftSources const& aircraft)
{
    std::unique_ptr<AppWindow> display = makeDisplay(services, services.userProfilePath, std::string(kProfileSection));
    display->useAircraftSources(aircraft);
    if (!layout.path.empty())
        display->useLayoutFile(layout.path);
    if (!display->createWindow(kWindowTitle, MenuCommand::AlwaysOnTop))
        return 0;
    std::unique_ptr<LiveLayout> live;
    if (!layout.path.empty() && layout.watcher)
        live = std::make_unique<LiveLayout>(*layout.watcher, services.window, *display);
    // Chosen once: a period changed later takes effect at the next start.
    LoopMode const mode = display->loopMode();
    int const exitCode = services.window.runLoop(mode);
    live.reset();
    display.reset();
    return exitCode;
}
