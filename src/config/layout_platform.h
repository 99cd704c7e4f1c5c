#pragma once

#include <cstdint>
#include <span>
#include <string>

// What layout loading needs from the platform: the packed default layout
// carried inside the program, and the per-user application-data folder where
// the unpacked layout is written while it is read.
class LayoutPlatform {
public:
    enum class ResourceStatus {
        Ok,
        NotFound, // "Resource not found"
        SizeZero, // "Rsrc size error"
        LoadFailed, // "Error loading rsrc"
    };

    virtual ~LayoutPlatform() = default;

    // The embedded packed layout; bytes is set only when the result is Ok.
    virtual ResourceStatus embeddedLayout(std::span<std::uint8_t const>& bytes) = 0;

    // The per-user application-data folder, created if needed; empty when it
    // cannot be located.
    virtual std::string appDataFolder() = 0;
};
