#pragma once

#include "platform/linux/cairo_fonts.h"
#include "platform/linux/cairo_graphics.h"
#include "render/render_backend.h"

#include <cairo.h>

#include <memory>

// The display's back buffer drawn by Cairo as the window's is, and a second
// buffer of the same size standing in for the window: present copies the
// whole back buffer into it, the copy the X server makes for the window.
class FrontBufferBackend final : public RenderBackend {
public:
    FrontBufferBackend() = default;
    ~FrontBufferBackend() override;
    FrontBufferBackend(FrontBufferBackend const&) = delete;
    FrontBufferBackend& operator=(FrontBufferBackend const&) = delete;

    FontFactory& fonts() override { return m_fonts; }
    Graphics& recreateBackBuffer(int width, int height) override;
    void present() override;

    // How long the last present took.
    double lastPresentMs() const { return m_lastPresentMs; }

private:
    void release();

    CairoFontFactory m_fonts;
    cairo_surface_t* m_back = nullptr;
    std::unique_ptr<CairoGraphics> m_graphics;
    cairo_surface_t* m_front = nullptr;
    cairo_t* m_frontContext = nullptr;
    double m_lastPresentMs = 0;
};
