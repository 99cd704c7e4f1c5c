#pragma once

#include "platform/linux/cairo_fonts.h"
#include "platform/linux/cairo_graphics.h"
#include "render/offscreen_backend.h"

#include <memory>

// A back buffer in memory (32-bit ARGB) drawn by Cairo, for the snapshot mode
// and the tests.
class CairoOffscreenBackend final : public OffscreenBackend {
public:
    CairoOffscreenBackend() = default;
    ~CairoOffscreenBackend() override;
    CairoOffscreenBackend(CairoOffscreenBackend const&) = delete;
    CairoOffscreenBackend& operator=(CairoOffscreenBackend const&) = delete;

    FontFactory& fonts() override { return m_fonts; }
    Graphics& recreateBackBuffer(int width, int height) override;
    void present() override;
    bool writePng(std::string const& path) override;

    // The pixel at (x, y) as 0xAARRGGBB, for tests; 0 outside the buffer.
    Argb pixel(int x, int y) const;

private:
    CairoFontFactory m_fonts;
    cairo_surface_t* m_surface = nullptr;
    std::unique_ptr<CairoGraphics> m_graphics;
};
