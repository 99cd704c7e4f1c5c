#pragma once

#include "render/graphics.h"

// The off-screen back buffer of a display and the way to the screen.
class RenderBackend {
public:
    virtual ~RenderBackend() = default;

    virtual FontFactory& fonts() = 0;

    // Drops the old back buffer and makes one of width x height pixels with an
    // anti-aliased graphics object drawing into it (identity transform). The
    // graphics object stays valid until the next call or the backend's end.
    virtual Graphics& recreateBackBuffer(int width, int height) = 0;

    // Copies the whole back buffer to the window at (0, 0).
    virtual void present() = 0;
};
