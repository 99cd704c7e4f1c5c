#pragma once

#include "render/render_backend.h"

#include <string>

// A back buffer with no window behind it, as the snapshot mode draws into.
class OffscreenBackend : public RenderBackend {
public:
    // Writes the back buffer as it stands as a PNG file; false on failure.
    virtual bool writePng(std::string const& path) = 0;
};
