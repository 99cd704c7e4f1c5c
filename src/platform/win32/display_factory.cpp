#include "platform/win32/display_factory.h"

#include "ewd/ewd_display.h"

std::unique_ptr<AppWindow> makeEwdDisplay(PlatformServices& services, std::string profilePath, std::string profileSection)
{
    return std::make_unique<EwdDisplay>(services, std::move(profilePath), std::move(profileSection));
}
