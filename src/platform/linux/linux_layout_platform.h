#pragma once

#include "config/layout_platform.h"

// The packed default layout linked into the program, and the per-user data
// folder $XDG_DATA_HOME/tarnex (default ~/.local/share/tarnex), made private
// (mode 0700) when it is created.
class LinuxLayoutPlatform final : public LayoutPlatform {
public:
    ResourceStatus embeddedLayout(std::span<std::uint8_t const>& bytes) override;
    std::string appDataFolder() override;
};
