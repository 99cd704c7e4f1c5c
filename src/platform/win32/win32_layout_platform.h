#pragma once

#include "config/layout_platform.h"

#include <windows.h>

// The packed default layout is the custom resource "ORBA_CFG" 99 of the
// program's module; the application-data folder is the user's roaming
// AppData folder.
class Win32LayoutPlatform final : public LayoutPlatform {
public:
    // module: where the resource is looked up; null means the program itself.
    explicit Win32LayoutPlatform(HMODULE module = nullptr);

    ResourceStatus embeddedLayout(std::span<std::uint8_t const>& bytes) override;
    std::string appDataFolder() override;

private:
    HMODULE m_module;
};
