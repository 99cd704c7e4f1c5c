#pragma once

#include "app/application.h"

// The program's display object: the E/WD page.
std::unique_ptr<AppWindow> makeEwdDisplay(PlatformServices&, std::string profilePath, std::string profileSection);
