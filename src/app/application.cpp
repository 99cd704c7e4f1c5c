#include "app/application.h"

#include "app/menu_commands.h"

int runApplication(PlatformServices& services, DisplayFactory const& makeDisplay)
{
    std::unique_ptr<AppWindow> display = makeDisplay(services, services.userProfilePath, std::string(kProfileSection));
    if (!display->createWindow(kWindowTitle, MenuCommand::AlwaysOnTop))
        return 0;
    // Chosen once: a period changed later takes effect at the next start.
    LoopMode const mode = display->loopMode();
    int const exitCode = services.window.runLoop(mode);
    display.reset();
    return exitCode;
}
